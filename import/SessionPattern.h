#pragma once

#include <string>

namespace tts::import {

// SESIONES for weekly hours of at least 1: one "1" per whole hour up to 13, preceded by the
// number of whole hours beyond 13 when there are more, followed by the one-half sign (byte
// 0xBD) when the hours have a fractional part. 2.5 gives "11\xBD", 14 gives "1" and thirteen
// "1". Hours past the range of whole numbers still give their digits; the table cuts the text.
std::string sessionPattern(double hours);

} // namespace tts::import
