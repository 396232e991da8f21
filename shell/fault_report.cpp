#include "shell/fault_report.h"

#include "controls/dialog_service.h"

namespace vask {

QString faultMessage(const char* unit, int code)
{
    return QStringLiteral("Error:- %1 - Code %2").arg(QString::fromLatin1(unit)).arg(code);
}

QString faultMessage(const char* unit, int code, const QString& faultText)
{
    return faultMessage(unit, code) + QStringLiteral(" - ") + faultText;
}

void ReportFault(const char* unit, int code)
{
    DialogService::instance().information(faultMessage(unit, code));
}

void ReportFault(const char* unit, int code, const QString& faultText)
{
    DialogService::instance().information(faultMessage(unit, code, faultText));
}

QString faultTextOf(const std::exception_ptr& fault)
{
    try {
        if (fault)
            std::rethrow_exception(fault);
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
    }
    return QStringLiteral("Unknown fault");
}

} // namespace vask
