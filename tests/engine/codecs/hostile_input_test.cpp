#include "engine/codecs/bmp_codec.h"
#include "engine/codecs/msp_codec.h"
#include "engine/codecs/palette_file.h"
#include "engine/codecs/pcx_codec.h"
#include "engine/codecs/tga_codec.h"

#include "tests/engine/codecs/reference_files.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

struct FormatCase {
    const char* folder;
    const char* extension;
    void (*decode)(ByteSpan);
};

class DamagedReferenceFiles : public ::testing::TestWithParam<FormatCase> {};

// Every cut and many changed copies of every reference file give a picture or an ImageError,
// never a crash or another exception (the fuzzers check the same under AddressSanitizer).
TEST_P(DamagedReferenceFiles, GiveAPictureOrAnImageError)
{
    const FormatCase c = GetParam();
    const std::vector<std::string> names = test::referenceFileNames(c.folder, c.extension);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const Bytes file = test::readReferenceFile(std::string(c.folder) + "/" + name);
        ASSERT_NO_THROW(c.decode(file));
        test::decodeDamagedVariants(file, c.decode);
    }
}

INSTANTIATE_TEST_SUITE_P(OwnCodecs, DamagedReferenceFiles,
                         ::testing::Values(FormatCase{"bmp", ".bmp", [](ByteSpan b) { decodeBmp(b); }},
                                           FormatCase{"tga", ".tga", [](ByteSpan b) { decodeTga(b); }},
                                           FormatCase{"pcx", ".pcx", [](ByteSpan b) { decodePcx(b); }},
                                           FormatCase{"msp", ".msp", [](ByteSpan b) { decodeMsp(b); }},
                                           FormatCase{"pal", ".pal", [](ByteSpan b) { decodePalette(b); }}),
                         [](const auto& info) { return std::string(info.param.folder); });

} // namespace
} // namespace vask
