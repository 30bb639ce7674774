# Prints the accessibility tree of the program with process id argv[1] as a
# screen reader sees it over AT-SPI: one "role: name" line an object, indented
# by depth.
import sys

import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi


def dump(accessible, depth):
    print('  ' * depth + f'{accessible.get_role_name()}: {accessible.get_name()}')
    for i in range(accessible.get_child_count()):
        dump(accessible.get_child_at_index(i), depth + 1)


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    application = desktop.get_child_at_index(i)
    if application.get_process_id() == int(sys.argv[1]):
        for j in range(application.get_child_count()):
            dump(application.get_child_at_index(j), 0)
