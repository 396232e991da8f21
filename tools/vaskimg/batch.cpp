#include "batch.h"

#include "arguments.h"
#include "engine/image/image_error.h"
#include "engine/parallel/bands.h"

#include <atomic>
#include <filesystem>
#include <new>
#include <thread>

namespace vaskimg {

std::string batchOutputName(const std::string& input, const std::string& outDir, const std::string& newExtension)
{
    std::filesystem::path name = std::filesystem::path(input).filename();
    if (!newExtension.empty())
        name.replace_extension(newExtension[0] == '.' ? newExtension : "." + newExtension);
    return (std::filesystem::path(outDir) / name).string();
}

std::vector<std::string> runBatch(const std::vector<std::string>& inputs, const std::string& outDir,
                                  const std::string& newExtension,
                                  const std::function<void(const std::string&, const std::string&)>& work)
{
    std::vector<std::string> failures(inputs.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < inputs.size(); i = next++) {
            try {
                work(inputs[i], batchOutputName(inputs[i], outDir, newExtension));
            } catch (const vask::ImageError& e) {
                failures[i] = e.what();
            } catch (const UsageError& e) {
                failures[i] = inputs[i] + ": " + e.message;
            } catch (const std::bad_alloc&) {
                failures[i] = inputs[i] + ": there is not enough memory";
            } catch (const std::exception& e) {
                failures[i] = inputs[i] + ": " + e.what();
            }
        }
    };
    // One file per core; each operation's own bands then run on the file's thread alone.
    const int threads = std::min<int>(vask::bandThreadCount(), static_cast<int>(inputs.size()));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (auto& t : pool)
        t.join();
    std::vector<std::string> lines;
    for (auto& f : failures)
        if (!f.empty())
            lines.push_back(std::move(f));
    return lines;
}

} // namespace vaskimg
