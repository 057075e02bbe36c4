#include "tables/WorkFolder.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace tts::tables {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

std::string workFolder() {
    std::string overridden = environment("HTEMP");
    if (!overridden.empty())
        return overridden;
#ifdef _WIN32
    return "C:\\HTEMP";
#else
    std::string prefix = environment("WINEPREFIX");
    if (prefix.empty()) {
        std::string home = environment("HOME");
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid()))
                home = user->pw_dir;
        }
        prefix = home + "/.wine";
    }
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    return prefix + "/drive_c/HTEMP";
#endif
}

} // namespace tts::tables
