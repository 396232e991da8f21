#pragma once

#include <QString>

#include <exception>

namespace vask {

// "Error:- " + unit + " - Code " + code; file routines add " - " and the fault's own text.
QString faultMessage(const char* unit, int code);
QString faultMessage(const char* unit, int code, const QString& faultText);

// Shows the report in an information box with one OK button.
void ReportFault(const char* unit, int code);
void ReportFault(const char* unit, int code, const QString& faultText);

QString faultTextOf(const std::exception_ptr& fault);

// Runs a handler body inside the trap every handler has: any fault is reported with the
// handler's fixed code and swallowed, so the handler returns normally. withText adds the
// fault's own text, as the file routines do. Returns false when a fault was reported.
template <typename Body> bool guardedHandler(const char* unit, int code, Body&& body, bool withText = false)
{
    try {
        body();
        return true;
    } catch (...) {
        if (withText)
            ReportFault(unit, code, faultTextOf(std::current_exception()));
        else
            ReportFault(unit, code);
        return false;
    }
}

} // namespace vask
