#include "store/image_names.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

TEST(ImageNames, NameIsClassedByTheExtensionTextsItContains)
{
    // clang-format off
    struct Case { const char* name; bool valid; int filterIndex; bool iconSource; bool fif; };
    const Case cases[] = {
        // One of each extension, in the filter list's order.
        {"/pics/scan.tif", true, 1, false, false}, {"/pics/scan.tga", true, 2, false, false},
        {"/pics/scan.bmp", true, 3, false, false}, {"/pics/scan.dib", true, 4, false, false},
        {"/pics/scan.pcx", true, 5, false, false}, {"/pics/scan.jpg", true, 6, false, false},
        {"/pics/scan.msp", true, 7, false, false}, {"/pics/scan.fif", true, 8, false, true},
        {"/pics/scan.png", true, 9, false, false}, {"/bin/tool.exe", false, 10, true, false},
        {"/lib/icons.dll", false, 11, true, false},
        // GIF: never valid, and not in the filter list. It is tested after BMP, so it wins over
        // it; PNG is tested after GIF and wins back.
        {"PHOTO.GIF", false, 0, false, false}, {"/pics/photo.gif", false, 0, false, false},
        {"X.GIF.BMP", false, 3, false, false}, {"X.BMP.GIF", false, 3, false, false},
        {"X.GIF.PNG", true, 9, false, false},
        // The file-name part needs five characters.
        {"A.BMP", true, 3, false, false},     {".BMP", false, 3, false, false},
        {"/pics/.png", false, 9, false, false}, {"/pics/a.pn", false, 0, false, false},
        {"C:\\DATA.JPG\\A.B", false, 6, false, false}, {"", false, 0, false, false},
        // Substrings, not endings: the extension may stand anywhere in the path.
        {"AB.TIFF", true, 1, false, false}, {"C:\\DATA.JPG\\X.BMP", true, 6, false, false},
        {"/home/me.bmp/photo", true, 3, false, false}, {"/a.exe/b.bmp", true, 10, true, false},
        {"/old.fif/new.tga", true, 8, false, true},
        // The last extension in the list's order wins, wherever it stands in the name.
        {"X.PNG.TIF", true, 9, false, false}, {"X.TIF.PNG", true, 9, false, false},
        {"X.DIB.BMP", true, 4, false, false}, {"X.DLL.EXE", false, 11, true, false},
        {"scan.tif.exe", true, 10, true, false},
        // Any case; unknown or no extension.
        {"photo.BmP", true, 3, false, false}, {"Mixed.Jpg", true, 6, false, false},
        {"/pics/holiday", false, 0, false, false}, {"/pics/notes.txt", false, 0, false, false},
        {"/pics/photo.jpeg", false, 0, false, false}, {"/pics/bmp", false, 0, false, false},
        {"/bin/exe", false, 0, false, false}, {"/pics/x.fi", false, 0, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(isValidImageName(name), c.valid) << c.name;
        EXPECT_EQ(filterIndexOf(name), c.filterIndex) << c.name;
        EXPECT_EQ(isIconSource(name), c.iconSource) << c.name;
        EXPECT_EQ(isFifName(name), c.fif) << c.name;
    }
}

TEST(ImageNames, FileNamePartIsTheTextAfterTheLastSeparator)
{
    // clang-format off
    const char* const cases[][2] = {
        {"/home/me/pics/cat.bmp", "cat.bmp"}, {"C:\\DATA.JPG\\X.BMP", "X.BMP"}, {"C:X.BMP", "X.BMP"},
        {"cat.bmp", "cat.bmp"}, {"/home/me/", ""}, {"a/b\\c.png", "c.png"}, {"a\\b/c.png", "c.png"}, {"", ""},
        {"/only one/with space.tif", "with space.tif"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(fileNamePart(QString::fromLatin1(c[0])), QString::fromLatin1(c[1])) << c[0];
}

} // namespace
} // namespace vask
