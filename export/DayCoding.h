#pragma once

#include "sice/WholeFileReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace tts::exporting {

// How SICE writes the day of a slot: its digit ("1" to "7") or its letter (L M X J V S D).
enum class DayCoding { Numbers, Letters };

// Column 9 of the second line of sice_sesiones.txt: a digit 1-7 means numbers, anything else
// (another character, or none on a short line) letters. Fewer than two lines raise
// "List index out of bounds (1)".
DayCoding dayCodingFrom(sice::WholeFileLines sessionLines);
// What that message means, for those who read it before the export stops on it.
inline constexpr const char* kDayCodingNeeds = "necesita al menos dos l\xEDneas";
// The same for the file at `path`, whose stop says where it is and why, as every stop does.
DayCoding dayCodingOfFile(const std::string& path, sice::WholeFileLines sessionLines);

// The day text of a SOLUC row as SICE wants it: in letter mode "1"-"7" become L M X J V S D;
// every other text, and every text in number mode, stays as it is. A view of `day` or of a
// letter that lives as long as the program.
std::string_view siceDayCode(DayCoding coding, std::string_view day);

// True when the day codes of DIASHORAST are all of the other kind than `coding` asks for (digits
// 1-7 where letters are expected, or letters where digits are), so that no slot can match.
bool slotDaysDisagree(DayCoding coding, const std::vector<std::string>& slotDays);

} // namespace tts::exporting
