#include "app/ProfileString.h"

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tts::app {
namespace {

using Entries = std::map<std::string, std::map<std::string, std::string>>;

// Sections, keys and values as an INI reader sees them. The system's writer rewrites the whole
// file (blank lines and blanks around "=" are not kept), so this is what must survive.
Entries entriesOf(const std::string& text) {
    Entries entries;
    std::string section;
    size_t start = 0;
    auto trim = [](std::string s) {
        const size_t first = s.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            return std::string();
        return s.substr(first, s.find_last_not_of(" \t\r") + 1 - first);
    };
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.size() > 1 && line.front() == '[' && line.back() == ']')
            section = line.substr(1, line.size() - 2);
        else if (const size_t equals = line.find('='); equals != std::string::npos)
            entries[section][trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
    }
    return entries;
}

TEST(WindowsHandOff, WritePrivateProfileStringKeepsTheRestOfHorvaneIni) {
    test::TempFolder folder;
    // A full path: a bare name would go to the Windows folder.
    const std::string path = folder.path() + "\\Horvane.ini";
    test::writeBytes(path, "[Horvane]\r\nCentro = IES Uno\r\n\r\n[Transformadores]\r\n"
                           "Otro=7\r\nTransformado=1\r\n\r\n[Rutas]\r\nTemp=C:\\HTEMP\r\n");
    ASSERT_EQ(writeProfileString(path, "Transformadores", "Transformado", "-1"), 0);
    Entries expected = {{"Horvane", {{"Centro", "IES Uno"}}},
                        {"Transformadores", {{"Otro", "7"}, {"Transformado", "-1"}}},
                        {"Rutas", {{"Temp", "C:\\HTEMP"}}}};
    EXPECT_EQ(entriesOf(test::readBytes(path)), expected);

    // A missing file is made, with the entry as "key=value".
    const std::string fresh = folder.path() + "\\Nuevo.ini";
    ASSERT_EQ(writeProfileString(fresh, "Transformadores", "Transformado", "0"), 0);
    EXPECT_NE(test::readBytes(fresh).find("Transformado=0"), std::string::npos);
    EXPECT_EQ(entriesOf(test::readBytes(fresh)),
              (Entries{{"Transformadores", {{"Transformado", "0"}}}}));
}

} // namespace
} // namespace tts::app
