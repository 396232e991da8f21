#include "engine/image/pixel_memory.h"

#include "engine/image/image_error.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <sys/mman.h>

namespace vask {
namespace {

constexpr std::size_t kLargeBlock = 4u << 20;  // from here on: mapped, huge pages, recycled
constexpr std::size_t kHugePage = 2u << 20;
constexpr int kKeptBlocks = 4;

struct KeptBlock {
    void* block = nullptr;
    std::size_t capacity = 0;
};

std::mutex g_keptMutex;
std::array<KeptBlock, kKeptBlocks> g_kept;

void* takeKeptBlock(std::size_t bytes, std::size_t& capacity)
{
    std::lock_guard lock(g_keptMutex);
    int best = -1;
    for (int i = 0; i < kKeptBlocks; ++i) {
        const KeptBlock& k = g_kept[i];
        // A kept block serves when it is large enough and not wastefully larger.
        if (k.block && k.capacity >= bytes && k.capacity <= bytes * 2 &&
            (best < 0 || k.capacity < g_kept[best].capacity))
            best = i;
    }
    if (best < 0)
        return nullptr;
    void* block = g_kept[best].block;
    capacity = g_kept[best].capacity;
    g_kept[best] = {};
    return block;
}

void unmapBlock(void* block, std::size_t capacity) noexcept
{
    munmap(block, capacity);
}

} // namespace

void* allocatePixelMemory(std::size_t bytes, std::size_t& capacity)
{
    if (bytes == 0)
        bytes = 64;
    if (bytes < kLargeBlock) {
        capacity = (bytes + 63) & ~std::size_t(63);
        return std::aligned_alloc(64, capacity);
    }
    if (void* kept = takeKeptBlock(bytes, capacity))
        return kept;
    capacity = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    // Map one huge page more so the block can start on a huge-page boundary.
    const std::size_t mapped = capacity + kHugePage;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t(kHugePage) - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::uintptr_t end = start + mapped;
    if (end > aligned + capacity)
        munmap(reinterpret_cast<void*>(aligned + capacity), end - (aligned + capacity));
    void* block = reinterpret_cast<void*>(aligned);
    madvise(block, capacity, MADV_HUGEPAGE);
    return block;
}

void freePixelMemory(void* block, std::size_t capacity) noexcept
{
    if (!block)
        return;
    if (capacity < kLargeBlock) {
        std::free(block);
        return;
    }
    KeptBlock evicted;
    {
        std::lock_guard lock(g_keptMutex);
        int slot = -1;
        for (int i = 0; i < kKeptBlocks && slot < 0; ++i)
            if (!g_kept[i].block)
                slot = i;
        if (slot < 0) {
            // Keep the newest blocks: evict the smallest one.
            slot = 0;
            for (int i = 1; i < kKeptBlocks; ++i)
                if (g_kept[i].capacity < g_kept[slot].capacity)
                    slot = i;
            evicted = g_kept[slot];
        }
        g_kept[slot] = {block, capacity};
    }
    if (evicted.block)
        unmapBlock(evicted.block, evicted.capacity);
}

PixelScratch::PixelScratch(std::size_t bytes)
{
    m_data = static_cast<std::uint8_t*>(allocatePixelMemory(bytes, m_capacity));
    if (!m_data)
        throw ImageError("Not enough memory for the operation's working buffer.");
}

PixelScratch::~PixelScratch()
{
    freePixelMemory(m_data, m_capacity);
}

} // namespace vask
