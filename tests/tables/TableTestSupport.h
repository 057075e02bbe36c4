#pragma once

#include "tables/WorkTable.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace tts::tables::testing {

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tts-tables-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

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

inline std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace tts::tables::testing
