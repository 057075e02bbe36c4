#include "base/platform/Folders.h"

#include "base/CaseTable.h"

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

SystemError findIgnoringCase(const std::string& folder, const std::string& name,
                             std::optional<std::string>& path) {
    path.reset();
    const std::string exact = joinPath(folder, name);
    const PathKind exactKind = pathKind(exact);
    if (exactKind == PathKind::File || exactKind == PathKind::Other) {
        path = exact;
        return 0;
    }
    std::vector<std::string> names;
    if (SystemError error = listFolder(folder.empty() ? std::string(".") : folder, names))
        return error;
    const std::string* best = nullptr;
    for (const std::string& stored : names) {
        if (!equalsIgnoringCase(stored, name) || (best && !(stored < *best)))
            continue;
        const PathKind kind = pathKind(joinPath(folder, stored));
        if (kind == PathKind::File || kind == PathKind::Other)
            best = &stored;
    }
    if (best)
        path = joinPath(folder, *best);
    return 0;
}

} // namespace tts::platform
