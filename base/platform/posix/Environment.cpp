#include "base/platform/Environment.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tts::platform {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string hostWorkFolder() {
    std::string prefix = environmentValue("WINEPREFIX");
    if (prefix.empty()) {
        std::string home = environmentValue("HOME");
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid()))
                home = user->pw_dir;
        }
        prefix = home + "/.wine";
    }
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    return prefix + "/drive_c/HTEMP";
}

} // namespace tts::platform
