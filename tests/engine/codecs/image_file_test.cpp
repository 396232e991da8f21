#include "engine/codecs/file_io.h"
#include "engine/codecs/image_file.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }
    void TearDown() override
    {
        ::chmod(m_folder.c_str(), 0700);
        test::removeFolder(m_folder);
    }

    std::string path(const std::string& name) const { return m_folder + "/" + name; }

    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder = test::makeTemporaryFolder();
};

TEST_F(ImageFileTest, TheExtensionChoosesTheFormatWhateverItsCase)
{
    const std::pair<const char*, Bytes> cases[] = {
        {"a.tif", {'I', 'I', 42, 0}},     {"b.TIFF", {'I', 'I', 42, 0}},  {"c.Tif", {'I', 'I', 42, 0}},
        {"d.jpg", {0xFF, 0xD8, 0xFF}},    {"e.JPEG", {0xFF, 0xD8, 0xFF}}, {"f.png", {0x89, 'P', 'N', 'G'}},
        {"g.PnG", {0x89, 'P', 'N', 'G'}}, {"h.BMP", {'B', 'M'}},
    };
    const Image picture = test::gradientPicture(23, 9);
    for (const auto& [name, magic] : cases) {
        SCOPED_TRACE(name);
        saveImageFile(picture, path(name));
        const Bytes bytes = readWholeFile(path(name));
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + std::min(bytes.size(), magic.size())), magic);
        // JPEG loses a little; the others give the same pixels (an infinite PSNR).
        EXPECT_GT(test::psnr(loadImageFile(path(name)), picture), magic[0] == 0xFF ? 30.0 : 1e9);
    }
}

TEST_F(ImageFileTest, WriteOptionsReachTheEncoder)
{
    const Image picture = test::gradientPicture(64, 48);
    saveImageFile(picture, path("grey.jpg"), WriteOptions{90, 2, 0});
    EXPECT_EQ(loadImageFile(path("grey.jpg")).depth(), 8);
    saveImageFile(picture, path("adam7.png"), WriteOptions{75, 1, 0});
    EXPECT_EQ(readWholeFile(path("adam7.png"))[28], 1);
    saveImageFile(picture, path("deflate.tif"), WriteOptions{75, 1, 0});
    saveImageFile(picture, path("plain.tif"), WriteOptions{75, 0, 0});
    EXPECT_LT(readWholeFile(path("deflate.tif")).size(), readWholeFile(path("plain.tif")).size());
    saveImageFile(picture, path("four.pcx"), WriteOptions{75, 0, 4});
    EXPECT_EQ(loadImageFile(path("four.pcx")).depth(), 4);
}

TEST_F(ImageFileTest, NamesOfFormatsThatCannotBeWrittenAreRefusedAndLeaveNothing)
{
    const Image picture = test::palettePicture(8, 8, 1, 1);
    for (const char* name : {"paint.msp", "paint.MSP", "fractal.fif", "fractal.FIF"}) {
        const std::string text = test::errorOf([&] { saveImageFile(picture, path(name)); });
        EXPECT_NE(text.find("not written"), std::string::npos) << text;
    }
    for (const char* name : {"picture.gif", "picture", "picture.tif.bak", "folder.png/picture"}) {
        EXPECT_THROW(saveImageFile(picture, path(name)), ImageError) << name;
        EXPECT_THROW(loadImageFile(path(name)), ImageError) << name;
    }
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ImageFileTest, SaveWhereNoFileCanBeMadeThrowsAndLeavesNothing)
{
    const std::string text =
        test::errorOf([&] { saveImageFile(test::gradientPicture(4, 4), path("missing/x.png")); });
    EXPECT_NE(text.find("missing/x.png"), std::string::npos) << text;
    writeFileAtomically(path("plain.txt"), Bytes{'x'});
    EXPECT_THROW(saveImageFile(test::gradientPicture(4, 4), path("plain.txt/x.tif")), ImageError);
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"plain.txt"});
    ASSERT_EQ(::chmod(m_folder.c_str(), 0500), 0);
    if (::access(m_folder.c_str(), W_OK) == 0)
        GTEST_SKIP() << "this user may write anywhere (root)";
    EXPECT_THROW(saveImageFile(test::gradientPicture(4, 4), path("x.tif")), ImageError);
    ::chmod(m_folder.c_str(), 0700);
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"plain.txt"});
}

// A save writes a temporary file and renames it over the target only when it is complete.
TEST_F(ImageFileTest, ASaveReplacesTheTargetWholeOrLeavesItAsItWas)
{
    for (const char* name : {"keep.tif", "keep.jpg"}) {
        SCOPED_TRACE(name);
        saveImageFile(test::gradientPicture(10, 10), path(name));
        const Bytes before = readWholeFile(path(name));
        // Write option 9 is neither a TIFF compression nor a JPEG option: the encoder refuses.
        EXPECT_THROW(saveImageFile(test::noisePicture(10, 10, 4), path(name), WriteOptions{75, 9, 0}),
                     ImageError);
        EXPECT_EQ(readWholeFile(path(name)), before);
        EXPECT_THROW(saveImageFile(Image(), path(name)), ImageError);
        EXPECT_EQ(readWholeFile(path(name)), before);
    }
    const Image second = test::noisePicture(7, 3, 9);
    saveImageFile(second, path("keep.tif"));
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"keep.jpg", "keep.tif"}));
    EXPECT_TRUE(test::sameColours(loadImageFile(path("keep.tif")), second));
    struct stat info {};
    ASSERT_EQ(::stat(path("keep.tif").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0600, 0600u);
}

TEST_F(ImageFileTest, LoadErrorsNameTheFileAndFifFilesGiveAClearError)
{
    const std::string missing = test::errorOf([&] { loadImageFile(path("nothing.png")); });
    EXPECT_NE(missing.find("nothing.png"), std::string::npos) << missing;
    writeFileAtomically(path("damaged.png"), Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 1, 2, 3});
    const std::string text = test::errorOf([&] { loadImageFile(path("damaged.png")); });
    EXPECT_NE(text.find("damaged.png"), std::string::npos) << text;
    EXPECT_NE(text.find("PNG"), std::string::npos) << text;
    writeFileAtomically(path("fractal.FIF"), Bytes{'F', 'I', 'F', 0, 1, 2, 3});
    const std::string fif = test::errorOf([&] { loadImageFile(path("fractal.FIF")); });
    EXPECT_NE(fif.find("FIF"), std::string::npos) << fif;
    EXPECT_NE(fif.find("fractal.FIF"), std::string::npos) << fif;
}

} // namespace
} // namespace vask
