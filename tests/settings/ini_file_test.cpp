// The profile file: misses read as the default, a write changes one key, a refusal nothing.
#include "tests/settings/settings_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>

namespace vask {
namespace {

using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

enum class As { Int, Text, BoolOrFalse, BoolOrTrue };

struct ReadCase {
    std::optional<std::string> file; // nullopt: no file at all
    As as;
    std::string expected; // integers in decimal, booleans as "1"/"0"
    const char* section = "N";
    const char* key = "V";
};

std::string readAs(const IniFile& file, const ReadCase& row)
{
    if (row.as == As::Int)
        return std::to_string(file.ReadInteger(row.section, row.key, 42));
    if (row.as == As::Text)
        return file.ReadString(row.section, row.key, "<none>");
    return file.ReadBool(row.section, row.key, row.as == As::BoolOrTrue) ? "1" : "0";
}

TEST(IniFileRead, FollowsTheProfileRulesAndFallsBackToTheDefault)
{
    const std::string huge(10 * 1024 * 1024, 'x');
    std::string noise(200000, '\0');
    for (std::size_t index = 0; index < noise.size(); ++index)
        noise[index] = static_cast<char>((index * 2654435761u) >> 13);
    // clang-format off
    const auto v = [](const char* value) { return "[N]\nV=" + std::string(value) + "\n"; };
    const ReadCase cases[] = {
        {v("16"), As::Int, "16"}, {v("0x10"), As::Int, "16"}, {v("0X1f"), As::Int, "31"}, {v("-5"), As::Int, "-5"},
        {v("+3"), As::Int, "3"}, {v(" 7 "), As::Int, "7"}, {v("\t8\t"), As::Int, "8"}, {v("12abc"), As::Int, "42"},
        {v("abc"), As::Int, "42"}, {v(""), As::Int, "42"}, {v("0x"), As::Int, "42"}, {v("0x1G"), As::Int, "42"},
        {v("1.5"), As::Int, "42"}, {v("- 5"), As::Int, "42"}, {v("2147483648"), As::Int, "42"},
        {v("2147483647"), As::Int, "2147483647"}, {v("-2147483648"), As::Int, "-2147483648"},
        {v("0xFFFFFFFF"), As::Int, "-1"}, {v("0x100000000"), As::Int, "42"}, {v("99999999999999999999"), As::Int, "42"},
        {v("1"), As::BoolOrFalse, "1"}, {v("0"), As::BoolOrTrue, "0"}, {v("2"), As::BoolOrFalse, "1"},
        {v("-1"), As::BoolOrFalse, "1"}, {v("0x0"), As::BoolOrTrue, "0"}, {v("abc"), As::BoolOrTrue, "1"},
        {v("abc"), As::BoolOrFalse, "0"}, {v(""), As::BoolOrTrue, "1"}, {v("true"), As::BoolOrFalse, "0"},
        {std::nullopt, As::Int, "42"}, {std::nullopt, As::BoolOrTrue, "1"}, {std::nullopt, As::Text, "<none>"},
        {"", As::Text, "<none>"}, {"[N]\nV=\n", As::Text, ""}, {"[N]\nV=/a=b/c.exe\n", As::Text, "/a=b/c.exe"},
        {"[NewImage]\nnwidth=5\n", As::Text, "5", "NewImage", "NWIDTH"},
        {"[newimage]\nNWidth=6\n", As::Text, "6", "NEWIMAGE", "NWidth"},
        {"  [ N ]  \n  V  =  12  \n", As::Text, "12"}, {"[N]\nV=first\nv=second\n[n]\nV=third\n", As::Text, "first"},
        {"[A]\nV=1\n[N]\nOther=2\n", As::Text, "<none>"}, {"V=1\n[N]\n", As::Text, "<none>"},
        {"[N]\n;V=1\n#V=2\n", As::Text, "<none>", "N", ";V"}, {"[N]\r\nV=text\r\n", As::Text, "text"},
        {"\xEF\xBB\xBF[N]\nV=3\n", As::Text, "3"}, {"[N]\nV=last", As::Text, "last"}, {"[N\nV=4\n", As::Text, "4"},
        {std::string("\x00\xff\xfe\x01=\x80\n\x00[\n", 10) + "[N]\nV=5\n", As::Text, "5"}, {noise, As::Int, "42"},
        {huge + "\n[N]\nLong=" + huge + "\nV=4\n", As::Int, "4"}, {"[N]\nLong=" + huge + "\n", As::Text, huge, "N", "Long"},
    };
    // clang-format on
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        std::filesystem::remove(path);
        if (cases[index].file)
            writeBytes(path, *cases[index].file);
        const std::string got = readAs(IniFile(path), cases[index]);
        EXPECT_TRUE(got == cases[index].expected) << "case " << index << ": " << got.substr(0, 40);
    }
}

TEST(IniFileWrite, ChangesOnlyTheOneKeyAndKeepsEveryOtherLine)
{
    // clang-format off
    const std::tuple<std::string, const char*, const char*, const char*, std::string> cases[] = {
        {"", "Layout", "Top", "5", "[Layout]\nTop=5\n"},
        {"; settings\n[Layout]\nTop=5\n\n[Other]\nX=1\n", "Layout", "Width", "720",
         "; settings\n[Layout]\nTop=5\nWidth=720\n\n[Other]\nX=1\n"},
        {"[DisplayOptions]\nResizeMode=3\nDWidth=250\n", "displayoptions", "Resizemode", "1",
         "[DisplayOptions]\nResizeMode=1\nDWidth=250\n"},
        {"[A]\n  Key = old value\n", "A", "KEY", "new", "[A]\n  Key =new\n"}, {"[A]\nK=1", "A", "L", "2", "[A]\nK=1\nL=2\n"},
        {"[A]\nK=1\n", "B", "X", "2", "[A]\nK=1\n\n[B]\nX=2\n"}, {"[A]\r\nK=1\r\n", "A", "K", "2", "[A]\r\nK=2\r\n"},
        {"[A]\nK=1\n\n\n[B]\nX=2\n", "a", "L", "3", "[A]\nK=1\nL=3\n\n\n[B]\nX=2\n"},
        {"[A]\nK=1\n[B]\nX=2\n", "B", "Y", "4", "[A]\nK=1\n[B]\nX=2\nY=4\n"},
        {"[A]\nK=1\nk=2\n", "A", "K", "3", "[A]\nK=3\nk=2\n"}, {"[A]\n", "A", "K", "two\nlines", "[A]\nK=two lines\n"},
        {"\xEF\xBB\xBF[A]\nK=1\n", "A", "K", "2", "\xEF\xBB\xBF[A]\nK=2\n"},
    };
    // clang-format on
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    for (const auto& [before, section, key, value, after] : cases) {
        std::filesystem::remove(path);
        if (!before.empty()) // else no file yet
            writeBytes(path, before);
        IniFile(path).WriteString(section, key, value);
        EXPECT_EQ(readBytes(path), after) << before;
    }
}

TEST(IniFileWrite, WritesPlainNumbersThroughALinkKeepingPermissionsAndCachingNothing)
{
    ScratchFolder folder;
    const std::string real = folder.file("real.INI"), link = folder.file("link.INI");
    writeBytes(real, "[N]\n");
    ::chmod(real.c_str(), 0600);
    std::filesystem::create_symlink(real, link);
    IniFile first(link);
    IniFile second(real);
    first.WriteInteger("N", "Negative", -365);
    second.WriteBool("N", "On", true);
    first.WriteBool("N", "Off", false); // a copy kept from before would drop "On"
    EXPECT_EQ(readBytes(real), "[N]\nNegative=-365\nOn=1\nOff=0\n");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0600));
    EXPECT_EQ(folder.entries(), 2); // no temporary file left
    writeBytes(real, "[N]\nOn=0\n");
    EXPECT_FALSE(first.ReadBool("N", "On", true));
}

// Each stops root too; a folder is also how an existing file that cannot be read is refused.
TEST(IniFileWrite, ARefusedWriteThrowsWithTheFilesName)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.file("folder.INI"));
    for (const std::string& path :
         {folder.file("folder.INI"), folder.file("missing/x.INI"), std::string("/proc/vask32v1.INI")}) {
        IniFile file(path);
        try {
            file.WriteInteger("Layout", "Top", 1);
            ADD_FAILURE() << "no error for " << path;
        } catch (const IniWriteError& refused) {
            EXPECT_EQ(std::string(refused.what()), "Unable to write to " + path);
        }
        EXPECT_EQ(file.ReadInteger("Layout", "Top", 0), 0) << path;
    }
}

TEST(IniFileWrite, AFullDiskLeavesTheOldFileWhole)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, "; keep me\n[Layout]\nTop=5\n");
    // A file size limit refuses the write the way a full disk does, for root too.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tight{8, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    EXPECT_THROW(IniFile(path).WriteString("Layout", "Width", std::string(64, '7')), IniWriteError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(readBytes(path), "; keep me\n[Layout]\nTop=5\n");
    EXPECT_EQ(folder.entries(), 1);
}

} // namespace
} // namespace vask
