#pragma once

#include "HardeningSupport.h"

#include <array>
#include <string>

namespace tts::hardening {

// The import's tables in the order its steps rebuild them.
inline const std::array<std::string, 6> kStepTables = {
    "ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF", "GRUPOST.DBF", "ASIGT.DBF", "DIASHORAST.DBF"};

// A work folder holding the tables of an older school (the "old" tables) and, beside it, what
// an import of the example school makes of them (the "new" ones), so that after any run the
// state of each table can be named.
struct TableStates {
    FolderSnapshot oldTables;
    FolderSnapshot newTables;

    // Fills `work` with the old tables and `sice` with the example school.
    void prepare(const TestFolder& sice, const TestFolder& work);

    // What the work folder holds, one letter per table in step order: N the new table, O the
    // old one, ? neither (a mix or a fragment), - none; then " +NAME" for every other file.
    std::string describe(const FolderSnapshot& work) const;
    std::string describe(const TestFolder& work) const { return describe(snapshotOf(work.path())); }
};

} // namespace tts::hardening
