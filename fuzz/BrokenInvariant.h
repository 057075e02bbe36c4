#pragma once

#include <stdexcept>
#include <string>

namespace tts::fuzz {

// Raised by a harness when the code under test survived an input but did something it must never
// do (a wrong line, a half-written file). Deliberately not a tts::Error: nothing catches it, so
// the fuzzer reports it as a crash and the regression test as a failure.
class BrokenInvariant : public std::logic_error {
public:
    explicit BrokenInvariant(const std::string& what) : std::logic_error(what) {}
};

// `what` is a fixed text so that checks that hold, the usual case, cost nothing.
inline void require(bool condition, const char* what) {
    if (!condition)
        throw BrokenInvariant(what);
}

} // namespace tts::fuzz
