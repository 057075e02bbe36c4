#pragma once

#include "base/Error.h"

#include <string>

namespace tts::tables {

// The texts the user reads when the table layer fails: a first line saying what went wrong,
// then one context line per fact ("Tabla: <path>"). Windows-1252 bytes, no final full stop.
namespace tableErrors {

Error tableNotFound(const std::string& path);
Error tableInUse(const std::string& path);
Error invalidFolder(const std::string& folder);
Error folderUnreadable(const std::string& folder, int errorCode);
Error columnNotFound(const std::string& componentName, const std::string& column);
Error damaged(const std::string& path, const std::string& reason);
Error cannotOpen(const std::string& path, int errorCode);
Error cannotCreate(const std::string& path, int errorCode);
Error cannotRead(const std::string& path, int errorCode);
Error cannotWrite(const std::string& path, int errorCode);
Error readOnly(const std::string& path);
Error notEditing(const std::string& path);
Error closed(const std::string& path);
Error unsupportedColumnType(const std::string& path, const std::string& column, char type);
Error notANumber(const std::string& path, const std::string& column, const std::string& text);
Error valueDoesNotFit(const std::string& path, const std::string& column, const std::string& value);
// Its first sentence, without the period, for `check` to say before the column is ever written.
std::string valueDoesNotFitText(const std::string& column, const std::string& value);
Error notABoolean(const std::string& text);
Error invalidDefinition(const std::string& name, const std::string& reason);

// The operating system's reason in Spanish, for the "Motivo:" line.
std::string systemReason(int errorCode);

} // namespace tableErrors

} // namespace tts::tables
