// Writing the profile file: every other line survives, and a refused write changes nothing.
#include "settings/ini_file.h"
#include "tests/settings/settings_test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

struct EditCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniEdit, ChangesOnlyTheOneKey)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    if (!GetParam().before.empty())
        writeBytes(path, GetParam().before);
    IniFile(path).WriteString(GetParam().section, GetParam().key, GetParam().value);
    EXPECT_EQ(readBytes(path), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniEdit,
    ::testing::Values(
        EditCase{"NewFile", "", "Layout", "Top", "5", "[Layout]\nTop=5\n"},
        EditCase{"CommentsAndOtherKeysKept", "; settings\n[Layout]\nTop=5\n\n[Other]\nX=1\n", "Layout",
                 "Width", "720", "; settings\n[Layout]\nTop=5\nWidth=720\n\n[Other]\nX=1\n"},
        EditCase{"ExistingKeyKeepsSpellingAndPlace", "[DisplayOptions]\nResizeMode=3\nDWidth=250\n",
                 "displayoptions", "Resizemode", "1", "[DisplayOptions]\nResizeMode=1\nDWidth=250\n"},
        EditCase{"IndentedKeyKeepsIndent", "[A]\n  Key = old value\n", "A", "KEY", "new",
                 "[A]\n  Key =new\n"},
        EditCase{"NewSectionAtTheEnd", "[A]\nK=1\n", "B", "X", "2", "[A]\nK=1\n\n[B]\nX=2\n"},
        EditCase{"NewKeyAheadOfBlankSeparator", "[A]\nK=1\n\n\n[B]\nX=2\n", "a", "L", "3",
                 "[A]\nK=1\nL=3\n\n\n[B]\nX=2\n"},
        EditCase{"NewKeyInLastSection", "[A]\nK=1\n[B]\nX=2\n", "B", "Y", "4", "[A]\nK=1\n[B]\nX=2\nY=4\n"},
        EditCase{"NoFinalLineEnd", "[A]\nK=1", "A", "L", "2", "[A]\nK=1\nL=2\n"},
        EditCase{"CrLfLineEndsKept", "[A]\r\nK=1\r\n", "A", "K", "2", "[A]\r\nK=2\r\n"},
        EditCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\nK=1\n", "A", "K", "2", "\xEF\xBB\xBF[A]\nK=2\n"},
        EditCase{"ValueStaysOnItsLine", "[A]\n", "A", "K", "two\nlines", "[A]\nK=two lines\n"},
        EditCase{"FirstOfTwoKeysChanged", "[A]\nK=1\nk=2\n", "A", "K", "3", "[A]\nK=3\nk=2\n"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST(IniFileWrite, IntegersAndBooleansAreWrittenAsPlainText)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    IniFile file(path);
    file.WriteInteger("N", "Negative", -365);
    file.WriteBool("N", "On", true);
    file.WriteBool("N", "Off", false);
    EXPECT_EQ(readBytes(path), "[N]\nNegative=-365\nOn=1\nOff=0\n");
}

TEST(IniFileWrite, KeepsTheFilesPermissionsAndLeavesNoTemporaryFile)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, "[A]\nK=1\n");
    ::chmod(path.c_str(), 0600);
    IniFile(path).WriteInteger("A", "K", 2);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniFileWrite, ALinkedFileIsWrittenThroughTheLink)
{
    ScratchFolder folder;
    const std::string target = folder.file("real.INI");
    const std::string link = folder.file("link.INI");
    writeBytes(target, "[A]\nK=1\n");
    std::filesystem::create_symlink(target, link);
    IniFile(link).WriteInteger("A", "K", 2);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), "[A]\nK=2\n");
}

struct RefusalCase {
    const char* name;
    std::string (*pathIn)(const ScratchFolder&);
};

class IniRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(IniRefusal, ThrowsWithTheFilesName)
{
    ScratchFolder folder;
    const std::string path = GetParam().pathIn(folder);
    IniFile file(path);
    try {
        file.WriteInteger("Layout", "Top", 1);
        FAIL() << "no error for " << path;
    } catch (const IniWriteError& refused) {
        EXPECT_EQ(std::string(refused.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(file.ReadInteger("Layout", "Top", 0), 0);
}

// Each of these stops root as well as an ordinary user.
INSTANTIATE_TEST_SUITE_P(
    Paths, IniRefusal,
    ::testing::Values(RefusalCase{"FileIsAFolder",
                                  [](const ScratchFolder& folder) {
                                      const std::string path = folder.file("folder.INI");
                                      std::filesystem::create_directory(path);
                                      return path;
                                  }},
                      RefusalCase{"FolderMissing",
                                  [](const ScratchFolder& folder) { return folder.file("missing/x.INI"); }},
                      RefusalCase{"FolderOfTheKernel",
                                  [](const ScratchFolder&) { return std::string("/proc/vask32v1.INI"); }}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(IniFileWrite, AFullDiskLeavesTheOldFileWhole)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    const std::string before = "; keep me\n[Layout]\nTop=5\n";
    writeBytes(path, before);
    // A file size limit refuses the write the way a full disk does, for root too.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    bool refused = false;
    try {
        IniFile(path).WriteString("Layout", "Width", std::string(64, '7'));
    } catch (const IniWriteError&) {
        refused = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(refused);
    EXPECT_EQ(readBytes(path), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniFileWrite, AReadOnlyFolderRefusesAndLeavesTheFileWhole)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, "[Layout]\nTop=5\n");
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_THROW(IniFile(path).WriteInteger("Layout", "Top", 6), IniWriteError);
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readBytes(path), "[Layout]\nTop=5\n");
}

TEST(IniFileWrite, AnUnreadableFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, "[Layout]\nTop=5\n");
    ::chmod(path.c_str(), 0200);
    EXPECT_THROW(IniFile(path).WriteInteger("Layout", "Left", 6), IniWriteError);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(readBytes(path), "[Layout]\nTop=5\n");
}

} // namespace
} // namespace vask
