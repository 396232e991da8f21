#pragma once

#include <cstddef>
#include <cstdint>

namespace vask {

// Memory for pixel rows. Fresh pages cost a fault each on first touch (about 6 GB/s here,
// slower than the work on them), so large blocks are backed by transparent huge pages and
// the last few freed blocks are kept for the next picture of a similar size.
// Returned memory is 64-byte aligned and not cleared; nullptr when the system refuses.
void* allocatePixelMemory(std::size_t bytes, std::size_t& capacity);
void freePixelMemory(void* block, std::size_t capacity) noexcept;

// A scratch block for an operation's intermediate rows, freed (and kept for reuse) on exit.
class PixelScratch {
public:
    explicit PixelScratch(std::size_t bytes);
    ~PixelScratch();
    PixelScratch(const PixelScratch&) = delete;
    PixelScratch& operator=(const PixelScratch&) = delete;

    std::uint8_t* data() { return m_data; }
    template <typename T> T* as() { return reinterpret_cast<T*>(m_data); }

private:
    std::uint8_t* m_data = nullptr;
    std::size_t m_capacity = 0;
};

} // namespace vask
