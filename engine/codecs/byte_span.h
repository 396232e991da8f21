#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vask {

using ByteSpan = std::span<const std::uint8_t>;
using Bytes = std::vector<std::uint8_t>;

} // namespace vask
