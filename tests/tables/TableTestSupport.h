#pragma once

#include "tables/WorkTable.h"
#include "tests/support/ErrorText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tts::test {

// A dBase file laid out by hand, as another program may have written it.
struct RawField {
    std::string name;
    char type;
    int width;
    int decimals = 0;
};

inline std::string rawDbf(unsigned char version, const std::vector<RawField>& fields,
                          const std::vector<std::string>& records) {
    int recordLength = 1;
    for (const RawField& field : fields)
        recordLength += field.width;
    int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;
    std::string bytes(32, '\0');
    bytes[0] = static_cast<char>(version);
    bytes[1] = 124;
    bytes[2] = 1;
    bytes[3] = 1;
    auto count = static_cast<uint32_t>(records.size());
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    bytes[8] = static_cast<char>(headerLength & 0xFF);
    bytes[9] = static_cast<char>(headerLength >> 8);
    bytes[10] = static_cast<char>(recordLength & 0xFF);
    bytes[11] = static_cast<char>(recordLength >> 8);
    bytes[29] = 0x57;
    for (const RawField& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.width);
        descriptor[17] = static_cast<char>(field.decimals);
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (std::string record : records) {
        record.resize(static_cast<size_t>(recordLength), ' ');
        bytes += record;
    }
    bytes += '\x1A';
    return bytes;
}

} // namespace tts::test
