#include "settings/program_paths.h"

#include <QCoreApplication>

namespace vask {

namespace {

// Empty when the program's folder is not known.
QString programFolder()
{
    if (QCoreApplication::instance() == nullptr)
        return {};
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty())
        return {};
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString siblingOrRoot(const char* folderName)
{
    const QString program = programFolder();
    if (program.isEmpty())
        return QStringLiteral("/");
    return siblingProgramFolder(program, QString::fromLatin1(folderName));
}

} // namespace

QString GetProgramPath()
{
    const QString folder = programFolder();
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

QString GetFiltersPath()
{
    return siblingOrRoot("FILTERS");
}

QString GetPalettesPath()
{
    return siblingOrRoot("PALETTES");
}

QString siblingProgramFolder(const QString& programPath, const QString& folderName)
{
    QString path = programPath;
    const qsizetype at = path.indexOf(QLatin1String("PROGRAM"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        path.remove(at, 9);
    return path + folderName;
}

} // namespace vask
