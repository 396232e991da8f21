#pragma once

#include <map>
#include <string>
#include <vector>

namespace vaskimg {

// One command line split into the operation, its positional words and its --options.
// Options take a value ("--fill FF00FF", "--fill=FF00FF") unless they are known flags.
struct Arguments {
    std::string operation;
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option, const std::string& fallback = {}) const;
};

// Throws UsageError for an option without its value.
Arguments parseArguments(int argc, char** argv);

// The whole number in text, within [low, high]; UsageError naming what otherwise.
int parseInteger(const std::string& text, int low, int high, const std::string& what);
double parseNumber(const std::string& text, const std::string& what);
// "RRGGBB" (with or without '#') to 0xFFRRGGBB.
unsigned parseColour(const std::string& text);

struct UsageError {
    std::string message;
};

} // namespace vaskimg
