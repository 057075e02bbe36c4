#pragma once

#include <stdexcept>
#include <string>

namespace tts {

// The one error type of the program. Its text is what the user reads, in Windows-1252 bytes,
// without the final full stop: the top-level handler adds that when it shows the error.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

} // namespace tts
