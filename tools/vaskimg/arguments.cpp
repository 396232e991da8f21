#include "arguments.h"

#include "engine/image/pixel.h"

#include <charconv>
#include <cstdlib>
#include <set>

namespace vaskimg {
namespace {

const std::set<std::string> kFlags = {"--fast", "--no-dither", "--no-optimise", "--no-bleed", "--help"};

} // namespace

std::string Arguments::value(const std::string& option, const std::string& fallback) const
{
    const auto it = options.find(option);
    return it == options.end() ? fallback : it->second;
}

Arguments parseArguments(int argc, char** argv)
{
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            const auto equals = word.find('=');
            if (equals != std::string::npos) {
                args.options[word.substr(0, equals)] = word.substr(equals + 1);
            } else if (kFlags.count(word)) {
                args.options[word] = "1";
            } else {
                if (i + 1 >= argc)
                    throw UsageError{"the option " + word + " needs a value"};
                args.options[word] = argv[++i];
            }
        } else if (args.operation.empty()) {
            args.operation = word;
        } else {
            args.positional.push_back(word);
        }
    }
    return args;
}

int parseInteger(const std::string& text, int low, int high, const std::string& what)
{
    int value = 0;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
        throw UsageError{what + " must be a whole number, not \"" + text + "\""};
    if (value < low || value > high)
        throw UsageError{what + " must be from " + std::to_string(low) + " to " + std::to_string(high) +
                         ", not " + text};
    return value;
}

double parseNumber(const std::string& text, const std::string& what)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || value != value)
        throw UsageError{what + " must be a number, not \"" + text + "\""};
    return value;
}

unsigned parseColour(const std::string& text)
{
    std::string hex = text;
    if (!hex.empty() && hex[0] == '#')
        hex.erase(0, 1);
    unsigned value = 0;
    const auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (hex.size() != 6 || ec != std::errc() || ptr != hex.data() + hex.size())
        throw UsageError{"a colour is six hexadecimal digits RRGGBB, not \"" + text + "\""};
    return value | 0xFF000000u;
}

} // namespace vaskimg
