#pragma once

#include <QString>

#include <string_view>

namespace tts::app {

// A message of the program as the user reads it. The program's own texts are Windows-1252, but
// on Linux a message may carry a file's path, whose bytes are the file system's UTF-8: a text
// that reads as valid UTF-8 with letters beyond ASCII is taken as such (Windows-1252 text
// practically never does), anything else as Windows-1252.
QString userText(std::string_view bytes);

} // namespace tts::app
