#include "app/FailurePolicy.h"

#include <windows.h>

#include <string>

void FailurePolicy::log(const QString &text)
{
    // A Windows program has no standard error to read: an error from the
    // source "Taloran" in the Application event log.
    const HANDLE log = RegisterEventSourceW(nullptr, L"Taloran");
    if (!log)
        return;
    const std::wstring wide = text.toStdWString();
    const wchar_t *strings[] = {wide.c_str()};
    ReportEventW(log, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(log);
}
