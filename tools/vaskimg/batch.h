#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vaskimg {

// Runs work(input, output) for every input, the outputs in outDir under the input's file
// name (with its extension replaced when newExtension is given). Files are processed side by
// side on all cores. Returns the failure lines, one per file that failed, in input order.
std::vector<std::string> runBatch(const std::vector<std::string>& inputs, const std::string& outDir,
                                  const std::string& newExtension,
                                  const std::function<void(const std::string&, const std::string&)>& work);

// The output name for one input of a batch.
std::string batchOutputName(const std::string& input, const std::string& outDir, const std::string& newExtension);

} // namespace vaskimg
