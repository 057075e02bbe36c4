#pragma once

#include "tests/support/ErrorText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/TempFolder.h"
#include "tests/support/SiceLines.h"

#include <functional>
#include <string>
#include <vector>

namespace tts::sice::test {

// A temporary folder that also gives itself as CarpetaSice holds it: with the separator at
// the end.
class TempFolder : public tts::test::TempFolder {
public:
    std::string carpeta() const { return path() + "/"; }
};

using tts::test::readBytes;
using tts::test::readLines;
using tts::test::splitLines;
using tts::test::writeBytes;

using tts::test::becomeNobody;
using tts::test::errorOf;
using tts::test::kNoError;

// errorInChild's answer when the child could not set itself up (no right to change user).
inline const char* const kPrepareFailed = "<prepare failed>";

// Runs `action` in a child process, after `prepare` (which may drop privileges or lower limits
// without touching this test process), and returns errorOf(action) there, or kPrepareFailed.
inline std::string errorInChild(const std::function<bool()>& prepare,
                                const std::function<void()>& action) {
    return tts::test::runInChild([&] { return prepare() ? errorOf(action) : kPrepareFailed; })
        .report;
}

} // namespace tts::sice::test
