#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tts::app {

// The program's texts are Windows-1252 bytes; Qt wants Unicode. Converted here, at the edge, by
// our own table (base/Windows1252.h), since Qt's codecs do not offer this code page everywhere.
QString fromWindows1252(std::string_view bytes);

// Characters the code page lacks become "?".
std::string toWindows1252(const QString& text);

} // namespace tts::app
