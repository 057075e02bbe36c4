#include "tables/DbfFile.h"

#include "tables/TableErrors.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace tts::tables {

namespace {

constexpr const char* windowsAnsi = "LDID/87"; // language driver 0x57, Windows-1252

// shapelib derives the file name from this; the hooks answer with our descriptor anyway.
constexpr const char* handOverName = "table.dbf";

void stampToday(DBFHandle handle) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DBFSetLastModifiedDate(handle, local.tm_year, local.tm_mon + 1, local.tm_mday);
}

bool sameLayout(DBFHandle handle, const DbfLayout& layout) {
    if (handle->nRecords != layout.recordCount || handle->nRecordLength != layout.recordLength ||
        handle->nHeaderLength != layout.headerLength ||
        handle->nFields != static_cast<int>(layout.fields.size()))
        return false;
    for (int i = 0; i < handle->nFields; ++i) {
        const DbfField& field = layout.fields[static_cast<size_t>(i)];
        if (handle->panFieldOffset[i] != field.offset || handle->panFieldSize[i] != field.width ||
            handle->pachFieldType[i] != field.type)
            return false;
    }
    return true;
}

} // namespace

DbfFile::DbfFile(const std::string& path, bool writable) : path_(path), writable_(writable) {}

DbfFile::~DbfFile() {
    if (handle_ == nullptr)
        return;
    // Nothing more reaches the disk from here: closing after a failure must not write.
    handle_->bCurrentRecordModified = 0;
    handle_->bUpdated = 0;
    handle_->bNoHeader = 0;
    DBFClose(handle_);
}

std::unique_ptr<DbfFile> DbfFile::create(int fd, const std::string& path,
                                         const std::vector<DbfField>& fields) {
    std::unique_ptr<DbfFile> file(new DbfFile(path, true));
    file->io_.fd = fd;
    {
        DbfHandOver handOver(file->io_);
        file->handle_ = DBFCreateLL(handOverName, windowsAnsi, handOver.hooks());
    }
    if (file->handle_ == nullptr) {
        file->throwIfFailed();
        throw tableErrors::cannotCreate(path, EIO);
    }
    for (const DbfField& field : fields) {
        if (DBFAddNativeFieldType(file->handle_, field.name.c_str(), field.type, field.width,
                                  field.decimals) < 0)
            throw tableErrors::invalidDefinition(path, "campo '" + field.name + "'");
    }
    DBFSetWriteEndOfFileChar(file->handle_, 1); // the 0x1A after the last record, as dBase writes
    stampToday(file->handle_);
    DBFUpdateHeader(file->handle_);
    file->throwIfFailed();

    DbfLayout& layout = file->layout_;
    layout.version = 0x03;
    layout.recordCount = 0;
    layout.headerLength = file->handle_->nHeaderLength;
    layout.recordLength = file->handle_->nRecordLength;
    layout.fields = fields;
    int offset = 1;
    for (DbfField& field : layout.fields) {
        field.offset = offset;
        offset += field.width;
    }
    if (!sameLayout(file->handle_, layout))
        throw tableErrors::invalidDefinition(path, "campos");
    return file;
}

std::unique_ptr<DbfFile> DbfFile::open(int fd, const std::string& path, bool writable) {
    std::unique_ptr<DbfFile> file(new DbfFile(path, writable));
    file->io_.fd = fd;
    file->layout_ = readDbfLayout(fd, path);
    {
        DbfHandOver handOver(file->io_);
        file->handle_ = DBFOpenLL(handOverName, writable ? "rb+" : "rb", handOver.hooks());
    }
    if (file->handle_ == nullptr) {
        if (file->io_.readError > 0)
            throw tableErrors::cannotRead(path, file->io_.readError);
        throw tableErrors::damaged(path, "la cabecera no se puede leer");
    }
    // The header may have changed between the check and shapelib's own reading of it.
    if (!sameLayout(file->handle_, file->layout_))
        throw tableErrors::damaged(path, "la cabecera ha cambiado mientras se le\xED"
                                         "a");
    return file;
}

int64_t DbfFile::recordCount() const {
    return handle_ == nullptr ? 0 : handle_->nRecords;
}

std::string_view DbfFile::record(int64_t index) {
    const char* bytes =
        handle_ == nullptr ? nullptr : DBFReadTuple(handle_, static_cast<int>(index));
    if (bytes == nullptr || failed()) {
        throwIfFailed();
        throw tableErrors::damaged(path_,
                                   "no se puede leer el registro " + std::to_string(index + 1));
    }
    return {bytes, static_cast<size_t>(layout_.recordLength)};
}

void DbfFile::writeRecord(int64_t index, std::string_view bytes) {
    if (!writable_)
        throw tableErrors::readOnly(path_);
    throwIfFailed();
    markModified();
    writeBuffer_.assign(bytes);
    writeBuffer_.resize(static_cast<size_t>(layout_.recordLength), ' ');
    int stored = DBFWriteTuple(handle_, static_cast<int>(index), writeBuffer_.data());
    throwIfFailed();
    if (!stored)
        throw tableErrors::cannotWrite(path_, EIO);
    layout_.recordCount = handle_->nRecords;
}

void DbfFile::finish() {
    if (handle_ == nullptr)
        return;
    throwIfFailed();
    if (modified_) {
        DBFUpdateHeader(handle_);
        throwIfFailed();
        handle_->bUpdated = 0; // written just now; closing need not write it again
        if (::fsync(io_.fd) != 0)
            throw tableErrors::cannotWrite(path_, errno);
    }
    DBFClose(handle_);
    handle_ = nullptr;
    throwIfFailed();
}

void DbfFile::markModified() {
    if (!modified_)
        stampToday(handle_);
    modified_ = true;
}

void DbfFile::throwIfFailed() {
    if (io_.writeError != 0)
        throw tableErrors::cannotWrite(path_, io_.writeError);
    if (io_.readError > 0)
        throw tableErrors::cannotRead(path_, io_.readError);
    if (io_.readError < 0)
        throw tableErrors::damaged(path_, "el archivo termina antes que sus registros");
}

} // namespace tts::tables
