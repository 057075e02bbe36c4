#include "base/platform/Folders.h"

#include "base/CaseTable.h"

#include <algorithm>

namespace tts::platform {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    const char last = folder.back();
    if (last == pathSeparator() || last == '/')
        return folder + name;
    return folder + pathSeparator() + name;
}

std::string folderOf(const std::string& path) {
#ifdef _WIN32
    const size_t separator = path.find_last_of("/\\");
#else
    const size_t separator = path.find_last_of('/');
#endif
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string nameOf(const std::string& path) {
    return path.substr(folderOf(path).size());
}

SystemError findIgnoringCase(const std::string& folder, const std::string& name,
                             std::optional<std::string>& path,
                             std::vector<std::string>* leftAside) {
    path.reset();
    if (leftAside)
        leftAside->clear();
    auto usable = [](const std::string& entry) {
        const PathKind kind = pathKind(entry);
        return kind == PathKind::File || kind == PathKind::Other ||
               (kind == PathKind::Missing && isLink(entry));
    };
    // The listing, not the exact path, tells the stored spelling: on Windows "soluc.dbf" opens
    // as "SOLUC.DBF" too, and messages name the file as it is stored.
    std::vector<std::string> names;
    if (SystemError error = listFolder(folder.empty() ? std::string(".") : folder, names)) {
        // A folder that may be entered but not listed still opens a name spelled exactly.
        const std::string exact = joinPath(folder, name);
        if (usable(exact)) {
            path = exact;
            return 0;
        }
        return error;
    }
    const std::string* best = nullptr;
    std::vector<const std::string*> candidates;
    for (const std::string& stored : names) {
        if (!equalsIgnoringCase(stored, name) || !usable(joinPath(folder, stored)))
            continue;
        candidates.push_back(&stored);
        const bool exact = stored == name;
        if (best && !exact && (*best == name || !(stored < *best)))
            continue;
        best = &stored;
    }
    if (best)
        path = joinPath(folder, *best);
    if (leftAside) {
        for (const std::string* other : candidates)
            if (other != best)
                leftAside->push_back(joinPath(folder, *other));
        std::sort(leftAside->begin(), leftAside->end());
    }
    return 0;
}

} // namespace tts::platform
