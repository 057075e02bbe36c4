#include "app/Drives.h"

#include "base/CaseTable.h"

namespace tts::app {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

bool sameText(std::string_view a, std::string_view b) {
#ifdef _WIN32
    return equalsIgnoringCase(a, b);
#else
    return a == b;
#endif
}

bool contains(const std::string& root, const std::string& folder) {
    if (sameText(root, folder))
        return true;
    const std::string prefix = !root.empty() && isSeparator(root.back()) ? root : root + '/';
    if (folder.size() < prefix.size())
        return false;
    const std::string_view head(folder.data(), prefix.size());
    // A root given without its separator matches either separator after it.
    if (!isSeparator(root.empty() ? '\0' : root.back()))
        return sameText(head.substr(0, root.size()), root) && isSeparator(head.back());
    return sameText(head, prefix);
}

} // namespace

std::string Drive::text() const {
#ifdef _WIN32
    const std::string name = lowerAsciiOnly(root.substr(0, 2));
#else
    const std::string& name = root;
#endif
    if (kind == DriveKind::Network)
        return label.empty() ? name : name + ' ' + label;
    if (kind == DriveKind::Removable)
        return name;
    return name + " [" + label + ']';
}

int driveIndexOf(const std::vector<Drive>& drives, const std::string& folder) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(drives.size()); ++i)
        if (contains(drives[size_t(i)].root, folder) &&
            (best < 0 || drives[size_t(i)].root.size() > drives[size_t(best)].root.size()))
            best = i;
    return best;
}

} // namespace tts::app
