#pragma once

#include "tables/DbfLayout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tts::tables {

// Values in and out of one field of a record buffer, with the conversions the conversions
// expect of the engine: text cut to the field's width, numbers right-aligned in decimal with
// "." whatever the locale, booleans as T/F. A blank field reads "" or 0. Binary numbers (as the
// field's encoding says) are read like the decimal ones but never written. Bytes are copied
// unchanged, with no code-page conversion. Errors name `path` as the table.
namespace fieldCodec {

bool isSupported(const DbfField& field); // may be read: text, numbers (binary ones too), L

std::string readText(std::string_view record, const DbfField& field, const std::string& path);
void readText(std::string_view record, const DbfField& field, const std::string& path,
              std::string& into); // the same into a buffer that keeps its capacity
// A text field's value as readText gives it, as a view into `record`.
std::string_view textView(std::string_view record, const DbfField& field);
int32_t readInteger(std::string_view record, const DbfField& field, const std::string& path);
double readFloat(std::string_view record, const DbfField& field, const std::string& path);

// A text field's value cut to its width and padded with blanks.
void putText(std::string& record, const DbfField& field, std::string_view value);
// Any other field's value from its text.
void writeTextAsValue(std::string& record, const DbfField& field, std::string_view value,
                      const std::string& path);
// Inline: nearly every write is of a text column, and then there is no more to decide.
inline void writeText(std::string& record, const DbfField& field, std::string_view value,
                      const std::string& path) {
    if (field.encoding == FieldEncoding::Text)
        putText(record, field, value);
    else
        writeTextAsValue(record, field, value, path);
}
void writeBoolean(std::string& record, const DbfField& field, bool value, const std::string& path);
void writeFloat(std::string& record, const DbfField& field, double value, const std::string& path);

// The shortest decimal text that reads back as `value`, without exponent or trailing zeros
// ("2.5", "3", "0.1").
std::string decimalText(double value);

} // namespace fieldCodec

} // namespace tts::tables
