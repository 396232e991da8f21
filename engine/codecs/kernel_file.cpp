#include "engine/codecs/kernel_file.h"

#include "engine/image/image_error.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace vask {

FilterFile decodeFilterFile(ByteSpan bytes, int size)
{
    if (size != 3 && size != 5)
        throw ImageError("A filter kernel is 3 x 3 or 5 x 5.");
    const int wanted = size * size + 3;
    int values[28] = {};
    std::size_t pos = 0;
    for (int line = 0; line < wanted; ++line) {
        if (pos >= bytes.size())
            throw ImageError("The filter file ends after " + std::to_string(line) + " lines; a " +
                             std::to_string(size) + " x " + std::to_string(size) + " filter has " +
                             std::to_string(wanted) + ".");
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\n')
            ++end;
        std::string text(reinterpret_cast<const char*>(bytes.data()) + pos, end - pos);
        pos = end + 1;
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
            text.pop_back();
        std::size_t first = 0;
        while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first])))
            ++first;
        if (first < text.size() && text[first] == '+')
            ++first;
        int value = 0;
        const char* begin = text.data() + first;
        const char* last = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(begin, last, value);
        if (ec != std::errc() || ptr != last || begin == last)
            throw ImageError("Line " + std::to_string(line + 1) + " of the filter file is not a whole number: \"" +
                             text + "\".");
        values[line] = value;
    }
    FilterFile filter;
    filter.kernel.size = size;
    std::copy_n(values, size * size, filter.kernel.values.begin());
    filter.scale = values[size * size];
    filter.norm = values[size * size + 1];
    filter.offset = values[size * size + 2];
    return filter;
}

Bytes encodeFilterFile(const FilterFile& filter)
{
    std::string text;
    auto line = [&](int v) { text += std::to_string(v) + "\r\n"; };
    for (int i = 0; i < filter.kernel.size * filter.kernel.size; ++i)
        line(filter.kernel.values[i]);
    line(filter.scale);
    line(filter.norm);
    line(filter.offset);
    return Bytes(text.begin(), text.end());
}

int filterSizeForName(const std::string& fileName)
{
    std::string upper = fileName;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    if (upper.find("MA5") != std::string::npos)
        return 5;
    if (upper.find("MA3") != std::string::npos)
        return 3;
    return 0;
}

} // namespace vask
