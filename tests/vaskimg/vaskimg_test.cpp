#include "tests/support/test_pictures.h"
#include "tests/vaskimg/vaskimg_process.h"

#include "engine/codecs/file_io.h"
#include "engine/codecs/image_file.h"
#include "engine/codecs/kernel_file.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/filter/level_filters.h"
#include "engine/ops/filter/matrix_filter.h"
#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/rotate.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>

using namespace vask;
using vask::test::runVaskimg;
namespace fs = std::filesystem;

namespace {

class Vaskimg : public ::testing::Test {
protected:
    void SetUp() override { m_folder = test::makeTemporaryFolder(); }
    void TearDown() override { test::removeFolder(m_folder); }

    std::string path(const std::string& name) const { return m_folder + "/" + name; }
    std::string write(const std::string& name, const Image& image)
    {
        saveImageFile(image, path(name));
        return path(name);
    }
    std::size_t fileCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }
    static int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

    std::string m_folder;
};

} // namespace

TEST_F(Vaskimg, InfoPrintsSizeDepthAndPaletteSize)
{
    const auto file = write("p.bmp", test::palettePicture(17, 5, 4, 3));
    const auto r = runVaskimg({"info", file});
    ASSERT_EQ(r.exitCode, 0) << r.standardError;
    EXPECT_EQ(r.standardOutput, "width: 17\nheight: 5\ndepth: 4\npalette: 16\n");
}

TEST_F(Vaskimg, ConvertKeepsPixelsAcrossFormatsAndChangesDepthOnRequest)
{
    const Image picture = test::noisePicture(31, 7, 1);
    const auto in = write("in.tif", picture);
    ASSERT_EQ(runVaskimg({"convert", in, path("out.png")}).exitCode, 0);
    EXPECT_TRUE(test::sameColours(loadImageFile(path("out.png")), picture));

    const auto r = runVaskimg({"convert", in, path("out8.bmp"), "--depth", "8"});
    ASSERT_EQ(r.exitCode, 0) << r.standardError;
    EXPECT_EQ(loadImageFile(path("out8.bmp")).depth(), 8);
}

TEST_F(Vaskimg, OperationsGiveTheEngineResult)
{
    const Image picture = test::gradientPicture(40, 23);
    const auto in = write("in.tif", picture);
    struct Case {
        std::vector<std::string> words;
        void (*expected)(Image&);
    };
    const std::vector<Case> cases = {
        {{"mirror", "h"}, [](Image& i) { mirrorImage(i, true, false); }},
        {{"mirror", "hv"}, [](Image& i) { mirrorImage(i, true, true); }},
        {{"negate"}, [](Image& i) { negateImage(i); }},
        {{"sharpen", "4"}, [](Image& i) { sharpenImage(i, 4); }},
        {{"edge", "10"}, [](Image& i) { edgeExtract(i, 10); }},
        {{"rotate", "7.5", "--fill", "FF00FF"}, [](Image& i) { rotateImage(i, 7.5, packRgb(255, 0, 255)); }},
        {{"rotate", "-90"}, [](Image& i) { rotateImage(i, -90, packRgb(0, 0, 0)); }},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {c.words[0]};
        std::vector<std::string> rest(c.words.begin() + 1, c.words.end());
        // Options go after the file names, words before them.
        auto option = std::find_if(rest.begin(), rest.end(), [](const std::string& w) { return w.rfind("--", 0) == 0; });
        args.insert(args.end(), rest.begin(), option);
        args.push_back(in);
        args.push_back(path("out.tif"));
        args.insert(args.end(), option, rest.end());
        const auto r = runVaskimg(args);
        ASSERT_EQ(r.exitCode, 0) << c.words[0] << ": " << r.standardError;
        Image expected = picture;
        c.expected(expected);
        EXPECT_TRUE(test::sameColours(loadImageFile(path("out.tif")), expected)) << c.words[0];
    }
}

TEST_F(Vaskimg, MatrixReadsAKernelFile)
{
    const Image picture = test::noisePicture(20, 9, 4);
    const auto in = write("in.tif", picture);
    FilterFile filter;
    filter.kernel.size = 3;
    filter.kernel.values = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    filter.scale = 1;
    filter.norm = 1;
    filter.offset = 0;
    writeFileAtomically(path("sharp.MA3"), encodeFilterFile(filter));
    const auto r = runVaskimg({"matrix", path("sharp.MA3"), in, path("out.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.standardError;
    Image expected = picture;
    matrixFilter(expected, filter.kernel, 1, 1, 0);
    EXPECT_TRUE(test::sameColours(loadImageFile(path("out.bmp")), expected));
}

TEST_F(Vaskimg, SeparateWritesOnePlanePerChannelAndMergeJoinsThem)
{
    const Image picture = test::noisePicture(15, 6, 9);
    const auto in = write("in.png", picture);
    const auto r = runVaskimg({"separate", "cmyk", in, path("sep.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.standardError;
    EXPECT_EQ(r.standardOutput, path("sep-cyan.bmp") + "\n" + path("sep-magenta.bmp") + "\n" +
                                    path("sep-yellow.bmp") + "\n" + path("sep-k.bmp") + "\n");
    EXPECT_EQ(loadImageFile(path("sep-k.bmp")).depth(), 8);
    const auto m = runVaskimg({"merge", "cmyk", path("back.png"), path("sep-cyan.bmp"), path("sep-magenta.bmp"),
                               path("sep-yellow.bmp"), path("sep-k.bmp")});
    ASSERT_EQ(m.exitCode, 0) << m.standardError;
    EXPECT_LE(test::maxChannelDifference(loadImageFile(path("back.png")), picture), 1);
}

TEST_F(Vaskimg, HistogramPrintsTwoHundredFiftySixCountsOfEveryPixel)
{
    const auto in = write("in.bmp", test::noisePicture(13, 11, 2));
    const auto r = runVaskimg({"histogram", "2", in});
    ASSERT_EQ(r.exitCode, 0) << r.standardError;
    ASSERT_EQ(lineCount(r.standardOutput), 256);
    std::istringstream lines(r.standardOutput);
    long total = 0, value = 0;
    while (lines >> value)
        total += value;
    EXPECT_EQ(total, 13 * 11);
}

TEST_F(Vaskimg, BatchWritesEveryInputIntoTheOutputFolderAndReportsEachFailure)
{
    const Image a = test::noisePicture(9, 4, 1), b = test::noisePicture(5, 8, 2);
    const auto inA = write("a.tif", a);
    const auto inB = write("b.bmp", b);
    fs::create_directory(path("out"));
    const auto r = runVaskimg({"negate", inA, path("missing.png"), inB, "--out-dir", path("out"), "--format", "png"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.standardError), 1) << r.standardError;
    EXPECT_NE(r.standardError.find("missing.png"), std::string::npos);
    Image negA = a, negB = b;
    negateImage(negA);
    negateImage(negB);
    EXPECT_TRUE(test::sameColours(loadImageFile(path("out/a.png")), negA));
    EXPECT_TRUE(test::sameColours(loadImageFile(path("out/b.png")), negB));
    EXPECT_FALSE(fs::exists(path("out/missing.png")));
}

TEST_F(Vaskimg, BadCallsExitWithOneLineAndLeaveNoOutput)
{
    const auto in = write("in.bmp", test::noisePicture(8, 8, 5));
    Bytes truncated = readWholeFile(in);
    truncated.resize(40);
    writeFileAtomically(path("cut.bmp"), truncated);
    writeFileAtomically(path("text.tif"), Bytes{'h', 'e', 'l', 'l', 'o'});
    const std::vector<std::vector<std::string>> calls = {
        {"frobnicate", in, path("o.bmp")},
        {"sharpen", "11", in, path("o.bmp")},
        {"sharpen", "x", in, path("o.bmp")},
        {"mirror", "sideways", in, path("o.bmp")},
        {"rotate", "10", in, path("o.bmp"), "--fill", "red"},
        {"negate", path("nothing.bmp"), path("o.bmp")},
        {"negate", path("cut.bmp"), path("o.bmp")},
        {"negate", path("text.tif"), path("o.bmp")},
        {"negate", in, path("o.gif")},
        {"negate", in, path("no/such/folder/o.bmp")},
        {"convert", in, path("o.jpg"), "--quality", "101"},
        {"negate", in},
        {"adjust", "sharpness", "5", in, path("o.bmp")},
        {"merge", "rgb", path("o.bmp"), in},
    };
    for (const auto& call : calls) {
        const auto r = runVaskimg(call);
        EXPECT_EQ(r.exitCode, 1) << call[0];
        EXPECT_EQ(lineCount(r.standardError), 1) << call[0] << ": " << r.standardError;
        EXPECT_EQ(r.standardError.rfind("vaskimg: ", 0), 0u) << r.standardError;
        EXPECT_FALSE(fs::exists(path("o.bmp")) || fs::exists(path("o.gif")) || fs::exists(path("o.jpg"))) << call[0];
    }
    // in.bmp, cut.bmp, text.tif and nothing else: no temporary file is left behind.
    EXPECT_EQ(fileCount(), 3u);
}
