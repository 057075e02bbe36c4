#pragma once

#include "base/Error.h"
#include "tables/Column.h"
#include "tables/TableSchemas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tts::tables {

enum class OpenMode { Shared, ReadOnly, Exclusive };

// Where a column's bytes lie in a stored row, for a loop over many rows that takes their fields
// out of WorkTable::storedRow() without a call per field.
struct StoredField {
    size_t offset = 0;
    size_t width = 0;
    std::string_view of(std::string_view row) const { return row.substr(offset, width); }
};

// A column of one table found once by its name, so that a loop reads and writes it row after
// row without looking the name up again. A name the table lacks gives a handle too: using it
// raises the same "No se encuentra el campo" as a read by name, at the same moment.
class ColumnHandle {
public:
    ColumnHandle() = default;
    const std::string& name() const { return name_; }

private:
    friend class WorkTable;
    ColumnHandle(std::string name, int index) : name_(std::move(name)), index_(index) {}
    std::string name_;
    int index_ = -1;
};

// One dBase work table NAME.DBF in a folder, with the cursor semantics the conversions rely on.
// Every failure raises tts::Error with the text the user reads.
class WorkTable {
public:
    // Deletes NAME.DBF and NAME.MDX (failures ignored) and creates an empty table with exactly
    // these columns, open for writing. The new table replaces the old file only when close()
    // succeeds; a table destroyed before that is dropped and the old one stays, as it does when
    // the process is killed. NAME.MDX goes with the old file. Raises "La tabla está en uso."
    // while someone holds NAME.DBF. A row still in editing at the close is not stored.
    static WorkTable createAfresh(const std::string& folder, const std::string& name,
                                  const std::vector<Column>& columns);
    // The same for a declared work table.
    static WorkTable createAfresh(const std::string& folder, const TableSchema& schema);

    // `componentName` (such as "wwTableSoluc") prefixes the missing-column message.
    static WorkTable open(const std::string& folder, const std::string& name, OpenMode mode,
                          const std::string& componentName = "");

    WorkTable(WorkTable&&) noexcept;
    WorkTable& operator=(WorkTable&&) noexcept;
    // Discards: see close().
    ~WorkTable();

    void append(); // new empty row at the end, current and in editing
    void edit();   // current row into editing
    void post();   // store the row in editing

    // First/Next while editing: store the row if a value was written, else drop the editing.
    void first();
    void next();
    bool atEnd() const;

    // A column is read and written through a handle of this table, found once by its name.
    ColumnHandle column(const std::string& name) const;
    ColumnHandle column(const DeclaredColumn& declared) const {
        return column(std::string(declared.name));
    }
    bool hasColumn(const std::string& name) const;

    std::string readText(const ColumnHandle& column); // number columns in decimal, "" blank
    void readText(const ColumnHandle& column, std::string& into); // reuses the buffer
    // The same as a view, valid until the row or the cursor changes: of the row's bytes for a
    // text column, else of a buffer of the table.
    std::string_view readTextView(const ColumnHandle& column);
    int32_t readInteger(const ColumnHandle& column); // rounded; blank reads 0
    double readFloat(const ColumnHandle& column);    // blank reads 0

    void writeText(const ColumnHandle& column, std::string_view value); // cut to width
    void writeBoolean(const ColumnHandle& column, bool value);
    void writeFloat(const ColumnHandle& column, double value);

    // A field's bytes as stored, to give another row the same value without converting it again;
    // writeStoredBytes takes exactly as many bytes as the field holds.
    std::string_view storedBytes(const ColumnHandle& column);

    // Every row not marked deleted, in stored order, as its stored bytes (valid during the call),
    // for a loop over a large table that takes its fields out of them (storedField) and reads a
    // value only now and then (readStored...): the rows are read a block at a time and never
    // copied. `visit` may read the table but not move its cursor or change it.
    void forEachStoredRow(const std::function<void(std::string_view row)>& visit);
    StoredField storedField(const ColumnHandle& column); // raises as a read of it would
    // The reads above, of a row that forEachStoredRow gave.
    std::string readStoredText(const ColumnHandle& column, std::string_view row);
    int32_t readStoredInteger(const ColumnHandle& column, std::string_view row);
    void writeStoredBytes(const ColumnHandle& column, std::string_view bytes);
    // The same for the columns from `first` to `last` in the table's order, side by side in the
    // record: a row takes several values in one copy.
    std::string_view storedBytes(const ColumnHandle& first, const ColumnHandle& last);
    void writeStoredBytes(const ColumnHandle& first, const ColumnHandle& last,
                          std::string_view bytes);

    // First row in stored order whose columns read as text equal the values exactly; it becomes
    // current. O(1) after the first call on the same columns.
    bool locate(const ColumnHandle& column, const std::string& value);
    bool locate(const std::vector<ColumnHandle>& columns, const std::vector<std::string>& values);

    // The code page the header declares, in words, when it is not Windows-1252; empty when it is
    // or none is declared. Text is read as stored all the same.
    std::string foreignCodePage() const;
    int64_t rowCount() const; // rows not marked deleted
    const std::string& path() const;

    // The only way anything pending is kept: a rebuilt table replaces the old one here, and an
    // opened one gets its header brought up to date. A failed write raises here at the latest.
    // A table destroyed without it keeps nothing that was still pending.
    void close();
    bool isOpen() const;

    class Impl;

private:
    explicit WorkTable(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Whether writeFloat would store `value` in a float column, rather than raise that it does not
// fit: for telling beforehand, without a table.
bool fitsFloatColumn(double value);

} // namespace tts::tables
