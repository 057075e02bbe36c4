#include "tables/FieldCodec.h"

#include "base/CaseTable.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "tables/TableErrors.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace tts::tables::fieldCodec {

namespace {

enum class Kind { Text, Number, Logical, Binary, Other };

Kind kindOf(const DbfField& field) {
    switch (field.encoding) {
    case FieldEncoding::Text:
        return Kind::Text;
    case FieldEncoding::Number:
        return Kind::Number;
    case FieldEncoding::Logical:
        return Kind::Logical;
    case FieldEncoding::Unreadable:
        return Kind::Other;
    default:
        return Kind::Binary;
    }
}

Kind readableKind(const DbfField& field, const std::string& path) {
    Kind kind = kindOf(field);
    if (kind == Kind::Other)
        throw tableErrors::unsupportedColumnType(path, field.name, field.type);
    return kind;
}

// Binary numbers are only read: the tables this program writes hold none.
Kind writableKind(const DbfField& field, const std::string& path) {
    Kind kind = kindOf(field);
    if (kind == Kind::Other || kind == Kind::Binary)
        throw tableErrors::unsupportedColumnType(path, field.name, field.type);
    return kind;
}

std::string_view rawField(std::string_view record, const DbfField& field) {
    return record.substr(static_cast<size_t>(field.offset), static_cast<size_t>(field.width));
}

// dBase pads text with spaces; some writers pad with NULs. A text ends at its first NUL, as the
// host's engine reads it, so a NUL never reaches a SICE file. Leading blanks are kept.
std::string_view storedText(std::string_view raw) {
    const char* bytes = raw.data();
    size_t end = raw.size();
    // Eight bytes at a time where the machine keeps the first byte lowest in a word: every text
    // read of every row comes here, and a word tells its first NUL, or its last non-blank, at
    // once. The last word overlaps the one before rather than going byte by byte.
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t ones = 0x0101010101010101ull;
        constexpr uint64_t highs = 0x8080808080808080ull;
        constexpr uint64_t blanks = 0x2020202020202020ull;
        uint64_t word;
        for (size_t at = 0; end >= 8; at += 8) {
            at = std::min(at, end - 8);
            std::memcpy(&word, bytes + at, sizeof word);
            // The lowest marked byte is the first zero one; marks above it may be false.
            if (const uint64_t zeros = (word - ones) & ~word & highs) {
                end = at + static_cast<size_t>(std::countr_zero(zeros)) / 8;
                break;
            }
            if (at + 8 == end)
                break;
        }
        for (; end >= 8; end -= 8) {
            std::memcpy(&word, bytes + end - 8, sizeof word);
            if (const uint64_t other = word ^ blanks)
                return raw.substr(0, end - static_cast<size_t>(std::countl_zero(other)) / 8);
        }
    }
    const char* nul = static_cast<const char*>(std::memchr(bytes, '\0', end));
    if (nul)
        end = static_cast<size_t>(nul - bytes);
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    return raw.substr(0, end);
}

// The number in a numeric field. `whole` when it is written without point or exponent.
struct StoredNumber {
    bool blank = true;
    bool whole = false;
    std::string_view text; // without a leading "+"
};

StoredNumber storedNumber(std::string_view record, const DbfField& field, const std::string& path) {
    std::string_view text = trimmedOfControls(rawField(record, field));
    StoredNumber number;
    if (text.empty())
        return number;
    const DecimalShape shape = decimalShape(text);
    if (!shape.valid)
        throw tableErrors::notANumber(path, field.name, std::string(text));
    number.blank = false;
    number.whole = shape.whole;
    number.text = text[0] == '+' ? text.substr(1) : text;
    return number;
}

// A stored number beyond a double is no value, as everywhere else.
double toDouble(std::string_view text) {
    if (const std::optional<double> value = decimalValue(text))
        return *value;
    return toDecimal(text); // raises "'<text>' no es un valor punto flotante válido"
}

// "-007" -> "-7", "-0" -> "0"
std::string canonicalWhole(std::string_view text) {
    bool negative = text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    size_t first = text.find_first_not_of('0');
    if (first == std::string_view::npos)
        return "0";
    std::string canonical(negative ? "-" : "");
    canonical.append(text.substr(first));
    return canonical;
}

void putRightAligned(std::string& record, const DbfField& field, std::string_view text) {
    auto width = static_cast<size_t>(field.width);
    char* target = record.data() + field.offset;
    std::memset(target, ' ', width);
    std::memcpy(target + (width - text.size()), text.data(), text.size());
}

void putBlank(std::string& record, const DbfField& field) {
    std::memset(record.data() + field.offset, ' ', static_cast<size_t>(field.width));
}

std::string shortText(double value) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc{} ? std::string(buffer, end) : std::string();
}

void putNumber(std::string& record, const DbfField& field, double value, const std::string& path) {
    if (!std::isfinite(value))
        throw tableErrors::valueDoesNotFit(path, field.name, shortText(value));
    // Fewer decimals before giving up: a large value keeps its whole part.
    char buffer[400];
    for (int decimals = field.decimals; decimals >= 0; --decimals) {
        auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::fixed, decimals);
        if (error != std::errc{})
            break;
        std::string_view text(buffer, static_cast<size_t>(end - buffer));
        if (text[0] == '-' && text.find_first_not_of("-0.") == std::string_view::npos)
            text.remove_prefix(1); // no "-0.000"
        if (text.size() <= static_cast<size_t>(field.width)) {
            putRightAligned(record, field, text);
            return;
        }
    }
    throw tableErrors::valueDoesNotFit(path, field.name, shortText(value));
}

// Blank, "?" (unknown) and anything unexpected read as no value.
int logicalValue(std::string_view record, const DbfField& field) {
    switch (rawField(record, field)[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
    case 'S':
    case 's':
        return 1;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return 0;
    default:
        return -1;
    }
}

uint64_t bigEndian(std::string_view bytes) {
    uint64_t value = 0;
    for (char byte : bytes)
        value = (value << 8) | static_cast<unsigned char>(byte);
    return value;
}

uint64_t littleEndian(std::string_view bytes) {
    uint64_t value = 0;
    for (size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

double doubleOfBits(uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The value of a binary number field: a whole number, a double, or ten-thousandths.
struct BinaryNumber {
    enum class Form { None, Whole, Double, TenThousandths } form = Form::None;
    int64_t whole = 0; // Whole and TenThousandths
    double value = 0;  // Double
};

BinaryNumber binaryNumber(std::string_view record, const DbfField& field) {
    using Form = BinaryNumber::Form;
    const std::string_view raw = rawField(record, field);
    const uint64_t signBit = uint64_t{1} << 63;
    BinaryNumber number;
    switch (field.encoding) {
    case FieldEncoding::LittleInteger:
        number.form = Form::Whole;
        number.whole = static_cast<int32_t>(static_cast<uint32_t>(littleEndian(raw)));
        break;
    case FieldEncoding::Level7Integer: {
        // Stored with the sign bit flipped so that the bytes sort as the numbers do; all zero
        // bytes are a row without a value.
        const auto bits = static_cast<uint32_t>(bigEndian(raw));
        if (bits != 0) {
            number.form = Form::Whole;
            number.whole = static_cast<int32_t>(bits ^ 0x80000000u);
        }
        break;
    }
    case FieldEncoding::LittleDouble:
        number.form = Form::Double;
        number.value = doubleOfBits(littleEndian(raw));
        break;
    case FieldEncoding::Level7Double: {
        // Positive values have the sign bit set, negative ones every bit inverted: again so that
        // the bytes sort as the numbers do. All zero bytes: no value.
        const uint64_t bits = bigEndian(raw);
        if (bits != 0) {
            number.form = Form::Double;
            number.value = doubleOfBits((bits & signBit) != 0 ? bits ^ signBit : ~bits);
        }
        break;
    }
    case FieldEncoding::Currency:
        number.form = Form::TenThousandths;
        number.whole = static_cast<int64_t>(littleEndian(raw));
        break;
    default:
        break;
    }
    return number;
}

// Ten-thousandths in decimal, exact: 125000 -> "12.5", -5 -> "-0.0005".
std::string tenThousandthsText(int64_t value) {
    const bool negative = value < 0;
    // In unsigned arithmetic so that the most negative value has a magnitude too.
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

// Rounded half to even, as the engine the host uses rounds; beyond 32 bits the usual
// "no es un valor entero válido".
int32_t roundedInteger(double value) {
    double rounded = std::nearbyint(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
        return toInteger(decimalText(value));
    return static_cast<int32_t>(rounded);
}

std::string binaryText(const BinaryNumber& number) {
    switch (number.form) {
    case BinaryNumber::Form::None:
        return "";
    case BinaryNumber::Form::Whole:
        return std::to_string(number.whole);
    case BinaryNumber::Form::Double:
        return decimalText(number.value);
    case BinaryNumber::Form::TenThousandths:
        return tenThousandthsText(number.whole);
    }
    return "";
}

double binaryFloat(const BinaryNumber& number) {
    switch (number.form) {
    case BinaryNumber::Form::Whole:
        return static_cast<double>(number.whole);
    case BinaryNumber::Form::Double:
        return number.value;
    case BinaryNumber::Form::TenThousandths:
        return static_cast<double>(number.whole) / 10000;
    default:
        return 0;
    }
}

int32_t binaryInteger(const BinaryNumber& number) {
    switch (number.form) {
    case BinaryNumber::Form::Whole:
        return static_cast<int32_t>(number.whole); // four bytes: always in range
    case BinaryNumber::Form::None:
        return 0;
    default:
        return roundedInteger(binaryFloat(number));
    }
}

} // namespace

bool isSupported(const DbfField& field) {
    return kindOf(field) != Kind::Other;
}

std::string decimalText(double value) {
    if (value == 0)
        return "0";
    char buffer[400];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc{}) {
        auto [generalEnd, generalError] = std::to_chars(buffer, buffer + sizeof buffer, value);
        return generalError == std::errc{} ? std::string(buffer, generalEnd) : std::string();
    }
    return std::string(buffer, end);
}

std::string_view textView(std::string_view record, const DbfField& field) {
    return storedText(rawField(record, field));
}

void readText(std::string_view record, const DbfField& field, const std::string& path,
              std::string& into) {
    if (field.encoding == FieldEncoding::Text)
        into.assign(storedText(rawField(record, field)));
    else
        into = readText(record, field, path);
}

std::string readText(std::string_view record, const DbfField& field, const std::string& path) {
    switch (readableKind(field, path)) {
    case Kind::Text:
        return std::string(storedText(rawField(record, field)));
    case Kind::Logical: {
        int value = logicalValue(record, field);
        return value < 0 ? "" : value ? "True" : "False";
    }
    case Kind::Binary:
        return binaryText(binaryNumber(record, field));
    default: {
        StoredNumber number = storedNumber(record, field, path);
        if (number.blank)
            return "";
        return number.whole ? canonicalWhole(number.text) : decimalText(toDouble(number.text));
    }
    }
}

int32_t readInteger(std::string_view record, const DbfField& field, const std::string& path) {
    switch (readableKind(field, path)) {
    case Kind::Text: {
        std::string_view text = storedText(rawField(record, field));
        return text.empty() ? 0 : toInteger(text);
    }
    case Kind::Logical:
        return logicalValue(record, field) == 1 ? 1 : 0;
    case Kind::Binary:
        return binaryInteger(binaryNumber(record, field));
    default: {
        StoredNumber number = storedNumber(record, field, path);
        if (number.blank)
            return 0;
        if (number.whole)
            return toInteger(canonicalWhole(number.text));
        // Rounded half to even, as the engine the host uses rounds.
        double rounded = std::nearbyint(toDouble(number.text));
        if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
            return toInteger(number.text); // raises the usual "no es un valor entero válido"
        return static_cast<int32_t>(rounded);
    }
    }
}

double readFloat(std::string_view record, const DbfField& field, const std::string& path) {
    switch (readableKind(field, path)) {
    case Kind::Text: {
        std::string_view text = storedText(rawField(record, field));
        return text.empty() ? 0 : toDecimal(text);
    }
    case Kind::Logical:
        return logicalValue(record, field) == 1 ? 1 : 0;
    case Kind::Binary:
        return binaryFloat(binaryNumber(record, field));
    default: {
        StoredNumber number = storedNumber(record, field, path);
        return number.blank ? 0 : toDouble(number.text);
    }
    }
}

void putText(std::string& record, const DbfField& field, std::string_view value) {
    const auto width = static_cast<size_t>(field.width);
    const size_t length = std::min(value.size(), width);
    char* target = record.data() + field.offset;
    if (length > 0) // an empty view may have no data pointer at all
        std::memcpy(target, value.data(), length);
    std::memset(target + length, ' ', width - length);
}

void writeTextAsValue(std::string& record, const DbfField& field, std::string_view value,
                      const std::string& path) {
    switch (writableKind(field, path)) {
    case Kind::Text:
        putText(record, field, value);
        return;
    case Kind::Logical:
        if (value.empty())
            putBlank(record, field);
        else if (equalsIgnoringCase(value, "True") || equalsIgnoringCase(value, "T"))
            putText(record, field, "T");
        else if (equalsIgnoringCase(value, "False") || equalsIgnoringCase(value, "F"))
            putText(record, field, "F");
        else
            throw tableErrors::notABoolean(std::string(value));
        return;
    default:
        if (value.empty())
            putBlank(record, field);
        else
            putNumber(record, field, toDecimal(value), path);
        return;
    }
}

void writeBoolean(std::string& record, const DbfField& field, bool value, const std::string& path) {
    switch (writableKind(field, path)) {
    case Kind::Number:
        putNumber(record, field, value ? 1 : 0, path);
        return;
    default:
        putText(record, field, value ? "T" : "F");
        return;
    }
}

void writeFloat(std::string& record, const DbfField& field, double value, const std::string& path) {
    switch (writableKind(field, path)) {
    case Kind::Text:
        putText(record, field, decimalText(value));
        return;
    case Kind::Logical:
        putText(record, field, value != 0 ? "T" : "F");
        return;
    default:
        putNumber(record, field, value, path);
        return;
    }
}

} // namespace tts::tables::fieldCodec
