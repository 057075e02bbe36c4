#include "base/platform/TemporaryFiles.h"

#include "base/CaseTable.h"
#include "base/platform/Folders.h"
#include "base/platform/Process.h"
#include "base/platform/ReplaceSteps.h"

#include <atomic>
#include <vector>

namespace tts::platform {

namespace {

constexpr std::string_view kStart = ".~";
constexpr std::string_view kMark = ".tmp-";

std::atomic<unsigned> temporarySequence{0};

} // namespace

std::string temporaryName(const std::string& name) {
    return std::string(kStart) + name + std::string(kMark) + std::to_string(currentProcessId()) +
           "-" + std::to_string(temporarySequence++);
}

bool isTemporaryName(std::string_view candidate, std::string_view name) {
    if (candidate.substr(0, kStart.size()) != kStart)
        return false;
    const size_t mark = candidate.rfind(kMark);
    if (mark == std::string_view::npos || mark <= kStart.size() ||
        mark + kMark.size() == candidate.size())
        return false;
    const std::string_view target = candidate.substr(kStart.size(), mark - kStart.size());
    return name.empty() || equalsIgnoringCase(target, name);
}

void removeStaleTemporaries(const std::string& folder, std::string_view name) {
    std::vector<std::string> names;
    const std::string where = folder.empty() ? "." : folder;
    if (listFolder(where, names) != 0)
        return;
    for (const std::string& candidate : names)
        if (isTemporaryName(candidate, name))
            removeIfUnheld(joinPath(folder, candidate));
}

} // namespace tts::platform
