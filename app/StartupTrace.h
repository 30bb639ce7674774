#pragma once

#include <QLoggingCategory>

// Timestamps of start-up, logged under "taloran.startup", which is off by
// default: QT_LOGGING_RULES="taloran.startup.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace StartupTrace {

// Logs the milliseconds since the first call, with what has just been done.
void mark(const char *step);

// Logs the first expose and the first paint of any window while the category
// is on.
void watchFirstFrame();

} // namespace StartupTrace
