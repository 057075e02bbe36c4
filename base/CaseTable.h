#pragma once

#include <string>
#include <string_view>

namespace tts {

// Letter case of Windows-1252, fixed here so that comparisons never depend on the machine's
// locale: a-z, the accented capitals 0xC0-0xDE (not 0xD7), and the four pairs of 0x8A/0x9A,
// 0x8C/0x9C, 0x8E/0x9E and 0x9F/0xFF.
unsigned char foldCase(unsigned char c); // to the lower-case letter
std::string foldCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Only a-z become A-Z; accented letters and ñ stay as they are.
std::string upperAsciiOnly(std::string_view text);
std::string lowerAsciiOnly(std::string_view text);

} // namespace tts
