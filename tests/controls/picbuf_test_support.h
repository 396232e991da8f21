#pragma once

// Pictures and folders the control tests share.

#include "controls/picbuf.h"
#include "engine/image/create_image.h"
#include "engine/image/image.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace vask::test {

// Random colours at 24 bits, random indices into a random palette below.
inline Image pictureOfDepth(int width, int height, int depth, std::uint32_t seed)
{
    return depth == 24 ? noisePicture(width, height, seed)
                       : palettePicture(width, height, depth, seed + depth);
}

// A picture buffer control holding picture from the start.
class Holding : public TPicbuf {
public:
    explicit Holding(Image picture) { setImage(std::move(picture)); }
};

// A test with a fresh temporary folder of its own.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = makeTemporaryFolder(); }
    void TearDown() override { removeFolder(m_folder); }
    QString path(const char* name) const { return QString::fromStdString(m_folder + "/" + name); }

    std::string m_folder;
};

} // namespace vask::test
