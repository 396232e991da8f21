#include "shell/shell_routines.h"

#include "controls/dialog_service.h"
#include "shell/fault_report.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QUrl>

#include <stdexcept>

namespace vask {

namespace {

ShellLauncher desktopLauncher()
{
    ShellLauncher launcher;
    launcher.openDocument = [](const QString& document) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(document));
    };
    launcher.run = [](const QString& program, const QStringList& arguments, const QString& directory) {
        return QProcess::startDetached(program, arguments, directory);
    };
    return launcher;
}

ShellLauncher& launcher()
{
    static ShellLauncher current = desktopLauncher();
    return current;
}

} // namespace

QString CheckFileExists(const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) {
        DialogService::instance().information(
            QStringLiteral("Information:- Cannot find file [ %1 ].  Please check file is correctly "
                           "specified.  OK to continue.")
                .arg(fileName));
    }
    return fileName;
}

void ShellOpenDocument(const QString& fileName)
{
    guardedHandler("UUtil32v1", 406, [&] {
        if (!launcher().openDocument(fileName))
            throw std::runtime_error("the desktop could not open the document");
    });
}

void ShellRun(const QString& fileName, const QString& parameters, const QString& directory, int)
{
    // The show mode has no meaning for a detached Linux process; windows open normally.
    guardedHandler("UUtil32v1", 421, [&] {
        const QStringList arguments = QProcess::splitCommand(parameters);
        if (!launcher().run(fileName, arguments, directory))
            throw std::runtime_error("the program could not be started");
    });
}

bool IsLowColourDisplay()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->depth() <= 8;
}

void setShellLauncher(ShellLauncher replacement)
{
    launcher() = std::move(replacement);
}

void resetShellLauncher()
{
    launcher() = desktopLauncher();
}

} // namespace vask
