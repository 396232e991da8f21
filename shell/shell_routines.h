#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vask {

// If the file does not exist, says so in an information box; the name is returned either way.
QString CheckFileExists(const QString& fileName);

// Asks the desktop to open a document with its registered program.
// A refusal is reported as "Error:- UUtil32v1 - Code 406".
void ShellOpenDocument(const QString& fileName);

// Starts a program with parameters in a folder, detached from this one.
// A refusal is reported as "Error:- UUtil32v1 - Code 421".
void ShellRun(const QString& fileName, const QString& parameters, const QString& directory, int showMode);

// True when the screen shows 8 or fewer bits per pixel.
bool IsLowColourDisplay();

// What actually talks to the desktop; tests replace it to see the requests without
// starting programs. Returns false when the desktop refused.
struct ShellLauncher {
    std::function<bool(const QString& document)> openDocument;
    std::function<bool(const QString& program, const QStringList& arguments, const QString& directory)> run;
};
void setShellLauncher(ShellLauncher launcher);
void resetShellLauncher();

} // namespace vask
