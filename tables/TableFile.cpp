#include "tables/TableFile.h"

#include "base/platform/ReplaceSteps.h"

namespace tts::tables {

TableFile TableFile::open(const std::string& path, Access access, Use use, int& error) {
    TableFile table;
    table.file_ = platform::File::open(
        path, access == Access::ReadWrite ? platform::Access::ReadWrite : platform::Access::Read,
        use == Use::Exclusive ? platform::Share::None : platform::Share::ReadWrite,
        platform::Disposition::OpenExisting, error);
    return table;
}

TableFile TableFile::createNew(const std::string& path, const std::string& likePath, int& error) {
    TableFile table;
    table.file_ = platform::File::open(path, platform::Access::ReadWrite, platform::Share::None,
                                       platform::Disposition::CreateNew, error);
    if (table.valid() && !likePath.empty())
        platform::keepPermissions(table.file_, likePath);
    return table;
}

size_t TableFile::readAt(void* buffer, size_t size, int64_t offset, int& error) const {
    size_t got = 0;
    error = file_.readAt(static_cast<std::uint64_t>(offset), buffer, size, got);
    return got;
}

int TableFile::writeAt(const void* data, size_t size, int64_t offset) const {
    return file_.writeAt(static_cast<std::uint64_t>(offset), data, size);
}

int64_t TableFile::size(int& error) const {
    std::uint64_t bytes = 0;
    error = file_.size(bytes);
    return error == 0 ? static_cast<int64_t>(bytes) : 0;
}

int TableFile::truncate(int64_t size) const {
    return file_.truncate(static_cast<std::uint64_t>(size));
}

int TableFile::sync() const {
    return file_.flush();
}

} // namespace tts::tables
