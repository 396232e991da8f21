#pragma once

#include "shell/fault_report.h"
#include "shell/status_routines.h"

namespace vask {

// A command that works on an image or on files: busy cursor and progress text first, the
// work inside the handler's trap, then "No Function" and the default cursor, which also
// follow a fault once its report has been shown.
template <typename Body>
bool runBusyCommand(const char* unit, int code, const QString& progressText, Body&& body,
                    bool withText = false)
{
    BusyGuard busy(progressText);
    return guardedHandler(unit, code, std::forward<Body>(body), withText);
}

} // namespace vask
