#include "import/StagedTable.h"

#include "base/CaseTable.h"
#include "base/Error.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace tts::import {

namespace fs = std::filesystem;

namespace {
fs::path fileOf(const std::string& folder, const std::string& name, const char* extension) {
    return fs::path(folder) / (name + extension);
}

// Files of the folder named `name` in any letter case but `keep` (a table written as
// "asignomt.dbf" by another program is the same table on Windows); failures are ignored.
void removeSpellings(const std::string& folder, const std::string& name, const std::string& keep) {
    std::error_code failure;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end;
         it.increment(failure)) {
        const std::string stored = it->path().filename().string();
        if (stored != keep && equalsIgnoringCase(stored, name))
            doomed.push_back(it->path());
    }
    for (const fs::path& path : doomed)
        fs::remove(path, failure);
}
} // namespace

StagedTable::StagedTable(const std::string& folder, const std::string& name,
                         const std::vector<tables::Column>& columns)
    : folder_(folder), name_(name) {
    try {
        previous_.emplace(tables::WorkTable::open(folder, name, tables::OpenMode::Exclusive));
    } catch (const Error& error) {
        // Only someone else's hold matters here: a missing, read-only or unreadable previous
        // table is simply replaced.
        if (error.message().rfind("La tabla est\xE1 en uso.", 0) == 0)
            throw;
    }
    table_.emplace(tables::WorkTable::createAfresh(folder, stagingName(name), columns));
}

StagedTable::~StagedTable() {
    if (committed_)
        return;
    // The table layer finishes its file as it goes away; what it finished is of no use now.
    table_.reset();
    previous_.reset();
    std::error_code ignored;
    fs::remove(fileOf(folder_, stagingName(name_), ".DBF"), ignored);
    fs::remove(fileOf(folder_, stagingName(name_), ".MDX"), ignored);
}

void StagedTable::commit() {
    table_->close();
    previous_.reset();
    const fs::path staged = fileOf(folder_, stagingName(name_), ".DBF");
    const fs::path target = fileOf(folder_, name_, ".DBF");
    std::error_code failure;
    fs::rename(staged, target, failure);
    if (failure)
        throw Error("Cannot create file \"" + target.string() + "\". " + failure.message());
    committed_ = true;
    removeSpellings(folder_, name_ + ".DBF", name_ + ".DBF");
    removeSpellings(folder_, name_ + ".MDX", "");
    std::error_code ignored;
    fs::remove(fileOf(folder_, stagingName(name_), ".MDX"), ignored);
}

} // namespace tts::import
