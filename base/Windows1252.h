#pragma once

#include <string>
#include <string_view>

namespace tts {

// The program's texts are Windows-1252 bytes end to end; these convert them only at the edge
// where a person reads them. The five bytes the code page leaves undefined map to the C1
// control of the same value, as Windows itself converts them, so every byte survives.
char16_t windows1252ToUnicode(unsigned char byte);
int unicodeToWindows1252(char32_t character); // -1 when the code page lacks it

std::string windows1252ToUtf8(std::string_view bytes);
// The length of the well-formed UTF-8 sequence of two to four bytes at text[i], or 0.
size_t utf8SequenceAt(std::string_view text, size_t i);

// A message as the user reads it, in UTF-8. A message may carry a file's path, whose bytes are
// UTF-8 (the file system's on Linux, the wide API's converted on Windows), next to our own
// Windows-1252 words: each well-formed UTF-8 sequence is kept as it is (Windows-1252 text
// practically never holds one), every other byte is read as Windows-1252. So "La tabla est\xE1 en
// uso." followed by a folder "A\xC3\xB1o" reads right on both sides.
std::string textForDisplay(std::string_view bytes);

} // namespace tts
