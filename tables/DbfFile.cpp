#include "tables/DbfFile.h"

#include "base/platform/Clock.h"

#include "tables/TableErrors.h"

#include <algorithm>
#include <limits>

namespace tts::tables {

namespace {

constexpr size_t blockBytes = 256 * 1024;
constexpr int64_t wholeTableBytes = 16 * 1024 * 1024;
constexpr unsigned char windowsAnsi = 0x57; // language driver of Windows-1252
constexpr char headerTerminator = 0x0D;
constexpr char endOfFile = 0x1A; // after the last record, as dBase writes it

void putLittleEndian(char* target, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        target[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Bytes 1 to 7 of the header: the date of the last change (year since 1900, month, day) and
// the record count.
std::string dateAndCount(int64_t recordCount) {
    const platform::LocalDateTime today = platform::localNow();
    std::string bytes(7, '\0');
    bytes[0] = static_cast<char>((today.year - 1900) & 0xFF);
    bytes[1] = static_cast<char>(today.month);
    bytes[2] = static_cast<char>(today.day);
    putLittleEndian(bytes.data() + 3, static_cast<uint32_t>(recordCount), 4);
    return bytes;
}

std::string headerOf(const DbfLayout& layout) {
    std::string header(static_cast<size_t>(layout.headerLength), '\0');
    header[0] = static_cast<char>(layout.version);
    header.replace(1, 7, dateAndCount(0));
    putLittleEndian(header.data() + 8, static_cast<uint32_t>(layout.headerLength), 2);
    putLittleEndian(header.data() + 10, static_cast<uint32_t>(layout.recordLength), 2);
    header[29] = static_cast<char>(windowsAnsi);
    size_t at = 32;
    for (const DbfField& field : layout.fields) {
        header.replace(at, field.name.size(), field.name);
        header[at + 11] = field.type;
        header[at + 16] = static_cast<char>(field.width);
        header[at + 17] = static_cast<char>(field.decimals);
        at += 32;
    }
    header[at] = headerTerminator;
    return header;
}

} // namespace

DbfFile::DbfFile(platform::File& file, const std::string& path, bool writable, bool holdEdits)
    : file_(file), path_(path), writable_(writable), holdEdits_(holdEdits) {}

std::unique_ptr<DbfFile> DbfFile::create(platform::File& file, const std::string& path,
                                         const std::vector<DbfField>& fields) {
    std::unique_ptr<DbfFile> dbf(new DbfFile(file, path, true, true));
    dbf->checkedUpTo_ = std::numeric_limits<int64_t>::max();
    DbfLayout& layout = dbf->layout_;
    layout.version = 0x03;
    layout.headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;
    layout.fields = fields;
    int offset = 1;
    for (DbfField& field : layout.fields) {
        if (field.name.size() > 10 || field.width < 1 || field.width > 255)
            throw tableErrors::invalidDefinition(path, "campo '" + field.name + "'");
        field.offset = offset;
        field.encoding = encodingOf(DbfFamily::Dbase, field.type, field.width);
        offset += field.width;
    }
    if (offset > 0xFFFF || layout.headerLength > 0xFFFF)
        throw tableErrors::invalidDefinition(path, "campos");
    layout.recordLength = offset;

    if (const platform::SystemError error = file.truncate(0))
        throw tableErrors::cannotCreate(path, error);
    std::string header = headerOf(layout);
    header += endOfFile;
    if (const platform::SystemError error = file.writeAt(0, header.data(), header.size()))
        throw tableErrors::cannotCreate(path, error);
    return dbf;
}

std::unique_ptr<DbfFile> DbfFile::open(platform::File& file, const std::string& path,
                                       bool writable) {
    std::unique_ptr<DbfFile> dbf(new DbfFile(file, path, writable, false));
    dbf->layout_ = readDbfLayout(file, path);
    dbf->checkRecordsLineUp();
    return dbf;
}

// A header length that is a few bytes off still passes every check of the header, and the rows
// would be read shifted: every record must start with its deletion flag. A table of a few
// megabytes is read whole now, which is what its first use would read anyway. A larger one is
// checked as a walk reads it, a block at a time, and whole before any other use: reading it all
// now and again in the walk would double the reading of a large SOLUC.
void DbfFile::checkRecordsLineUp() {
    if (layout_.recordCount * layout_.recordLength <= wholeTableBytes)
        checkTheRest();
}

void DbfFile::checkTheRest() {
    while (checkedUpTo_ < layout_.recordCount) {
        loadBlock(checkedUpTo_, Reach::WholeTable);
        checkBlock();
    }
}

void DbfFile::checkBlock() {
    const auto length = static_cast<size_t>(layout_.recordLength);
    for (int64_t index = checkedUpTo_, end = blockEnd(); index < end; ++index) {
        const char flag = block_[static_cast<size_t>(index - blockFirst_) * length];
        if (flag != ' ' && flag != '*')
            throw tableErrors::damaged(path_, "el registro " + std::to_string(index + 1) +
                                                  " no empieza donde indica la cabecera");
    }
    checkedUpTo_ = std::max(checkedUpTo_, blockEnd());
}

int64_t DbfFile::offsetOf(int64_t index) const {
    return layout_.headerLength + index * layout_.recordLength;
}

int64_t DbfFile::blockRecords() const {
    return std::max<int64_t>(1, static_cast<int64_t>(blockBytes) / layout_.recordLength);
}

int64_t DbfFile::blockEnd() const {
    return blockFirst_ + static_cast<int64_t>(block_.size()) / layout_.recordLength;
}

bool DbfFile::inBlock(int64_t index) const {
    return index >= blockFirst_ && index < blockEnd();
}

std::string_view DbfFile::record(int64_t index, Reach reach) {
    const auto length = static_cast<size_t>(layout_.recordLength);
    if (index < 0 || index >= layout_.recordCount)
        throw tableErrors::damaged(path_,
                                   "no se puede leer el registro " + std::to_string(index + 1));
    // Only a walk goes on from the records checked so far.
    if (index >= checkedUpTo_ && !(reach == Reach::Walk && index == checkedUpTo_))
        checkTheRest();
    if (!inBlock(index)) {
        loadBlock(index, reach);
        if (checkedUpTo_ < layout_.recordCount)
            checkBlock();
    }
    if (!inBlock(index))
        throw tableErrors::damaged(path_, "el archivo termina antes que sus registros");
    return std::string_view(block_).substr(static_cast<size_t>(index - blockFirst_) * length,
                                           length);
}

void DbfFile::loadBlock(int64_t index, Reach reach) {
    const auto length = static_cast<size_t>(layout_.recordLength);
    flushBlock();
    int64_t first = index;
    int64_t count = 1;
    if (reach == Reach::WholeTable &&
        layout_.recordCount * layout_.recordLength <= wholeTableBytes) {
        first = 0;
        count = layout_.recordCount;
    } else if (reach != Reach::Single) {
        count = std::min(blockRecords(), layout_.recordCount - index);
    }
    block_.resize(static_cast<size_t>(count) * length);
    blockFirst_ = first;
    size_t got = 0;
    const platform::SystemError error = file_.readAt(static_cast<std::uint64_t>(offsetOf(first)),
                                                     block_.data(), block_.size(), got);
    if (error != 0 || got < length) {
        block_.clear();
        if (error != 0)
            throw tableErrors::cannotRead(path_, error);
        throw tableErrors::damaged(path_, "el archivo termina antes que sus registros");
    }
    block_.resize(got - got % length); // the file shrank under us: keep what is whole
}

std::string_view DbfFile::recordsFrom(int64_t index) {
    const std::string_view first = record(index, Reach::Walk);
    return std::string_view(first.data(), static_cast<size_t>(blockEnd() - index) * first.size());
}

void DbfFile::writeRecord(int64_t index, std::string_view bytes) {
    if (!writable_)
        throw tableErrors::readOnly(path_);
    throwIfFailed();
    checkTheRest();
    if (index < 0 || index > layout_.recordCount)
        throw tableErrors::damaged(path_,
                                   "no se puede escribir el registro " + std::to_string(index + 1));
    markModified();
    const auto length = static_cast<size_t>(layout_.recordLength);
    bytes = bytes.substr(0, std::min(bytes.size(), length));

    if (index == layout_.recordCount) {
        // One division a row: the block's records are counted once.
        const int64_t inBlock = static_cast<int64_t>(block_.size() / length);
        const size_t blockSize = static_cast<size_t>(blockRecords()) * length + 1;
        if (blockFirst_ + inBlock != index || inBlock >= blockRecords()) {
            flushBlock();
            block_.clear();
            blockFirst_ = index;
        }
        // Sized once, the first block of a new table too: grown record by record it would be
        // copied over and over into fresh memory.
        if (block_.capacity() < blockSize)
            block_.reserve(blockSize);
        if (dirtyFrom_ == dirtyTo_)
            dirtyFrom_ = index;
        block_.append(bytes);
        if (bytes.size() < length) // a table's own rows are whole: no call for nothing
            block_.append(length - bytes.size(), ' ');
        dirtyTo_ = index + 1;
        if (checkedUpTo_ == layout_.recordCount) // ours
            ++checkedUpTo_;
        ++layout_.recordCount;
        return;
    }

    if (!inBlock(index)) { // one record out of the way of the block: that record only
        std::string record(bytes);
        record.resize(length, ' ');
        write(record.data(), record.size(), offsetOf(index));
        return;
    }
    char* target = block_.data() + static_cast<size_t>(index - blockFirst_) * length;
    std::fill(std::copy(bytes.begin(), bytes.end(), target), target + length, ' ');
    if (dirtyFrom_ == dirtyTo_) {
        dirtyFrom_ = index;
        dirtyTo_ = index + 1;
    } else {
        dirtyFrom_ = std::min(dirtyFrom_, index);
        dirtyTo_ = std::max(dirtyTo_, index + 1);
    }
    if (!holdEdits_)
        flushBlock();
}

void DbfFile::flushBlock() {
    if (dirtyFrom_ == dirtyTo_)
        return;
    const auto length = static_cast<size_t>(layout_.recordLength);
    const size_t from = static_cast<size_t>(dirtyFrom_ - blockFirst_) * length;
    const size_t size = static_cast<size_t>(dirtyTo_ - dirtyFrom_) * length;
    const bool atEnd = dirtyTo_ == layout_.recordCount;
    const int64_t offset = offsetOf(dirtyFrom_);
    dirtyFrom_ = dirtyTo_ = 0;
    if (atEnd) { // the end-of-file mark goes out with the last records, in the same write
        block_.push_back(endOfFile);
        write(block_.data() + from, size + 1, offset);
        block_.pop_back();
    } else {
        write(block_.data() + from, size, offset);
    }
}

void DbfFile::write(const char* bytes, size_t size, int64_t offset) {
    if (writeError_ == 0)
        writeError_ = file_.writeAt(static_cast<std::uint64_t>(offset), bytes, size);
    throwIfFailed();
}

void DbfFile::finish(bool sync) {
    throwIfFailed();
    if (!modified_)
        return;
    flushBlock();
    std::string header = dateAndCount(layout_.recordCount);
    write(header.data(), header.size(), 1);
    if (sync) {
        if (const platform::SystemError error = file_.flush())
            throw tableErrors::cannotWrite(path_, error);
    }
    modified_ = false;
}

void DbfFile::markModified() {
    modified_ = true;
}

void DbfFile::throwIfFailed() const {
    if (writeError_ != 0)
        throw tableErrors::cannotWrite(path_, writeError_);
}

} // namespace tts::tables
