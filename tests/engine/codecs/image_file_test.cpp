#include "engine/codecs/file_io.h"
#include "engine/codecs/image_file.h"
#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

namespace fs = std::filesystem;

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test::makeTemporaryFolder();
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override
    {
        ::chmod(m_folder.c_str(), 0700);
        test::removeFolder(m_folder);
    }

    std::string path(const std::string& name) const { return m_folder + "/" + name; }

    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder;
};

std::string messageOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const ImageError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no ImageError";
    return {};
}

TEST_F(ImageFileTest, TheExtensionChoosesTheFormatWhateverItsCase)
{
    struct Case {
        const char* name;
        Bytes magic;
        bool lossless;
    };
    const Case cases[] = {
        {"a.tif", {'I', 'I', 42, 0}, true},     {"b.TIFF", {'I', 'I', 42, 0}, true},
        {"c.Tif", {'I', 'I', 42, 0}, true},     {"d.jpg", {0xFF, 0xD8, 0xFF}, false},
        {"e.JPEG", {0xFF, 0xD8, 0xFF}, false},  {"f.png", {0x89, 'P', 'N', 'G'}, true},
        {"g.PnG", {0x89, 'P', 'N', 'G'}, true}, {"h.BMP", {'B', 'M'}, true},
    };
    const Image picture = test::gradientPicture(23, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        saveImageFile(picture, path(c.name));
        const Bytes bytes = readWholeFile(path(c.name));
        ASSERT_GE(bytes.size(), c.magic.size());
        EXPECT_TRUE(std::equal(c.magic.begin(), c.magic.end(), bytes.begin()));
        const Image back = loadImageFile(path(c.name));
        if (c.lossless)
            EXPECT_TRUE(test::sameColours(back, picture));
        else
            EXPECT_GT(test::psnr(back, picture), 30.0);
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
}

TEST_F(ImageFileTest, FifFilesGiveAClearError)
{
    const Bytes bytes = {'F', 'I', 'F', 0, 1, 2, 3};
    writeFileAtomically(path("fractal.FIF"), bytes);
    const std::string text = messageOf([&] { loadImageFile(path("fractal.FIF")); });
    EXPECT_NE(text.find("FIF"), std::string::npos) << text;
    EXPECT_NE(text.find("fractal.FIF"), std::string::npos) << text;
}

TEST_F(ImageFileTest, MspAndFifCannotBeSavedAndLeaveNothing)
{
    const Image picture = test::palettePicture(8, 8, 1, 1);
    for (const char* name : {"paint.msp", "paint.MSP", "fractal.fif", "fractal.FIF"}) {
        const std::string text = messageOf([&] { saveImageFile(picture, path(name)); });
        EXPECT_NE(text.find("not written"), std::string::npos) << text;
    }
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ImageFileTest, NamesWithoutAPictureExtensionAreRefused)
{
    const Image picture = test::gradientPicture(4, 4);
    for (const char* name : {"picture.gif", "picture", "picture.tif.bak", "folder.png/picture"}) {
        EXPECT_THROW(saveImageFile(picture, path(name)), ImageError) << name;
        EXPECT_THROW(loadImageFile(path(name)), ImageError) << name;
    }
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ImageFileTest, SaveIntoAMissingFolderThrowsAndLeavesNothing)
{
    const std::string text =
        messageOf([&] { saveImageFile(test::gradientPicture(4, 4), path("missing/x.png")); });
    EXPECT_NE(text.find("missing/x.png"), std::string::npos) << text;
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ImageFileTest, SaveBelowAFileThatIsNotAFolderThrowsAndLeavesNothing)
{
    writeFileAtomically(path("plain.txt"), Bytes{'x'});
    EXPECT_THROW(saveImageFile(test::gradientPicture(4, 4), path("plain.txt/x.tif")), ImageError);
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"plain.txt"});
}

TEST_F(ImageFileTest, SaveIntoAReadOnlyFolderThrowsAndLeavesNothing)
{
    ASSERT_EQ(::chmod(m_folder.c_str(), 0500), 0);
    if (::access(m_folder.c_str(), W_OK) == 0)
        GTEST_SKIP() << "this user may write anywhere (root)";
    EXPECT_THROW(saveImageFile(test::gradientPicture(4, 4), path("x.tif")), ImageError);
    ::chmod(m_folder.c_str(), 0700);
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ImageFileTest, AFailedSaveLeavesTheOldFileAsItWas)
{
    const Image old = test::gradientPicture(10, 10);
    const Image replacement = test::noisePicture(10, 10, 4);
    for (const char* name : {"keep.tif", "keep.jpg"}) {
        SCOPED_TRACE(name);
        saveImageFile(old, path(name));
        const Bytes before = readWholeFile(path(name));
        // Write option 9 is neither a TIFF compression nor a JPEG option: the encoder refuses.
        EXPECT_THROW(saveImageFile(replacement, path(name), WriteOptions{75, 9, 0}), ImageError);
        EXPECT_EQ(readWholeFile(path(name)), before);
        EXPECT_THROW(saveImageFile(Image(), path(name)), ImageError);
        EXPECT_EQ(readWholeFile(path(name)), before);
    }
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"keep.jpg", "keep.tif"}));
}

TEST_F(ImageFileTest, ASuccessfulSaveLeavesExactlyTheTarget)
{
    saveImageFile(test::gradientPicture(10, 10), path("picture.png"));
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"picture.png"});
    // Saving over it replaces it, still without anything beside it.
    const Image second = test::noisePicture(7, 3, 9);
    saveImageFile(second, path("picture.png"));
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"picture.png"});
    EXPECT_TRUE(test::sameColours(loadImageFile(path("picture.png")), second));
    struct stat info {};
    ASSERT_EQ(::stat(path("picture.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0600, 0600u);
}

TEST_F(ImageFileTest, LoadErrorsNameTheFile)
{
    const std::string missing = messageOf([&] { loadImageFile(path("nothing.png")); });
    EXPECT_NE(missing.find("nothing.png"), std::string::npos) << missing;
    const Bytes damaged = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 1, 2, 3};
    writeFileAtomically(path("damaged.png"), damaged);
    const std::string text = messageOf([&] { loadImageFile(path("damaged.png")); });
    EXPECT_NE(text.find("damaged.png"), std::string::npos) << text;
    EXPECT_NE(text.find("PNG"), std::string::npos) << text;
}

} // namespace
} // namespace vask
