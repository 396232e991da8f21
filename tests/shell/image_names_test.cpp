#include "store/image_names.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

struct NameCase {
    const char* name;
    bool valid;
    int filterIndex;
    bool iconSource;
    bool fif;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << '"' << c.name << '"';
}

class ImageNameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(ImageNameRules, NameIsClassedByTheExtensionTextsItContains)
{
    const NameCase& c = GetParam();
    const QString name = QString::fromLatin1(c.name);
    EXPECT_EQ(isValidImageName(name), c.valid);
    EXPECT_EQ(filterIndexOf(name), c.filterIndex);
    EXPECT_EQ(isIconSource(name), c.iconSource);
    EXPECT_EQ(isFifName(name), c.fif);
}

// name, valid, filter index, icon source, FIF.
INSTANTIATE_TEST_SUITE_P(
    EveryRule, ImageNameRules,
    ::testing::Values(
        // One of each extension, in the filter list's order.
        NameCase{"/pics/scan.tif", true, 1, false, false}, NameCase{"/pics/scan.tga", true, 2, false, false},
        NameCase{"/pics/scan.bmp", true, 3, false, false}, NameCase{"/pics/scan.dib", true, 4, false, false},
        NameCase{"/pics/scan.pcx", true, 5, false, false}, NameCase{"/pics/scan.jpg", true, 6, false, false},
        NameCase{"/pics/scan.msp", true, 7, false, false}, NameCase{"/pics/scan.fif", true, 8, false, true},
        NameCase{"/pics/scan.png", true, 9, false, false}, NameCase{"/bin/tool.exe", false, 10, true, false},
        NameCase{"/lib/icons.dll", false, 11, true, false},
        // GIF: never valid, and not in the filter list.
        NameCase{"PHOTO.GIF", false, 0, false, false}, NameCase{"/pics/photo.gif", false, 0, false, false},
        // GIF is tested after BMP, so it wins over it; PNG is tested after GIF and wins back.
        NameCase{"X.GIF.BMP", false, 3, false, false}, NameCase{"X.BMP.GIF", false, 3, false, false},
        NameCase{"X.GIF.PNG", true, 9, false, false},
        // The length rule: the file-name part needs five characters.
        NameCase{"A.BMP", true, 3, false, false}, NameCase{".BMP", false, 3, false, false},
        NameCase{"/pics/.png", false, 9, false, false}, NameCase{"/pics/a.pn", false, 0, false, false},
        NameCase{"C:\\DATA.JPG\\A.B", false, 6, false, false}, NameCase{"", false, 0, false, false},
        // Substrings, not endings: the extension may stand anywhere in the path.
        NameCase{"AB.TIFF", true, 1, false, false}, NameCase{"C:\\DATA.JPG\\X.BMP", true, 6, false, false},
        NameCase{"/home/me.bmp/photo", true, 3, false, false},
        NameCase{"/a.exe/b.bmp", true, 10, true, false}, NameCase{"/old.fif/new.tga", true, 8, false, true},
        // The last extension in the list's order wins, wherever it stands in the name.
        NameCase{"X.PNG.TIF", true, 9, false, false}, NameCase{"X.TIF.PNG", true, 9, false, false},
        NameCase{"X.DIB.BMP", true, 4, false, false}, NameCase{"X.DLL.EXE", false, 11, true, false},
        NameCase{"scan.tif.exe", true, 10, true, false},
        // Case does not matter.
        NameCase{"photo.BmP", true, 3, false, false}, NameCase{"Mixed.Jpg", true, 6, false, false},
        // No extension, or one the program does not know.
        NameCase{"/pics/holiday", false, 0, false, false},
        NameCase{"/pics/notes.txt", false, 0, false, false},
        NameCase{"/pics/photo.jpeg", false, 0, false, false}, NameCase{"/pics/bmp", false, 0, false, false},
        NameCase{"/bin/exe", false, 0, false, false}, NameCase{"/pics/x.fi", false, 0, false, false}));

struct PartCase {
    const char* path;
    const char* part;
};

class FileNamePart : public ::testing::TestWithParam<PartCase> {};

TEST_P(FileNamePart, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(fileNamePart(QString::fromLatin1(GetParam().path)), QString::fromLatin1(GetParam().part));
}

INSTANTIATE_TEST_SUITE_P(EverySeparator, FileNamePart,
                         ::testing::Values(PartCase{"/home/me/pics/cat.bmp", "cat.bmp"},
                                           PartCase{"C:\\DATA.JPG\\X.BMP", "X.BMP"},
                                           PartCase{"C:X.BMP", "X.BMP"}, PartCase{"cat.bmp", "cat.bmp"},
                                           PartCase{"/home/me/", ""}, PartCase{"a/b\\c.png", "c.png"},
                                           PartCase{"a\\b/c.png", "c.png"}, PartCase{"", ""},
                                           PartCase{"/only one/with space.tif", "with space.tif"}));

} // namespace
} // namespace vask
