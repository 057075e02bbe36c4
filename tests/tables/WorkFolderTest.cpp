#include "tables/WorkFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tts::tables {
namespace {

void setVariable(const std::string& name, const char* value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value ? value : ""); // an empty value removes it
#else
    if (value)
        ::setenv(name.c_str(), value, 1);
    else
        ::unsetenv(name.c_str());
#endif
}

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_)
            setVariable(name, value ? value->c_str() : nullptr);
    }
    void set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setVariable(name, value);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(WorkFolder, HtempOverridesTheWinePrefixWhichOverridesHome) {
    const struct {
        const char* htemp;
        const char* winePrefix;
        const char* home;
        std::string expected;
    } cases[] = {
#ifdef _WIN32
        // Windows has the host's own folder; a Wine prefix means nothing there.
        {"D:\\datos", "/opt/wine", "/home/ana", "D:\\datos"},
        {nullptr, "/opt/wine", "/home/ana", "C:\\HTEMP"},
        {"", nullptr, nullptr, "C:\\HTEMP"},
#else
        {"/data/htemp", "/opt/wine", "/home/ana", "/data/htemp"},
        {nullptr, "/opt/wine", "/home/ana", "/opt/wine/drive_c/HTEMP"},
        {"", "/opt/wine/", "/home/ana", "/opt/wine/drive_c/HTEMP"},
        {nullptr, nullptr, "/home/ana", "/home/ana/.wine/drive_c/HTEMP"},
        {nullptr, "", "/home/ana", "/home/ana/.wine/drive_c/HTEMP"},
#endif
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.set("HTEMP", c.htemp);
        environment.set("WINEPREFIX", c.winePrefix);
        environment.set("HOME", c.home);
        EXPECT_EQ(workFolder(), c.expected);
    }
}

} // namespace
} // namespace tts::tables
