#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tts::test {

// The bytes of a dBase table as another program writes it, laid out by hand from the published
// facts of each family and never through the table layer under test.

struct RawField {
    std::string name; // stored up to its entry's name size; a NUL inside cuts what follows
    char type;
    int width;
    int decimals = 0;
};

// How the file around the fields and records looks.
struct RawShape {
    unsigned char version = 0x03; // 0x04 and 0x8C: level 7; 0x30 to 0x32: Visual FoxPro
    unsigned char languageDriver = 0x57;
    std::string languageDriverName;  // level 7: bytes 32 to 63
    std::string terminator = "\x0D"; // after the field entries: also "\x0D\x00" or none
    bool endOfFile = true;           // the 0x1A after the last record
    // Bytes between the terminator and the records. Unset: what each family leaves there (a
    // level-7 field-properties area, the Visual FoxPro back link, nothing for dBase III).
    const std::string* between = nullptr;
};

inline bool isLevel7(unsigned char version) {
    return (version & 0x07) == 0x04;
}

inline bool isVisualFoxPro(unsigned char version) {
    return version >= 0x30 && version <= 0x32;
}

inline void putLittleEndian(std::string& bytes, size_t at, uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::string littleEndianBytes(uint64_t value, int size) {
    std::string bytes(static_cast<size_t>(size), '\0');
    putLittleEndian(bytes, 0, value, size);
    return bytes;
}

inline std::string bigEndianBytes(uint64_t value, int size) {
    std::string bytes(static_cast<size_t>(size), '\0');
    for (int i = 0; i < size; ++i)
        bytes[static_cast<size_t>(size - 1 - i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// Level 7 I and +: big-endian with the sign bit flipped (1 is 80 00 00 01, -1 is 7F FF FF FF).
inline std::string level7Integer(int32_t value) {
    return bigEndianBytes(static_cast<uint32_t>(value) ^ 0x80000000u, 4);
}

// Level 7 O: big-endian, the sign bit set for positive values, every bit inverted for negative.
inline std::string level7Double(double value) {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bits = (bits >> 63) == 0 ? bits | (uint64_t{1} << 63) : ~bits;
    return bigEndianBytes(bits, 8);
}

// Visual FoxPro I, B and Y: little-endian, Y in ten-thousandths.
inline std::string foxInteger(int32_t value) {
    return littleEndianBytes(static_cast<uint32_t>(value), 4);
}
inline std::string foxDouble(double value) {
    return littleEndianBytes(std::bit_cast<uint64_t>(value), 8);
}
inline std::string foxCurrency(int64_t tenThousandths) {
    return littleEndianBytes(static_cast<uint64_t>(tenThousandths), 8);
}

// One record: the deletion flag, then each value padded with spaces to its field's width.
inline std::string rawRecord(const std::vector<RawField>& fields,
                             const std::vector<std::string>& values, bool deleted = false) {
    std::string record(1, deleted ? '*' : ' ');
    for (size_t i = 0; i < fields.size(); ++i) {
        std::string value = i < values.size() ? values[i] : std::string();
        value.resize(static_cast<size_t>(fields[i].width), ' ');
        record += value;
    }
    return record;
}

// The whole file; each record is complete (deletion flag included) or padded with spaces.
inline std::string rawTable(const RawShape& shape, const std::vector<RawField>& fields,
                            const std::vector<std::string>& records) {
    const bool level7 = isLevel7(shape.version);
    const size_t fixedSize = level7 ? 68 : 32, entrySize = level7 ? 48 : 32,
                 nameSize = level7 ? 32 : 11, typeAt = level7 ? 32 : 11, widthAt = level7 ? 33 : 16,
                 decimalsAt = level7 ? 34 : 17;
    std::string between;
    if (shape.between)
        between = *shape.between;
    else if (level7) // a properties area: a count of properties and a few bytes of them
        between = std::string("\x02\x00\x30\x00\x00\x00\x10\x00", 8) + std::string(10, '\x7F');
    else if (isVisualFoxPro(shape.version))
        between = std::string(263, '\0');

    int recordLength = 1;
    for (const RawField& field : fields)
        recordLength += field.width;
    const size_t headerLength =
        fixedSize + entrySize * fields.size() + shape.terminator.size() + between.size();

    std::string bytes(fixedSize, '\0');
    bytes[0] = static_cast<char>(shape.version);
    bytes[1] = 124; // 2024-01-01
    bytes[2] = 1;
    bytes[3] = 1;
    putLittleEndian(bytes, 4, records.size(), 4);
    putLittleEndian(bytes, 8, headerLength, 2);
    putLittleEndian(bytes, 10, static_cast<uint64_t>(recordLength), 2);
    bytes[29] = static_cast<char>(shape.languageDriver);
    if (level7)
        bytes.replace(32, shape.languageDriverName.size(), shape.languageDriverName);
    for (const RawField& field : fields) {
        std::string entry(entrySize, '\0');
        entry.replace(0, std::min(field.name.size(), nameSize), field.name.substr(0, nameSize));
        entry[typeAt] = field.type;
        entry[widthAt] = static_cast<char>(field.width);
        entry[decimalsAt] = static_cast<char>(field.decimals);
        bytes += entry;
    }
    bytes += shape.terminator + between;
    for (std::string record : records) {
        record.resize(static_cast<size_t>(recordLength), ' ');
        bytes += record;
    }
    if (shape.endOfFile)
        bytes += '\x1A';
    return bytes;
}

// A dBase III-shaped table of the given version byte.
inline std::string rawDbf(unsigned char version, const std::vector<RawField>& fields,
                          const std::vector<std::string>& records) {
    RawShape shape;
    shape.version = version;
    static const std::string nothing;
    shape.between = &nothing;
    return rawTable(shape, fields, records);
}

} // namespace tts::test
