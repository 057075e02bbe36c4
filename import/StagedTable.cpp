#include "import/StagedTable.h"

#include "base/Error.h"

#include <filesystem>
#include <system_error>

namespace tts::import {

namespace fs = std::filesystem;

namespace {
fs::path fileOf(const std::string& folder, const std::string& name, const char* extension) {
    return fs::path(folder) / (name + extension);
}
} // namespace

StagedTable::StagedTable(const std::string& folder, const std::string& name,
                         const std::vector<tables::Column>& columns)
    : folder_(folder), name_(name) {
    table_.emplace(tables::WorkTable::createAfresh(folder, stagingName(name), columns));
}

StagedTable::~StagedTable() {
    if (committed_)
        return;
    // The table layer finishes its file as it goes away; what it finished is of no use now.
    table_.reset();
    std::error_code ignored;
    fs::remove(fileOf(folder_, stagingName(name_), ".DBF"), ignored);
    fs::remove(fileOf(folder_, stagingName(name_), ".MDX"), ignored);
}

void StagedTable::commit() {
    table_->close();
    const fs::path staged = fileOf(folder_, stagingName(name_), ".DBF");
    const fs::path target = fileOf(folder_, name_, ".DBF");
    std::error_code failure;
    fs::rename(staged, target, failure);
    if (failure)
        throw Error("Cannot create file \"" + target.string() + "\". " + failure.message());
    committed_ = true;
    std::error_code ignored;
    fs::remove(fileOf(folder_, name_, ".MDX"), ignored);
    fs::remove(fileOf(folder_, stagingName(name_), ".MDX"), ignored);
}

} // namespace tts::import
