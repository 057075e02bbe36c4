#pragma once

#include "check/Finding.h"
#include "check/SiceFileSet.h"

namespace tts::check {

// What the bytes of a file do to its reading, before any value is looked at: UTF-8 text or a
// byte-order mark where Windows-1252 is expected, CR-only or mixed line ends, and a Ctrl-Z or
// NUL that ends the reading early (with the lines it would drop).
void checkTextShape(const SiceFile& file, Findings& findings);

} // namespace tts::check
