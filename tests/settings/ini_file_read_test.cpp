// Reading the profile file: every miss and every malformed value gives the default.
#include "settings/ini_file.h"
#include "tests/settings/settings_test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace vask {
namespace {

using test::ScratchFolder;
using test::writeBytes;

struct IntegerCase {
    const char* value;
    int expected;
};

class IniIntegerValue : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniIntegerValue, ReadsAsTheProfileFunctionsDo)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, std::string("[Numbers]\nValue=") + GetParam().value + "\n");
    EXPECT_EQ(IniFile(path).ReadInteger("Numbers", "Value", 42), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniIntegerValue,
    ::testing::Values(IntegerCase{"16", 16}, IntegerCase{"0x10", 16}, IntegerCase{"0X1f", 31},
                      IntegerCase{"-5", -5}, IntegerCase{"+3", 3}, IntegerCase{" 7 ", 7},
                      IntegerCase{"\t8\t", 8}, IntegerCase{"12abc", 42}, IntegerCase{"abc", 42},
                      IntegerCase{"", 42}, IntegerCase{"0x", 42}, IntegerCase{"0x1G", 42},
                      IntegerCase{"1.5", 42}, IntegerCase{"- 5", 42}, IntegerCase{"2147483647", INT_MAX},
                      IntegerCase{"-2147483648", INT_MIN}, IntegerCase{"2147483648", 42},
                      IntegerCase{"99999999999999999999", 42}, IntegerCase{"0xFFFFFFFF", -1},
                      IntegerCase{"0x100000000", 42}, IntegerCase{"16776960", 16776960}));

struct BoolCase {
    const char* value;
    bool defaultValue;
    bool expected;
};

class IniBoolValue : public ::testing::TestWithParam<BoolCase> {};

TEST_P(IniBoolValue, IsAnyNonZeroIntegerOrElseTheDefault)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, std::string("[Switches]\nValue=") + GetParam().value + "\n");
    EXPECT_EQ(IniFile(path).ReadBool("Switches", "Value", GetParam().defaultValue), GetParam().expected)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, IniBoolValue,
                         ::testing::Values(BoolCase{"1", false, true}, BoolCase{"0", true, false},
                                           BoolCase{"2", false, true}, BoolCase{"-1", false, true},
                                           BoolCase{"0x0", true, false}, BoolCase{"abc", true, true},
                                           BoolCase{"abc", false, false}, BoolCase{"", true, true},
                                           BoolCase{"true", false, false}));

struct LookupCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    const char* expected; // the default "<none>" when the key must not be found
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsTheValueByTheProfileRules)
{
    ScratchFolder folder;
    const std::string path = folder.file("x.INI");
    writeBytes(path, GetParam().content);
    EXPECT_EQ(IniFile(path).ReadString(GetParam().section, GetParam().key, "<none>"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniLookup,
    ::testing::Values(
        LookupCase{"KeyInAnyCase", "[NewImage]\nnwidth=5\n", "NewImage", "NWIDTH", "5"},
        LookupCase{"SectionInAnyCase", "[newimage]\nNWidth=6\n", "NEWIMAGE", "NWidth", "6"},
        LookupCase{"BlanksAroundNamesAndValue", "  [ Layout ]  \n  Top  =  12  \n", "Layout", "Top", "12"},
        LookupCase{"TextAfterFirstEquals", "[AddOns]\nAddOn1=/a=b/c.exe\n", "AddOns", "AddOn1", "/a=b/c.exe"},
        LookupCase{"EmptyValue", "[AddOns]\nAddOn1=\n", "AddOns", "AddOn1", ""},
        LookupCase{"KeyOfAnotherSection", "[A]\nKey=1\n[B]\nOther=2\n", "B", "Key", "<none>"},
        LookupCase{"KeyBeforeAnySection", "Key=1\n[A]\n", "A", "Key", "<none>"},
        LookupCase{"FirstOfTwoKeys", "[A]\nKey=first\nkey=second\n", "A", "Key", "first"},
        LookupCase{"FirstOfTwoSections", "[A]\nKey=first\n[a]\nKey=second\n", "A", "Key", "first"},
        LookupCase{"CommentIsNoKey", "[A]\n;Key=1\n#Key=2\n", "A", ";Key", "<none>"},
        LookupCase{"CrLfLineEnds", "[A]\r\nKey=text\r\n", "A", "Key", "text"},
        LookupCase{"ByteOrderMark", "\xEF\xBB\xBF[A]\nKey=3\n", "A", "Key", "3"},
        LookupCase{"NoFinalLineEnd", "[A]\nKey=last", "A", "Key", "last"},
        LookupCase{"SectionWithoutClosingBracket", "[A\nKey=4\n", "A", "Key", "4"},
        LookupCase{"BinaryGarbageBeforeSection",
                   std::string("\x00\xff\xfe\x01=\x80\n\x00[\n", 10) + "[A]\nKey=5\n", "A", "Key", "5"},
        LookupCase{"EmptyFile", "", "A", "Key", "<none>"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(IniFileRead, MissingFileGivesEveryDefault)
{
    ScratchFolder folder;
    const IniFile file(folder.file("absent.INI"));
    EXPECT_EQ(file.ReadInteger("A", "B", 7), 7);
    EXPECT_TRUE(file.ReadBool("A", "B", true));
    EXPECT_EQ(file.ReadString("A", "B", "C:\\*.*"), "C:\\*.*");
    EXPECT_FALSE(file.hasKey("A", "B"));
}

TEST(IniFileRead, AFolderInPlaceOfTheFileGivesDefaults)
{
    ScratchFolder folder;
    const std::string path = folder.file("folder.INI");
    std::filesystem::create_directory(path);
    EXPECT_EQ(IniFile(path).ReadInteger("A", "B", 9), 9);
}

TEST(IniFileRead, TenMegabyteLinesAreReadWhole)
{
    ScratchFolder folder;
    const std::string path = folder.file("big.INI");
    const std::string huge(10 * 1024 * 1024, 'x');
    writeBytes(path, huge + "\n[A]\nLong=" + huge + "\nKey=4\n");
    const IniFile file(path);
    EXPECT_EQ(file.ReadInteger("A", "Key", 0), 4);
    EXPECT_EQ(file.ReadString("A", "Long", "").size(), huge.size());
}

TEST(IniFileRead, EveryByteValueNeverCrashes)
{
    ScratchFolder folder;
    const std::string path = folder.file("noise.INI");
    std::string noise;
    unsigned state = 12345;
    for (int index = 0; index < 200000; ++index) {
        state = state * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(state >> 24));
    }
    writeBytes(path, noise);
    const IniFile file(path);
    EXPECT_EQ(file.ReadInteger("NoSuchSection", "NoSuchKey", 5), 5);
    file.ReadString("", "", "");
}

TEST(IniFileRead, NothingIsCachedBetweenTwoObjects)
{
    ScratchFolder folder;
    const std::string path = folder.file("shared.INI");
    IniFile first(path);
    IniFile second(path);
    first.WriteInteger("Layout", "Top", 1);
    second.WriteInteger("Layout", "Left", 2);
    EXPECT_EQ(first.ReadInteger("Layout", "Left", 0), 2);
    EXPECT_EQ(second.ReadInteger("Layout", "Top", 0), 1);
    test::writeBytes(path, "[Layout]\nTop=9\n");
    EXPECT_EQ(first.ReadInteger("Layout", "Top", 0), 9);
}

} // namespace
} // namespace vask
