#pragma once

#include "base/platform/File.h"

#include <string>

namespace tts::tables {

// Rebuilding a table so that a killed process leaves either the complete old table or the
// complete new one, never a mix:
//
// - the new table is written into a temporary file in the same folder, under a name the host
//   does not list as a table (".~NAME.DBF.tmp-<pid>-<n>"), locked for writing from the start;
// - meanwhile the old NAME.DBF stays untouched, write-locked by us, so nobody opens it and
//   writes into a file that is about to be replaced;
// - commit() syncs the temporary file, renames it over NAME.DBF in one atomic step, removes the
//   index file NAME.MDX only then (an old table keeps its index until it is replaced) and syncs
//   the folder; the locks go when the descriptors close, after the rename;
// - a process killed before the rename leaves its temporary file behind: the next rebuild of
//   the same table deletes it once nobody holds it (a living writer always does).
class TableReplacement {
public:
    // Raises "La tabla está en uso." when someone holds NAME.DBF, "Ruta de acceso no válida."
    // when the folder cannot take the temporary file.
    TableReplacement(const std::string& folder, const std::string& name,
                     const std::string& finalPath);
    ~TableReplacement(); // discards the temporary file unless committed
    TableReplacement(const TableReplacement&) = delete;
    TableReplacement& operator=(const TableReplacement&) = delete;

    platform::File& file() { return temporary_; }
    const std::string& temporaryPath() const { return temporaryPath_; }

    // The temporary file, synced, becomes NAME.DBF; raises on failure (nothing replaced).
    void commit();
    void discard(); // the old table stays as it was

    // Deletes temporary files of NAME.DBF that no living writer holds.
    static void removeStaleFiles(const std::string& folder, const std::string& name);
    static std::string temporaryPrefix(const std::string& name);

private:
    std::string folder_;
    std::string name_;
    std::string finalPath_;
    std::string temporaryPath_;
    platform::File temporary_;
    platform::File old_;
    bool done_ = false;
};

} // namespace tts::tables
