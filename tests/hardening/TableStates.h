#pragma once

#include "HardeningSupport.h"

#include <array>
#include <string>

namespace tts::hardening {

// The import's tables in the order its steps rebuild them.
inline const std::array<std::string, 6> kStepTables = {"ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF",
                                                       "GRUPOST.DBF",  "ASIGT.DBF", "DIASHORAST.DBF"};

// A work folder holding the tables of an older school (the "old" tables) and, beside it, what
// an import of the example school makes of them (the "new" ones), so that after any run the
// state of each table can be named.
struct TableStates {
    FolderSnapshot oldTables;
    FolderSnapshot newTables;

    // Fills `work` with the old tables and `sice` with the example school.
    void prepare(const TestFolder& sice, const TestFolder& work);

    // What the work folder must hold after a run: `states` has one letter per table in step
    // order, N for the new table and O for the old one; nothing else may be there.
    FolderSnapshot expected(const std::string& states) const;
};

} // namespace tts::hardening
