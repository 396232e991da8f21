// vaskimg: the picture engine from the command line, for scripts, batch work, bug reports
// and benchmarks. Every command reads its pictures by extension and writes each output
// through a temporary file, so a failure never leaves a partial file behind.

#include "arguments.h"
#include "batch.h"
#include "operations.h"

#include "engine/codecs/image_file.h"
#include "engine/image/image_error.h"
#include "engine/ops/adjust/histogram.h"
#include "engine/ops/colour/separations.h"
#include "engine/ops/composite/mask_images.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>

namespace vaskimg {
namespace {

using vask::Image;

constexpr const char* kUsage =
    "usage: vaskimg COMMAND [ARGUMENTS] IN OUT [OPTIONS]\n"
    "       vaskimg COMMAND [ARGUMENTS] IN... --out-dir DIR [--format EXT] [OPTIONS]\n"
    "commands:\n"
    "  info FILE\n"
    "  convert IN OUT [--depth 1|4|8|24] [--quality 5..100] [--write-option 0..3]\n"
    "  mask SOURCE MASK DESTINATION OUT\n"
    "  separate rgb|cmyk|cmy|hls|hsv IN OUTPREFIX    (prints the plane files it writes, in plane order)\n"
    "  merge rgb|cmyk|cmy|hls|hsv OUT PLANE...      (planes in the order separate writes them)\n"
    "  histogram 0..3 IN                            (0 luminance, 1 red, 2 green, 3 blue)\n";

vask::WriteOptions writeOptions(const Arguments& args)
{
    vask::WriteOptions options;
    if (args.has("--quality"))
        options.jpegQuality = parseInteger(args.value("--quality"), 5, 100, "the quality");
    if (args.has("--write-option"))
        options.writeOption = parseInteger(args.value("--write-option"), 0, 3, "the write option");
    return options;
}

void requireCount(const Arguments& args, std::size_t count, const char* usage)
{
    if (args.positional.size() != count)
        throw UsageError{std::string("usage: vaskimg ") + usage};
}

vask::ColourModel parseModel(const std::string& text)
{
    if (text == "rgb") return vask::ColourModel::Rgb;
    if (text == "cmyk") return vask::ColourModel::Cmyk;
    if (text == "cmy") return vask::ColourModel::Cmy;
    if (text == "hls") return vask::ColourModel::Hls;
    if (text == "hsv") return vask::ColourModel::Hsv;
    throw UsageError{"the colour model is rgb, cmyk, cmy, hls or hsv, not \"" + text + "\""};
}

std::vector<std::string> planeNames(vask::ColourModel model)
{
    switch (model) {
    case vask::ColourModel::Rgb: return {"blue", "green", "red"};
    case vask::ColourModel::Cmyk: return {"cyan", "magenta", "yellow", "k"};
    case vask::ColourModel::Cmy: return {"cyan", "magenta", "yellow"};
    case vask::ColourModel::Hsv: return {"hue", "saturation", "value"};
    case vask::ColourModel::Hls: return {"hue", "lightness", "saturation"};
    }
    return {};
}

// OUTPREFIX "planes.png" gives planes-red.png ...; a prefix without a picture extension
// takes the input's extension.
std::string planeFileName(const std::string& prefix, const std::string& input, const std::string& plane)
{
    std::filesystem::path path(prefix);
    if (vask::formatForFileName(prefix) != vask::ImageFormat::Unknown) {
        const std::string extension = path.extension().string();
        path.replace_extension();
        return path.string() + "-" + plane + extension;
    }
    return prefix + "-" + plane + std::filesystem::path(input).extension().string();
}

int runInfo(const Arguments& args)
{
    requireCount(args, 1, "info FILE");
    const Image image = vask::loadImageFile(args.positional[0]);
    std::printf("width: %d\nheight: %d\ndepth: %d\npalette: %zu\n", image.width(), image.height(), image.depth(),
                image.palette().size());
    return 0;
}

int runHistogram(const Arguments& args)
{
    requireCount(args, 2, "histogram 0..3 IN");
    const int channel = parseInteger(args.positional[0], 0, 3, "the channel");
    const auto counts = vask::computeHistogram(vask::loadImageFile(args.positional[1]), channel);
    std::string text;
    for (auto count : counts)
        text += std::to_string(count) + "\n";
    std::fputs(text.c_str(), stdout);
    return 0;
}

int runMask(const Arguments& args)
{
    requireCount(args, 4, "mask SOURCE MASK DESTINATION OUT");
    const Image source = vask::loadImageFile(args.positional[0]);
    const Image mask = vask::loadImageFile(args.positional[1]);
    Image destination = vask::loadImageFile(args.positional[2]);
    vask::maskImages(destination, source, mask);
    vask::saveImageFile(destination, args.positional[3], writeOptions(args));
    return 0;
}

int runSeparate(const Arguments& args)
{
    requireCount(args, 3, "separate rgb|cmyk|cmy|hls|hsv IN OUTPREFIX");
    const vask::ColourModel model = parseModel(args.positional[0]);
    const std::string& input = args.positional[1];
    const auto planes = vask::colorSeparate(vask::loadImageFile(input), model);
    const auto names = planeNames(model);
    const vask::WriteOptions options = writeOptions(args);
    for (std::size_t i = 0; i < planes.size(); ++i) {
        const std::string name = planeFileName(args.positional[2], input, names[i]);
        vask::saveImageFile(planes[i], name, options);
        std::printf("%s\n", name.c_str());
    }
    return 0;
}

int runMerge(const Arguments& args)
{
    if (args.positional.size() < 3)
        throw UsageError{"usage: vaskimg merge rgb|cmyk|cmy|hls|hsv OUT PLANE..."};
    const vask::ColourModel model = parseModel(args.positional[0]);
    const std::size_t wanted = static_cast<std::size_t>(vask::planeCount(model));
    if (args.positional.size() - 2 != wanted)
        throw UsageError{"merging " + args.positional[0] + " takes " + std::to_string(wanted) + " planes"};
    std::vector<Image> planes;
    for (std::size_t i = 2; i < args.positional.size(); ++i)
        planes.push_back(vask::loadImageFile(args.positional[i]));
    vask::saveImageFile(vask::colorMerge(planes, model), args.positional[1], writeOptions(args));
    return 0;
}

// convert and the one-picture operations: IN OUT, or a batch of inputs into --out-dir.
int runPictureCommand(const Arguments& args, const PictureOperation* operation)
{
    const std::size_t wordCount = operation ? static_cast<std::size_t>(operation->wordCount) : 0;
    const char* usage = operation ? operation->usage : "convert IN OUT [--depth 1|4|8|24]";
    if (args.positional.size() < wordCount)
        throw UsageError{std::string("usage: vaskimg ") + usage + " IN OUT"};
    const std::vector<std::string> words(args.positional.begin(), args.positional.begin() + wordCount);
    const std::vector<std::string> files(args.positional.begin() + wordCount, args.positional.end());
    const vask::WriteOptions options = writeOptions(args);
    int depth = 0;
    if (!operation && args.has("--depth")) {
        depth = parseInteger(args.value("--depth"), 1, 24, "the depth");
        if (!Image::isValidDepth(depth))
            throw UsageError{"the depth must be 1, 4, 8 or 24"};
    }
    auto work = [&](const std::string& in, const std::string& out) {
        Image image = vask::loadImageFile(in);
        if (operation)
            operation->apply(image, words, args);
        else if (depth)
            convertDepth(image, depth, true, true, true);
        vask::saveImageFile(image, out, options);
    };
    if (args.has("--out-dir")) {
        if (files.empty())
            throw UsageError{std::string("usage: vaskimg ") + usage + " IN... --out-dir DIR"};
        const std::string dir = args.value("--out-dir");
        if (!std::filesystem::is_directory(dir))
            throw UsageError{"the output folder " + dir + " does not exist"};
        const auto failures = runBatch(files, dir, args.value("--format"), work);
        for (const auto& line : failures)
            std::fprintf(stderr, "vaskimg: %s\n", line.c_str());
        return failures.empty() ? 0 : 1;
    }
    if (files.size() != 2)
        throw UsageError{std::string("usage: vaskimg ") + usage + " IN OUT"};
    work(files[0], files[1]);
    return 0;
}

int run(int argc, char** argv)
{
    const Arguments args = parseArguments(argc, argv);
    if (args.operation.empty() || args.operation == "help" || args.has("--help")) {
        std::fputs(kUsage, args.operation.empty() ? stderr : stdout);
        for (const auto& op : pictureOperations())
            std::fprintf(args.operation.empty() ? stderr : stdout, "  %s IN OUT\n", op.usage);
        return args.operation.empty() ? 1 : 0;
    }
    if (args.operation == "info") return runInfo(args);
    if (args.operation == "histogram") return runHistogram(args);
    if (args.operation == "mask") return runMask(args);
    if (args.operation == "separate") return runSeparate(args);
    if (args.operation == "merge") return runMerge(args);
    if (args.operation == "convert") return runPictureCommand(args, nullptr);
    if (const PictureOperation* op = findPictureOperation(args.operation))
        return runPictureCommand(args, op);
    throw UsageError{"there is no command \"" + args.operation + "\" (vaskimg help lists them)"};
}

} // namespace
} // namespace vaskimg

int main(int argc, char** argv)
{
    try {
        return vaskimg::run(argc, argv);
    } catch (const vaskimg::UsageError& e) {
        std::fprintf(stderr, "vaskimg: %s\n", e.message.c_str());
    } catch (const vask::ImageError& e) {
        std::fprintf(stderr, "vaskimg: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vaskimg: there is not enough memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vaskimg: %s\n", e.what());
    }
    return 1;
}
