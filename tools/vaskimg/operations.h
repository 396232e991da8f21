#pragma once

#include "arguments.h"
#include "engine/image/image.h"

#include <functional>
#include <string>
#include <vector>

namespace vaskimg {

// An operation that turns one picture into one picture: its name, how many words it takes
// before the file names, and the work. The work reads its words and the options.
struct PictureOperation {
    const char* name;
    int wordCount;
    const char* usage;
    std::function<void(vask::Image&, const std::vector<std::string>& words, const Arguments&)> apply;
};

const std::vector<PictureOperation>& pictureOperations();
const PictureOperation* findPictureOperation(const std::string& name);

// The depth command's rule: raise without change, or reduce to 2, 16 or 256 colours.
void convertDepth(vask::Image& image, int depth, bool optimise, bool dither, bool bleed);

} // namespace vaskimg
