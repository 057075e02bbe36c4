#pragma once

#include "tables/DbfIo.h"
#include "tables/DbfLayout.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tts::tables {

// One dBase file read and written whole records at a time through shapelib, on a descriptor
// the caller owns and has locked. Records are raw bytes: the deletion flag, then each field.
class DbfFile {
public:
    // An empty table on `fd` (emptied first) with these fields in this order, marked as
    // Windows ANSI (language driver 0x57); the header is written at once.
    static std::unique_ptr<DbfFile> create(int fd, const std::string& path,
                                           const std::vector<DbfField>& fields);
    // An existing table, its header checked before shapelib reads it.
    static std::unique_ptr<DbfFile> open(int fd, const std::string& path, bool writable);

    ~DbfFile(); // gives up unwritten changes; call finish() to keep them
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const DbfLayout& layout() const { return layout_; }
    int64_t recordCount() const;
    int recordLength() const { return layout_.recordLength; }

    // The record's bytes, valid until the next call on this file.
    std::string_view record(int64_t index);
    // Stores a whole record; index recordCount() appends.
    void writeRecord(int64_t index, std::string_view bytes);

    // Writes what is pending and the header's record count and date, then closes the handle.
    void finish();
    bool failed() const { return io_.writeError != 0 || io_.readError != 0; }

private:
    DbfFile(const std::string& path, bool writable);
    void throwIfFailed();
    void markModified();

    std::string path_;
    bool writable_;
    bool modified_ = false;
    DbfIo io_;
    DBFHandle handle_ = nullptr;
    DbfLayout layout_;
    std::string writeBuffer_;
};

} // namespace tts::tables
