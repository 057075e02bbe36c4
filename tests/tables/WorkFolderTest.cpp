#include "tables/WorkFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace tts::tables {
namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    void set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            ::setenv(name.c_str(), value, 1);
        else
            ::unsetenv(name.c_str());
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
        {"/data/htemp", "/opt/wine", "/home/ana", "/data/htemp"},
        {nullptr, "/opt/wine", "/home/ana", "/opt/wine/drive_c/HTEMP"},
        {"", "/opt/wine/", "/home/ana", "/opt/wine/drive_c/HTEMP"},
        {nullptr, nullptr, "/home/ana", "/home/ana/.wine/drive_c/HTEMP"},
        {nullptr, "", "/home/ana", "/home/ana/.wine/drive_c/HTEMP"},
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
