// taloran_mapwait PROGRAM [ARGS...]: starts PROGRAM and prints the time in
// milliseconds from its start to the first map of a top-level window that
// belongs to it, then ends it. Used by startup.sh.
//
// The wait is on the X server's own MapNotify events for the root window's
// children (a window manager's frame, or the window itself without one), so
// the figure does not depend on a polling interval. A mapped window belongs
// to the program when it, or a window inside it, carries the program's
// process id in _NET_WM_PID.

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    auto *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

bool hasPid(xcb_connection_t *c, xcb_atom_t pidAtom, xcb_window_t window, pid_t pid)
{
    auto *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    bool match = reply && xcb_get_property_value_length(reply) == 4
        && *static_cast<const uint32_t *>(xcb_get_property_value(reply)) == uint32_t(pid);
    std::free(reply);
    return match;
}

// Looks at the window and its descendants, a few levels down: a window
// manager's frame holds the client one or two levels inside.
bool belongsTo(xcb_connection_t *c, xcb_atom_t pidAtom, xcb_window_t window, pid_t pid, int depth)
{
    if (hasPid(c, pidAtom, window, pid))
        return true;
    if (depth == 0)
        return false;
    auto *tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree)
        return false;
    bool found = false;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i)
        found = belongsTo(c, pidAtom, children[i], pid, depth - 1);
    std::free(tree);
    return found;
}

void endChild(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(50'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "mapwait: cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = internAtom(c, "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Any client may select SubstructureNotify on the root (only the
    // redirect is exclusive); checked so that a refusal is not a silent hang.
    if (xcb_generic_error_t *error =
            xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::fprintf(stderr, "mapwait: cannot watch the root window (error %d)\n", error->error_code);
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::perror("mapwait: exec");
        _exit(127);
    }

    const Clock::time_point deadline = start + std::chrono::seconds(30);
    const int fd = xcb_get_file_descriptor(c);
    while (Clock::now() < deadline) {
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                break;
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 100);
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                std::fprintf(stderr, "mapwait: %s ended before showing a window\n", argv[1]);
                return 1;
            }
            continue;
        }
        const Clock::time_point seen = Clock::now();
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
        std::free(event);
        if (mapped && belongsTo(c, pidAtom, window, pid, 3)) {
            std::printf("%.2f\n", std::chrono::duration<double, std::milli>(seen - start).count());
            std::fflush(stdout);
            endChild(pid);
            xcb_disconnect(c);
            return 0;
        }
    }
    std::fprintf(stderr, "mapwait: no window of %s was mapped\n", argv[1]);
    endChild(pid);
    xcb_disconnect(c);
    return 1;
}
