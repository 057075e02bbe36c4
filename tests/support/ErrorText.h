#pragma once

#include "base/Error.h"

#include <exception>
#include <functional>
#include <string>

namespace tts::test {

// What errorOf gives for an action that raised nothing. No message of the program looks like it.
inline const std::string kNoError = "<no error>";

// The text of the error `action` raised, or kNoError. The program raises only tts::Error; any
// other exception is marked as such, so that it never passes for the expected message.
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const tts::Error& e) {
        return e.message();
    } catch (const std::exception& e) {
        return std::string("<not a tts::Error> ") + e.what();
    }
    return kNoError;
}

} // namespace tts::test
