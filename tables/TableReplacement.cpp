#include "tables/TableReplacement.h"

#include "base/CaseTable.h"
#include "base/platform/AtomicReplace.h"
#include "base/platform/Folders.h"
#include "base/platform/Process.h"
#include "base/platform/ReplaceSteps.h"
#include "base/platform/SystemError.h"

#include "tables/TableErrors.h"
#include "tables/TableFiles.h"

#include <atomic>
#include <string_view>
#include <vector>

namespace tts::tables {

namespace {

std::atomic<unsigned> temporarySequence{0};

bool deniedByFolder(platform::SystemError error) {
    return platform::isAccessDenied(error) || platform::isNotFound(error);
}

} // namespace

std::string TableReplacement::temporaryPrefix(const std::string& name) {
    return platform::temporaryPrefix(name + ".DBF"); // named as every replaced file's
}

void TableReplacement::removeStaleFiles(const std::string& folder, const std::string& name) {
    const std::string prefix = temporaryPrefix(name);
    std::vector<std::string> names;
    if (platform::listFolder(folder.empty() ? "." : folder, names) != 0)
        return;
    for (const std::string& fileName : names) {
        if (fileName.size() >= prefix.size() &&
            equalsIgnoringCase(std::string_view(fileName).substr(0, prefix.size()), prefix))
            platform::removeIfUnheld(tableFiles::joinPath(folder, fileName));
    }
}

TableReplacement::TableReplacement(const std::string& folder, const std::string& name,
                                   const std::string& finalPath)
    : folder_(folder), name_(name), finalPath_(finalPath) {
    removeStaleFiles(folder, name);

    const bool oldExists = platform::pathKind(finalPath) != platform::PathKind::Missing;
    if (oldExists) {
        platform::SystemError error = 0;
        old_ = platform::File::open(finalPath, platform::Access::ReadWrite, platform::Share::None,
                                    platform::Disposition::OpenExisting, error);
        if (!old_.isOpen() && platform::isAccessDenied(error)) {
            // Read-only to us; still keep others from opening it alone meanwhile.
            old_ =
                platform::File::open(finalPath, platform::Access::Read, platform::Share::ReadWrite,
                                     platform::Disposition::OpenExisting, error);
        }
        if (!old_.isOpen() && platform::isSharingViolation(error))
            throw tableErrors::tableInUse(finalPath);
    }

    for (int attempt = 0; !temporary_.isOpen(); ++attempt) {
        temporaryPath_ = tableFiles::joinPath(
            folder, temporaryPrefix(name) + std::to_string(platform::currentProcessId()) + "-" +
                        std::to_string(temporarySequence++));
        platform::SystemError error = 0;
        temporary_ =
            platform::File::open(temporaryPath_, platform::Access::ReadWrite, platform::Share::None,
                                 platform::Disposition::CreateNew, error);
        if (temporary_.isOpen()) {
            if (oldExists) // the new table keeps the old one's mode
                platform::keepPermissions(temporary_, finalPath);
            break;
        }
        if (platform::isAlreadyExists(error) && attempt < 100)
            continue;
        if (deniedByFolder(error))
            throw tableErrors::invalidFolder(folder);
        throw tableErrors::cannotCreate(finalPath, error);
    }
    // A rename would replace a table the user protected; Windows keeps it, so do we, before
    // anything is written. The folder's own refusal, above, is the one to report first.
    if (oldExists) {
        if (const platform::SystemError denied = platform::checkReplaceable(finalPath);
            platform::isAccessDenied(denied)) {
            discard();
            throw tableErrors::cannotCreate(finalPath, denied);
        }
    }
}

TableReplacement::~TableReplacement() {
    if (!done_)
        discard();
}

void TableReplacement::commit() {
    if (done_)
        return;
    platform::SystemError error = temporary_.flush();
    if (const platform::SystemError closed = temporary_.close(); error == 0)
        error = closed;
    // Both files closed first: Windows renames nothing over an open file, nor an open one.
    old_.close();
    if (error == 0)
        error = platform::moveOver(temporaryPath_, finalPath_);
    if (error != 0) {
        discard();
        // Another program took the old table meanwhile: in use, as if it had held it before.
        if (platform::isSharingViolation(error))
            throw tableErrors::tableInUse(finalPath_);
        throw tableErrors::cannotWrite(finalPath_, error);
    }
    done_ = true;
    tableFiles::removeIfPresent(folder_, name_ + ".MDX");
    platform::flushFolder(folder_);
}

void TableReplacement::discard() {
    if (done_)
        return;
    done_ = true;
    // Closed first: Windows deletes no open file.
    temporary_.close();
    old_.close();
    platform::removeFile(temporaryPath_);
}

} // namespace tts::tables
