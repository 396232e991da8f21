// Where the settings file lives and what it is called, and the program's sibling folders.
#include "settings/program_paths.h"
#include "tests/settings/settings_test_support.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace vask {
namespace {

TEST(SettingsFileName, ReplacesTheExtensionOfTheFileNamePart)
{
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {{"vask32v1", "vask32v1.INI"}, {"X.EXE", "X.INI"},
        {"C:\\dir\\Prog.exe", "Prog.INI"}, {"a.b.c", "a.b.INI"}, {"dir/with.dot/prog", "prog.INI"},
        {"D:Tool.exe", "Tool.INI"}, {"/usr/bin/vask32v1", "vask32v1.INI"}};
    // clang-format on
    for (const auto& [program, expected] : cases)
        EXPECT_EQ(settingsFileNameFor(program), expected) << program;
}

TEST(SettingsFolder, OwnVariableThenXdgConfigHomeThenHomeConfig)
{
    const QByteArray own = qgetenv("VASK32V1_CONFIG_DIR"), xdg = qgetenv("XDG_CONFIG_HOME"),
                     home = qgetenv("HOME");
    test::ScratchFolder scratch;
    qputenv("VASK32V1_CONFIG_DIR", scratch.file("nested/config").c_str());
    qputenv("XDG_CONFIG_HOME", scratch.file("xdg").c_str());
    EXPECT_EQ(settingsFilePath(), scratch.file("nested/config/vask32v1.INI"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("nested/config")));
    qunsetenv("VASK32V1_CONFIG_DIR");
    EXPECT_EQ(settingsFolder(), scratch.file("xdg"));
    qputenv("XDG_CONFIG_HOME", "");
    qputenv("HOME", scratch.path().toLocal8Bit());
    EXPECT_EQ(settingsFilePath(), scratch.file(".config/vask32v1.INI"));
    qputenv("VASK32V1_CONFIG_DIR", own);
    qputenv("HOME", home);
    xdg.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg);
}

TEST(ProgramPaths, SiblingFoldersReplaceTheProgramFolderName)
{
    // clang-format off
    const char* const cases[][3] = {
        {"/work/build/PROGRAM/", "FILTERS", "/work/build/FILTERS"}, {"/", "FILTERS", "/FILTERS"},
        {"/work/build/PROGRAM/", "PALETTES", "/work/build/PALETTES"}, {"/Home/Me/Program/", "PALETTES", "/Home/Me/PALETTES"},
        {"/usr/local/bin/", "FILTERS", "/usr/local/bin/FILTERS"}, {"/opt/Vask/program/", "FILTERS", "/opt/Vask/FILTERS"},
        {"/opt/vask/PROGRAM", "FILTERS", "/opt/vask/FILTERS"}, // only what is there goes
        // Nine characters go whatever they are, and the first match wins.
        {"/home/me/programs/build/PROGRAM/", "FILTERS", "/home/me/build/PROGRAM/FILTERS"},
    };
    // clang-format on
    for (const auto& row : cases)
        EXPECT_EQ(siblingProgramFolder(QString::fromUtf8(row[0]), QString::fromUtf8(row[1])),
                  QString::fromUtf8(row[2]))
            << row[0] << " " << row[1];
}

TEST(ProgramPaths, ProgramPathIsTheExecutablesFolderAndItsSiblingsFollowIt)
{
    const QString program = GetProgramPath();
    EXPECT_TRUE(program.endsWith(QLatin1Char('/')));
    EXPECT_EQ(QDir(program).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    if (program.contains(QLatin1String("program"), Qt::CaseInsensitive))
        GTEST_SKIP() << "the build folder's own name holds the folder name";
    EXPECT_EQ(GetFiltersPath(), program + QStringLiteral("FILTERS"));
    EXPECT_EQ(GetPalettesPath(), program + QStringLiteral("PALETTES"));
}

} // namespace
} // namespace vask
