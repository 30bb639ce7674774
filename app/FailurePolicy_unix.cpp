#include "app/FailurePolicy.h"

void FailurePolicy::log(const QString &)
{
    // The settings store and the autostart report have written it to
    // standard error, which the desktop's journal keeps.
}
