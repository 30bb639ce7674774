#pragma once

#include <QLoggingCategory>

// Timestamps of the steps of start-up, logged under the category
// "taloran.startup", which is off by default. Turn it on with
//   QT_LOGGING_RULES="taloran.startup.debug=true"
// to see where the time from main() to the first painted window goes.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace StartupTrace {

// Logs the milliseconds since the first call, with what has just been done.
void mark(const char *step);

// Logs the first expose and the first paint of any window, after which it
// stops watching. Does nothing while the category is off.
void watchFirstFrame();

} // namespace StartupTrace
