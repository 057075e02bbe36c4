#pragma once

#include "tables/DbfLayout.h"
#include "base/platform/File.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tts::tables {

// One dBase file read and written whole records at a time, on a file the caller owns and has
// locked. Records are raw bytes: the deletion flag, then each field.
//
// Records move in blocks: a walk reads ahead a block at a time, appended records gather into a
// block that is written whole, and a record read or written out of order touches that record
// only. The header is read and checked once, at open, and its record count and date written
// once, at finish().
class DbfFile {
public:
    // How a record is reached: in a walk the next records will be wanted soon; a walk over
    // the whole table (to index it) keeps a table of a few megabytes in memory whole, so that
    // the locates that follow read nothing more.
    enum class Reach { Walk, WholeTable, Single };

    // An empty table on `file` (emptied first) with these fields in this order, marked as
    // Windows ANSI (language driver 0x57); the header is written at once. Nobody else sees the
    // file before finish(), so edits of records are kept in the block until it moves on.
    static std::unique_ptr<DbfFile> create(platform::File& file, const std::string& path,
                                           const std::vector<DbfField>& fields);
    // An existing table, its header checked, and every record found to start where the header
    // says before it is used: a table of a few megabytes at once, a larger one as a walk reads
    // it, and whole before any other read or any write. An edit of a stored record reaches the file
    // at once; appended records at the end of a block or at finish().
    static std::unique_ptr<DbfFile> open(platform::File& file, const std::string& path,
                                         bool writable);

    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;
    ~DbfFile() = default; // gives up unwritten changes; call finish() to keep them

    const DbfLayout& layout() const { return layout_; }
    int64_t recordCount() const { return layout_.recordCount; }
    int recordLength() const { return layout_.recordLength; }

    // The record's bytes, valid until the next call on this file.
    std::string_view record(int64_t index, Reach reach);
    // The records from `index` to the end of the block that holds it, read as a walk reads
    // them: whole records, at least one; valid until the next call on this file.
    std::string_view recordsFrom(int64_t index);
    // Stores a whole record; index recordCount() appends.
    void writeRecord(int64_t index, std::string_view bytes);

    // Writes what is pending and the header's record count and date; with `sync`, waits until
    // the file is on disk (a replacement syncs on its own before its rename).
    void finish(bool sync);

private:
    DbfFile(platform::File& file, const std::string& path, bool writable, bool holdEdits);
    int64_t offsetOf(int64_t index) const;
    int64_t blockRecords() const;
    int64_t blockEnd() const;
    bool inBlock(int64_t index) const;
    void markModified();
    void flushBlock();
    void write(const char* bytes, size_t size, int64_t offset);
    void throwIfFailed() const;
    void checkRecordsLineUp();
    void checkTheRest();
    void checkBlock(); // the block just loaded, which starts at or before checkedUpTo_
    void loadBlock(int64_t index, Reach reach); // the block that holds `index`, as reached

    platform::File& file_;
    std::string path_;
    bool writable_;
    bool holdEdits_; // edits of records in the block wait for the block to be written
    bool modified_ = false;
    platform::SystemError writeError_ =
        0; // first failed write: nothing more is written, finish() raises it
    DbfLayout layout_;

    std::string block_; // the records from blockFirst_ on, as they are or will be stored
    int64_t blockFirst_ = 0;
    int64_t dirtyFrom_ = 0; // records [dirtyFrom_, dirtyTo_) of the block differ from the file
    int64_t dirtyTo_ = 0;
    // Records [0, checkedUpTo_) start where the header says; a new table's are all ours.
    int64_t checkedUpTo_ = 0;
};

} // namespace tts::tables
