#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tts::app {

// The program's texts are Windows-1252 bytes; Qt wants Unicode. Converted here, at the edge, by
// our own table (base/Windows1252.h), since Qt's codecs do not offer this code page everywhere.
// Characters the code page lacks become "?".
std::string toWindows1252(const QString& text);

// A path or a folder's name, in the file system's encoding.
QString fromFileName(const std::string& bytes);

} // namespace tts::app
