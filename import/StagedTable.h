#pragma once

#include "tables/Column.h"
#include "tables/WorkTable.h"

#include <optional>
#include <string>
#include <vector>

namespace tts::import {

// A step's new work table, built under a staging name in the work folder. commit() puts it in
// place of NAME.DBF (dropping NAME.MDX, which would no longer match it); a step that fails
// before that leaves the previous table as it was, and the staging file is removed.
// While it is built, the previous NAME.DBF is held exclusively, so that a table someone else
// has open stops the step with "La tabla está en uso." as rebuilding it in place would.
class StagedTable {
public:
    StagedTable(const std::string& folder, const std::string& name,
                const std::vector<tables::Column>& columns);
    StagedTable(const StagedTable&) = delete;
    StagedTable& operator=(const StagedTable&) = delete;
    ~StagedTable();

    tables::WorkTable& table() { return *table_; }
    void commit();

    static std::string stagingName(const std::string& name) { return "~" + name; }

private:
    std::string folder_;
    std::string name_;
    std::optional<tables::WorkTable> previous_; // held until the new table takes its place
    std::optional<tables::WorkTable> table_;
    bool committed_ = false;
};

} // namespace tts::import
