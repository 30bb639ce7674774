#include "app/TerminationSignals.h"

// A windowed Windows program gets no such signals: the session's end reaches
// it as a request to close its windows.
TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;
