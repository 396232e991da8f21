#pragma once

#include <stdexcept>
#include <string>

namespace vask {

// Every engine failure a caller can show the user: a picture that cannot be created, a file
// that cannot be read or written, an argument outside what an operation accepts. The text
// is one complete sentence fit for a message box.
class ImageError : public std::runtime_error {
public:
    explicit ImageError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vask
