// Where the settings file lives and what it is called.
#include "settings/program_paths.h"
#include "settings/settings_location.h"
#include "tests/settings/settings_test_files.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace vask {
namespace {

struct NameCase {
    const char* programPath;
    const char* expected;
};

class SettingsFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SettingsFileName, ReplacesTheExtensionOfTheFileNamePart)
{
    EXPECT_EQ(settingsFileNameFor(GetParam().programPath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, SettingsFileName,
                         ::testing::Values(NameCase{"vask32v1", "vask32v1.INI"}, NameCase{"X.EXE", "X.INI"},
                                           NameCase{"C:\\dir\\Prog.exe", "Prog.INI"},
                                           NameCase{"a.b.c", "a.b.INI"},
                                           NameCase{"dir/with.dot/prog", "prog.INI"},
                                           NameCase{"D:Tool.exe", "Tool.INI"},
                                           NameCase{"/usr/bin/vask32v1", "vask32v1.INI"}));

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_saved = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_saved)
            setenv(m_name, m_saved->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

TEST(SettingsFolder, OwnVariableWinsAndTheFolderIsCreated)
{
    test::ScratchFolder scratch;
    const std::string wanted = scratch.file("nested/config");
    ScopedVariable own("VASK32V1_CONFIG_DIR", wanted.c_str());
    ScopedVariable xdg("XDG_CONFIG_HOME", scratch.file("xdg").c_str());
    EXPECT_EQ(settingsFolder(), wanted);
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
    EXPECT_EQ(settingsFilePath(), wanted + "/vask32v1.INI");
}

TEST(SettingsFolder, FallsBackToXdgConfigHomeThenHomeConfig)
{
    test::ScratchFolder scratch;
    ScopedVariable own("VASK32V1_CONFIG_DIR", nullptr);
    {
        ScopedVariable xdg("XDG_CONFIG_HOME", scratch.file("xdg").c_str());
        EXPECT_EQ(settingsFolder(), scratch.file("xdg"));
    }
    ScopedVariable emptyXdg("XDG_CONFIG_HOME", "");
    ScopedVariable home("HOME", scratch.path().c_str());
    EXPECT_EQ(settingsFilePath(), scratch.file(".config/vask32v1.INI"));
}

struct FolderCase {
    const char* programPath;
    const char* folderName;
    const char* expected;
};

class ProgramSiblingFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramSiblingFolder, ReplacesTheProgramFolderName)
{
    EXPECT_EQ(siblingProgramFolder(QString::fromUtf8(GetParam().programPath),
                                   QString::fromUtf8(GetParam().folderName)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramSiblingFolder,
    ::testing::Values(FolderCase{"/work/build/PROGRAM/", "FILTERS", "/work/build/FILTERS"},
                      FolderCase{"/work/build/PROGRAM/", "PALETTES", "/work/build/PALETTES"},
                      FolderCase{"/usr/local/bin/", "FILTERS", "/usr/local/bin/FILTERS"},
                      FolderCase{"/opt/Vask/program/", "FILTERS", "/opt/Vask/FILTERS"},
                      FolderCase{"/Home/Me/Program/", "PALETTES", "/Home/Me/PALETTES"},
                      // The name ends the text: only what is there goes.
                      FolderCase{"/opt/vask/PROGRAM", "FILTERS", "/opt/vask/FILTERS"},
                      // Nine characters go whatever they are, and the first match wins.
                      FolderCase{"/home/me/programs/build/PROGRAM/", "FILTERS",
                                 "/home/me/build/PROGRAM/FILTERS"},
                      FolderCase{"/", "FILTERS", "/FILTERS"}));

TEST(ProgramPaths, ProgramPathIsTheExecutablesFolderWithItsSlash)
{
    const QString program = GetProgramPath();
    EXPECT_TRUE(program.endsWith(QLatin1Char('/')));
    EXPECT_EQ(QDir(program).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
}

TEST(ProgramPaths, TheBuildTreesProgramFolderFindsItsSiblings)
{
    // The program is built into PROGRAM/ beside this test program's folder.
    const QString buildFolder =
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    if (buildFolder.contains(QLatin1String("program"), Qt::CaseInsensitive))
        GTEST_SKIP() << "the build folder's own name holds the folder name";
    const QString program = buildFolder + QStringLiteral("/PROGRAM/");
    EXPECT_EQ(siblingProgramFolder(program, QStringLiteral("FILTERS")),
              buildFolder + QStringLiteral("/FILTERS"));
    EXPECT_EQ(siblingProgramFolder(program, QStringLiteral("PALETTES")),
              buildFolder + QStringLiteral("/PALETTES"));
}

} // namespace
} // namespace vask
