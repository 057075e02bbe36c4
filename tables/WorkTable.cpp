#include "tables/WorkTable.h"

#include "base/CaseTable.h"
#include "base/platform/AtomicReplace.h"
#include "base/platform/Folders.h"
#include "base/platform/SystemError.h"

#include "tables/ColumnIndex.h"
#include "tables/DbfFile.h"
#include "tables/FieldCodec.h"
#include "tables/TableErrors.h"
#include "tables/TableFiles.h"

#include <cstring>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <unordered_map>
#include <vector>

namespace tts::tables {

namespace {

// Physical layout of the column types: wide enough for any 32-bit integer, and enough
// decimals that hours such as 2.5 or 1.25 read back exactly.
constexpr int integerWidth = 11;
constexpr int floatWidth = 20;
constexpr int floatDecimals = 6;
constexpr int maxTextWidth = 254;
constexpr size_t maxNameLength = 10;

std::vector<DbfField> fieldsFor(const std::string& table, const std::vector<Column>& columns) {
    if (columns.empty())
        throw tableErrors::invalidDefinition(table, "sin campos");
    std::vector<DbfField> fields;
    std::unordered_map<std::string, bool> seen;
    for (const Column& column : columns) {
        if (column.name.empty() || column.name.size() > maxNameLength ||
            column.name.find('\0') != std::string::npos)
            throw tableErrors::invalidDefinition(table, "nombre de campo '" + column.name + "'");
        if (!seen.emplace(upperAsciiOnly(column.name), true).second)
            throw tableErrors::invalidDefinition(table, "campo '" + column.name + "' repetido");
        DbfField field;
        field.name = column.name;
        switch (column.type) {
        case ColumnType::Text:
            if (column.width < 1 || column.width > maxTextWidth)
                throw tableErrors::invalidDefinition(table,
                                                     "ancho del campo '" + column.name + "'");
            field.type = 'C';
            field.width = column.width;
            break;
        case ColumnType::Boolean:
            field.type = 'L';
            field.width = 1;
            break;
        case ColumnType::Integer:
            field.type = 'N';
            field.width = integerWidth;
            break;
        case ColumnType::Float:
            field.type = 'N';
            field.width = floatWidth;
            field.decimals = floatDecimals;
            break;
        }
        fields.push_back(field);
    }
    return fields;
}

std::string tableFileName(const std::string& name) {
    return name + ".DBF";
}

} // namespace

bool fitsFloatColumn(double value) {
    // Laid out as a new table's float column is, and encoded as its file then reads it.
    DbfField field = fieldsFor("", {Column::floating("N")}).front();
    field.encoding = encodingOf(DbfFamily::Dbase, field.type, field.width);
    field.offset = 1;
    std::string record(static_cast<size_t>(1 + floatWidth), ' ');
    try {
        fieldCodec::writeFloat(record, field, value, std::string());
        return true;
    } catch (const Error&) {
        return false;
    }
}

class WorkTable::Impl {
public:
    Impl(std::string path, std::string componentName, bool writable,
         std::unique_ptr<platform::File> file, std::unique_ptr<platform::Replacement> replacement,
         std::unique_ptr<DbfFile> dbf)
        : path_(std::move(path)), componentName_(std::move(componentName)), writable_(writable),
          file_(std::move(file)), replacement_(std::move(replacement)), dbf_(std::move(dbf)) {
        const std::vector<DbfField>& fields = dbf_->layout().fields;
        for (size_t i = 0; i < fields.size(); ++i)
            if (findField(fields[i].name) < 0) // the first of two equal names wins
                upperNames_.push_back(upperAsciiOnly(fields[i].name));
            else
                upperNames_.emplace_back(); // never matches: names are not empty
        blankRow_.assign(static_cast<size_t>(dbf_->recordLength()), ' ');
        first();
    }

    // Never commits: a rebuild not closed is not half a table, the old one stays as it was (the
    // replacement, destroyed uncommitted, throws away what was written).
    ~Impl() = default;

    const std::string& path() const { return path_; }
    bool isOpen() const { return open_; }

    void append() {
        requireWritable();
        settleEditing();
        editRow_ = blankRow_;
        editing_ = Editing::Append;
        modified_ = false;
    }

    void edit() {
        requireWritable();
        if (editing_ != Editing::None)
            return;
        if (current_ < 0) { // nothing to edit: the engine starts a new row instead
            append();
            return;
        }
        editRow_ = currentRow_;
        editing_ = Editing::Edit;
        modified_ = false;
    }

    void post() {
        requireOpen();
        if (editing_ == Editing::None)
            return;
        if (editing_ == Editing::Append) {
            int64_t row = dbf_->recordCount();
            dbf_->writeRecord(row, editRow_);
            for (auto& [fields, index] : indexes_)
                index.add(keyOf(editRow_, fields), row);
            if (visibleRows_ >= 0)
                ++visibleRows_;
            current_ = row;
        } else {
            dbf_->writeRecord(current_, editRow_);
            for (auto& [fields, index] : indexes_) {
                std::string oldKey = keyOf(currentRow_, fields);
                std::string newKey = keyOf(editRow_, fields);
                if (oldKey != newKey) {
                    index.remove(oldKey, current_);
                    index.add(newKey, current_);
                }
            }
        }
        currentRow_.swap(editRow_); // editRow_ is filled afresh before it is used again
        atEnd_ = false;
        editing_ = Editing::None;
        modified_ = false;
    }

    void first() {
        requireOpen();
        settleEditing();
        int64_t row = nextVisible(0);
        if (row < 0) {
            current_ = -1;
            currentRow_ = blankRow_;
            atEnd_ = true;
            return;
        }
        moveTo(row);
    }

    void next() {
        requireOpen();
        settleEditing();
        if (current_ < 0) {
            atEnd_ = true;
            return;
        }
        // A walk reads each record once: the one that is not deleted becomes the row.
        for (int64_t row = current_ + 1; row < dbf_->recordCount(); ++row) {
            const std::string_view record = dbf_->record(row, DbfFile::Reach::Walk);
            if (!isDeleted(record)) {
                currentRow_.assign(record);
                current_ = row;
                atEnd_ = false;
                return;
            }
        }
        atEnd_ = true; // the last row stays current
    }

    bool atEnd() const { return atEnd_; }

    void readText(const DbfField& field, std::string& into) {
        fieldCodec::readText(rowInView(), field, path_, into);
    }

    std::string_view readTextView(const DbfField& field) {
        if (field.encoding == FieldEncoding::Text)
            return fieldCodec::textView(rowInView(), field);
        fieldCodec::readText(rowInView(), field, path_, textBuffer_);
        return textBuffer_;
    }

    void forEachStoredRow(const std::function<void(std::string_view row)>& visit) {
        requireOpen();
        settleEditing();
        const auto length = static_cast<size_t>(dbf_->recordLength());
        for (int64_t row = 0; row < dbf_->recordCount();) {
            const std::string_view records = dbf_->recordsFrom(row);
            row += static_cast<int64_t>(records.size() / length);
            for (size_t at = 0; at < records.size(); at += length) {
                const std::string_view record = records.substr(at, length);
                if (!isDeleted(record))
                    visit(record);
            }
        }
    }

    std::string_view storedBytes(const DbfField& field) const {
        return rowInView().substr(static_cast<size_t>(field.offset),
                                  static_cast<size_t>(field.width));
    }

    // Where the fields from `first` to `last` lie in a record: from the first's offset to the
    // last's end. A `last` before `first` is no span.
    std::pair<size_t, size_t> span(const DbfField& first, const DbfField& last) const {
        if (last.offset < first.offset)
            throw tableErrors::invalidDefinition(path_, "campos '" + first.name + "' a '" +
                                                            last.name + "'");
        return {static_cast<size_t>(first.offset),
                static_cast<size_t>(last.offset + last.width - first.offset)};
    }

    std::string_view storedSpan(size_t at, size_t size) const {
        return rowInView().substr(at, size);
    }

    void writeStoredSpan(size_t at, std::string_view bytes) {
        if (editing_ == Editing::None)
            throw tableErrors::notEditing(path_);
        std::memcpy(editRow_.data() + at, bytes.data(), bytes.size());
        modified_ = true;
    }

    int32_t readInteger(const DbfField& field) {
        return fieldCodec::readInteger(rowInView(), field, path_);
    }

    double readFloat(const DbfField& field) {
        return fieldCodec::readFloat(rowInView(), field, path_);
    }

    template <typename Write> void writeField(const DbfField& field, Write write) {
        if (editing_ == Editing::None)
            throw tableErrors::notEditing(path_);
        write(editRow_, field);
        modified_ = true;
    }

    // A single column's index is found once and kept.
    bool locate(const std::string& column, int index, const std::string& value) {
        searchable(fieldOf(column, index));
        settleEditing();
        auto at = static_cast<size_t>(index);
        if (singleIndexes_.size() <= at)
            singleIndexes_.resize(at + 1, nullptr);
        if (!singleIndexes_[at])
            singleIndexes_[at] = &indexFor({index});
        return moveToFirst(singleIndexes_[at]->firstRow(value));
    }

    // `columns` as (name, index) of their handles.
    bool locate(const std::vector<std::pair<const std::string*, int>>& columns,
                const std::vector<std::string>& values) {
        requireOpen();
        if (columns.empty() || columns.size() != values.size())
            throw tableErrors::invalidDefinition(path_, "b\xFAsqueda sin campos");
        std::vector<int> fields;
        for (const auto& [name, index] : columns) {
            searchable(fieldOf(*name, index));
            fields.push_back(index);
        }
        settleEditing();
        return moveToFirst(indexFor(fields).firstRow(ColumnIndex::keyOf(values)));
    }

    bool hasColumn(const std::string& column) const { return findField(column) >= 0; }
    std::string foreignCodePage() const { return tables::foreignCodePage(dbf_->layout()); }
    int fieldIndex(const std::string& column) const { return findField(column); }

    // The field of a handle; one for a column the table lacks raises as a read by name does.
    const DbfField& fieldOf(const std::string& column, int index) {
        requireOpen();
        const std::vector<DbfField>& fields = dbf_->layout().fields;
        if (index < 0 || static_cast<size_t>(index) >= fields.size())
            throw tableErrors::columnNotFound(componentName_, column);
        return fields[static_cast<size_t>(index)];
    }

    int64_t rowCount() {
        requireOpen();
        if (visibleRows_ < 0) {
            int64_t count = 0;
            for (int64_t row = 0; row < dbf_->recordCount(); ++row)
                if (!isDeleted(dbf_->record(row, DbfFile::Reach::Walk)))
                    ++count;
            visibleRows_ = count;
        }
        return visibleRows_;
    }

    void close() {
        if (!open_)
            return;
        open_ = false;
        editing_ = Editing::None; // a row never posted is dropped, as the engine does on close
        indexes_.clear();
        singleIndexes_.clear();
        try {
            dbf_->finish(!replacement_); // a replacement syncs before its rename
            if (replacement_)
                commitReplacement();
        } catch (...) {
            if (replacement_)
                replacement_->discard();
            release();
            throw;
        }
        release();
    }

private:
    enum class Editing { None, Edit, Append };

    static bool isDeleted(std::string_view record) { return !record.empty() && record[0] == '*'; }

    void commitReplacement() {
        const platform::SystemError error = replacement_->commit();
        // Another program took the old table meanwhile: in use, as if it had held it before.
        if (platform::isSharingViolation(error))
            throw tableErrors::tableInUse(path_);
        if (error != 0)
            throw tableErrors::cannotWrite(path_, error);
    }

    void release() {
        dbf_.reset();
        replacement_.reset();
        file_.reset();
    }

    void requireOpen() const {
        if (!open_)
            throw tableErrors::closed(path_);
    }

    void requireWritable() const {
        requireOpen();
        if (!writable_)
            throw tableErrors::readOnly(path_);
    }

    // First or Next (or any move) while a row is in editing: keep it if something was written
    // to it, else forget it.
    void settleEditing() {
        if (editing_ == Editing::None)
            return;
        if (modified_) {
            post();
        } else {
            editing_ = Editing::None;
        }
    }

    // A handle's column: a scan for the name as given, and for its upper-case form only when
    // that misses.
    int findField(const std::string& column) const {
        if (column.empty())
            return -1;
        for (size_t i = 0; i < upperNames_.size(); ++i)
            if (upperNames_[i] == column)
                return static_cast<int>(i);
        const std::string upper = upperAsciiOnly(column);
        for (size_t i = 0; i < upperNames_.size(); ++i)
            if (upperNames_[i] == upper)
                return static_cast<int>(i);
        return -1;
    }

    void searchable(const DbfField& field) const {
        if (!fieldCodec::isSupported(field))
            throw tableErrors::unsupportedColumnType(path_, field.name, field.type);
    }

    bool moveToFirst(int64_t row) {
        if (row < 0)
            return false;
        moveTo(row);
        return true;
    }

    std::string_view rowInView() const {
        return editing_ != Editing::None ? std::string_view(editRow_)
                                         : std::string_view(currentRow_);
    }

    int64_t nextVisible(int64_t from) {
        for (int64_t row = from; row < dbf_->recordCount(); ++row)
            if (!isDeleted(dbf_->record(row, DbfFile::Reach::Walk)))
                return row;
        return -1;
    }

    void moveTo(int64_t row) {
        currentRow_.assign(dbf_->record(row, DbfFile::Reach::Single));
        current_ = row;
        atEnd_ = false;
    }

    std::string keyOf(std::string_view record, const std::vector<int>& fields) const {
        const std::vector<DbfField>& all = dbf_->layout().fields;
        return ColumnIndex::keyOf(fields.size(), [&](size_t i) {
            return fieldCodec::readText(record, all[static_cast<size_t>(fields[i])], path_);
        });
    }

    ColumnIndex& indexFor(const std::vector<int>& fields) {
        auto found = indexes_.find(fields);
        if (found != indexes_.end())
            return found->second;
        ColumnIndex index;
        for (int64_t row = 0; row < dbf_->recordCount(); ++row) {
            std::string_view record = dbf_->record(row, DbfFile::Reach::WholeTable);
            if (!isDeleted(record))
                index.add(keyOf(record, fields), row);
        }
        return indexes_.emplace(fields, std::move(index)).first->second;
    }

    std::string path_;
    std::string componentName_;
    bool writable_;
    bool open_ = true;
    std::unique_ptr<platform::File> file_; // an opened table's; a rebuild writes the replacement's
    std::unique_ptr<platform::Replacement> replacement_;
    std::unique_ptr<DbfFile> dbf_;        // declared after the file it writes to: goes first
    std::vector<std::string> upperNames_; // by field, upper case; empty for a repeated name
    std::string blankRow_;

    int64_t current_ = -1;
    std::string currentRow_;
    bool atEnd_ = true;
    Editing editing_ = Editing::None;
    std::string editRow_;
    bool modified_ = false;
    std::string textBuffer_; // readTextView of a column that is not text
    int64_t visibleRows_ = -1;
    std::map<std::vector<int>, ColumnIndex> indexes_;
    std::vector<ColumnIndex*> singleIndexes_; // by field, into indexes_, once a locate used it
};

namespace {

// A rebuild leaves either the whole old table or the whole new one, never a mix: the new one is
// written beside it, the old one held meanwhile so that nobody writes into a file about to be
// replaced, and the old one's index goes only once the new table is in place.
std::unique_ptr<platform::Replacement>
startReplacement(const std::string& folder, const std::string& name, const std::string& path) {
    auto replacement = std::make_unique<platform::Replacement>(
        path, platform::ReplacementOptions{.holdTarget = true, .inPlace = false});
    const platform::SystemError error = replacement->error();
    if (platform::isSharingViolation(error))
        throw tableErrors::tableInUse(path);
    if (replacement->folderRefused() && !platform::isReadOnlyDisk(error) &&
        (platform::isAccessDenied(error) || platform::isNotFound(error))) {
        // A folder we may not even look into is said as such, not as a wrong path.
        if (const platform::SystemError listing = platform::folderListingError(folder);
            platform::isAccessDenied(listing))
            throw tableErrors::folderUnreadable(folder, listing);
        throw tableErrors::invalidFolder(folder);
    }
    if (error != 0)
        throw tableErrors::cannotCreate(path, error);
    replacement->whenReplaced(
        [folder, name] { tableFiles::removeIfPresent(folder, name + ".MDX"); });
    return replacement;
}

} // namespace

WorkTable WorkTable::createAfresh(const std::string& folder, const std::string& name,
                                  const std::vector<Column>& columns) {
    std::vector<DbfField> fields = fieldsFor(name, columns);
    tableFiles::requireFolder(folder);
    std::string fileName = tableFileName(name);
    std::string path =
        tableFiles::findFile(folder, fileName).value_or(tableFiles::joinPath(folder, fileName));
    auto replacement = startReplacement(folder, name, path);
    auto dbf = DbfFile::create(replacement->file(), path, fields);
    return WorkTable(
        std::make_unique<Impl>(path, "", true, nullptr, std::move(replacement), std::move(dbf)));
}

WorkTable WorkTable::createAfresh(const std::string& folder, const TableSchema& schema) {
    return createAfresh(folder, schema.name, schema.definition());
}

WorkTable WorkTable::open(const std::string& folder, const std::string& name, OpenMode mode,
                          const std::string& componentName) {
    tableFiles::requireFolder(folder);
    std::string fileName = tableFileName(name);
    std::optional<std::string> found = tableFiles::findExistingFile(folder, fileName);
    if (!found)
        throw tableErrors::tableNotFound(tableFiles::joinPath(folder, fileName));
    const std::string& path = *found;

    bool writable = mode != OpenMode::ReadOnly;
    // Shared: other shared users too, nobody alone; exclusive: nobody else. A table another
    // program holds in a conflicting way does not open (Linux: any lock kind of the other
    // program; Windows: its share mode).
    const platform::Share share =
        mode == OpenMode::Exclusive ? platform::Share::None : platform::Share::ReadWrite;
    platform::SystemError error = 0;
    auto file = std::make_unique<platform::File>(
        platform::File::open(path, writable ? platform::Access::ReadWrite : platform::Access::Read,
                             share, platform::Disposition::OpenExisting, error));
    if (!file->isOpen() && mode == OpenMode::Shared && platform::isAccessDenied(error)) {
        writable = false; // a table we may only read is still open for reading
        *file = platform::File::open(path, platform::Access::Read, share,
                                     platform::Disposition::OpenExisting, error);
    }
    if (!file->isOpen()) {
        if (platform::isSharingViolation(error))
            throw tableErrors::tableInUse(path);
        if (platform::isNotFound(error))
            throw tableErrors::tableNotFound(path);
        throw tableErrors::cannotOpen(path, error);
    }
    auto dbf = DbfFile::open(*file, path, writable);
    return WorkTable(std::make_unique<Impl>(path, componentName, writable, std::move(file), nullptr,
                                            std::move(dbf)));
}

WorkTable::WorkTable(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
WorkTable::WorkTable(WorkTable&&) noexcept = default;
WorkTable& WorkTable::operator=(WorkTable&&) noexcept = default;
WorkTable::~WorkTable() = default;

namespace {

WorkTable::Impl& openImpl(const std::unique_ptr<WorkTable::Impl>& impl) {
    if (!impl)
        throw tableErrors::closed("");
    return *impl;
}

} // namespace

void WorkTable::append() {
    openImpl(impl_).append();
}
void WorkTable::edit() {
    openImpl(impl_).edit();
}
void WorkTable::post() {
    openImpl(impl_).post();
}
void WorkTable::first() {
    openImpl(impl_).first();
}
void WorkTable::next() {
    openImpl(impl_).next();
}
bool WorkTable::atEnd() const {
    return impl_ ? impl_->atEnd() : true;
}

ColumnHandle WorkTable::column(const std::string& name) const {
    return ColumnHandle(name, impl_ ? impl_->fieldIndex(name) : -1);
}

std::string WorkTable::readText(const ColumnHandle& column) {
    std::string text;
    readText(column, text);
    return text;
}

void WorkTable::readText(const ColumnHandle& column, std::string& into) {
    Impl& impl = openImpl(impl_);
    impl.readText(impl.fieldOf(column.name_, column.index_), into);
}

int32_t WorkTable::readInteger(const ColumnHandle& column) {
    Impl& impl = openImpl(impl_);
    return impl.readInteger(impl.fieldOf(column.name_, column.index_));
}

double WorkTable::readFloat(const ColumnHandle& column) {
    Impl& impl = openImpl(impl_);
    return impl.readFloat(impl.fieldOf(column.name_, column.index_));
}

void WorkTable::writeText(const ColumnHandle& column, std::string_view value) {
    Impl& impl = openImpl(impl_);
    impl.writeField(impl.fieldOf(column.name_, column.index_),
                    [&](std::string& row, const DbfField& field) {
                        fieldCodec::writeText(row, field, value, impl.path());
                    });
}

void WorkTable::writeBoolean(const ColumnHandle& column, bool value) {
    Impl& impl = openImpl(impl_);
    impl.writeField(impl.fieldOf(column.name_, column.index_),
                    [&](std::string& row, const DbfField& field) {
                        fieldCodec::writeBoolean(row, field, value, impl.path());
                    });
}

void WorkTable::writeFloat(const ColumnHandle& column, double value) {
    Impl& impl = openImpl(impl_);
    impl.writeField(impl.fieldOf(column.name_, column.index_),
                    [&](std::string& row, const DbfField& field) {
                        fieldCodec::writeFloat(row, field, value, impl.path());
                    });
}

std::string_view WorkTable::readTextView(const ColumnHandle& column) {
    Impl& impl = openImpl(impl_);
    return impl.readTextView(impl.fieldOf(column.name_, column.index_));
}

std::string_view WorkTable::storedBytes(const ColumnHandle& column) {
    Impl& impl = openImpl(impl_);
    return impl.storedBytes(impl.fieldOf(column.name_, column.index_));
}

void WorkTable::forEachStoredRow(const std::function<void(std::string_view row)>& visit) {
    openImpl(impl_).forEachStoredRow(visit);
}

StoredField WorkTable::storedField(const ColumnHandle& column) {
    Impl& impl = openImpl(impl_);
    const DbfField& field = impl.fieldOf(column.name_, column.index_);
    return {static_cast<size_t>(field.offset), static_cast<size_t>(field.width)};
}

std::string WorkTable::readStoredText(const ColumnHandle& column, std::string_view row) {
    Impl& impl = openImpl(impl_);
    return fieldCodec::readText(row, impl.fieldOf(column.name_, column.index_), impl.path());
}

int32_t WorkTable::readStoredInteger(const ColumnHandle& column, std::string_view row) {
    Impl& impl = openImpl(impl_);
    return fieldCodec::readInteger(row, impl.fieldOf(column.name_, column.index_), impl.path());
}

void WorkTable::writeStoredBytes(const ColumnHandle& column, std::string_view bytes) {
    Impl& impl = openImpl(impl_);
    impl.writeField(
        impl.fieldOf(column.name_, column.index_), [&](std::string& row, const DbfField& field) {
            if (bytes.size() != static_cast<size_t>(field.width))
                throw tableErrors::invalidDefinition(impl.path(), "campo '" + field.name + "'");
            std::memcpy(row.data() + field.offset, bytes.data(), bytes.size());
        });
}

std::string_view WorkTable::storedBytes(const ColumnHandle& first, const ColumnHandle& last) {
    Impl& impl = openImpl(impl_);
    const auto [at, size] =
        impl.span(impl.fieldOf(first.name_, first.index_), impl.fieldOf(last.name_, last.index_));
    return impl.storedSpan(at, size);
}

void WorkTable::writeStoredBytes(const ColumnHandle& first, const ColumnHandle& last,
                                 std::string_view bytes) {
    Impl& impl = openImpl(impl_);
    const DbfField& from = impl.fieldOf(first.name_, first.index_);
    const auto [at, size] = impl.span(from, impl.fieldOf(last.name_, last.index_));
    if (bytes.size() != size)
        throw tableErrors::invalidDefinition(impl.path(), "campo '" + from.name + "'");
    impl.writeStoredSpan(at, bytes);
}

bool WorkTable::locate(const ColumnHandle& column, const std::string& value) {
    return openImpl(impl_).locate(column.name_, column.index_, value);
}

bool WorkTable::locate(const std::vector<ColumnHandle>& columns,
                       const std::vector<std::string>& values) {
    std::vector<std::pair<const std::string*, int>> fields;
    fields.reserve(columns.size());
    for (const ColumnHandle& column : columns)
        fields.emplace_back(&column.name_, column.index_);
    return openImpl(impl_).locate(fields, values);
}

bool WorkTable::hasColumn(const std::string& column) const {
    return impl_ && impl_->hasColumn(column);
}
std::string WorkTable::foreignCodePage() const {
    return impl_ && impl_->isOpen() ? impl_->foreignCodePage() : std::string();
}
int64_t WorkTable::rowCount() const {
    return openImpl(impl_).rowCount();
}

const std::string& WorkTable::path() const {
    static const std::string none;
    return impl_ ? impl_->path() : none;
}

void WorkTable::close() {
    if (impl_)
        impl_->close();
}

bool WorkTable::isOpen() const {
    return impl_ && impl_->isOpen();
}

} // namespace tts::tables
