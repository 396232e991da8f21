#pragma once

#include <string>
#include <vector>

namespace vask::test {

struct ProcessResult {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// Runs the vaskimg program under test with these arguments and waits for it.
ProcessResult runVaskimg(const std::vector<std::string>& arguments);

} // namespace vask::test
