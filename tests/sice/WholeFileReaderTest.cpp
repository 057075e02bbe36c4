#include "sice/WholeFileReader.h"

#include "SiceTestSupport.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tts::sice {
namespace {

using Lines = std::vector<std::string>;

struct Case {
    const char* what;
    std::string bytes;
    Lines lines;
};

const std::vector<Case>& cases() {
    using namespace std::string_literals;
    static const std::vector<Case> all = {
        {"empty file", "", {}},
        {"CR LF lines, no extra line at the end", "uno\r\ndos\r\n", {"uno", "dos"}},
        {"LF, CR and CR LF each end one line", "a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"LF CR is two ends with an empty line between", "a\n\rb", {"a", "", "b"}},
        {"CR then CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"trailing lone CR adds no line", "a\r", {"a"}},
        {"a final empty line stays", "a\r\n\r\n", {"a", ""}},
        {"NUL ends the text", "a\r\nb\0c\r\nd\r\n"s, {"a", "b"}},
        {"NUL first leaves nothing", "\0abc"s, {}},
        {"Ctrl-Z is an ordinary character",
         "a\x1A"
         "b\r\n\x1A"
         "c\r\n",
         {"a\x1A"
          "b",
          "\x1A"
          "c"}},
        {"bytes above 127 pass unchanged",
         "\xD1"
         "and\xFA\r\n",
         {"\xD1"
          "and\xFA"}},
    };
    return all;
}

TEST(WholeFileReader, SplitsBytesAsTheWholeFileRulesSay) {
    for (const Case& c : cases())
        EXPECT_EQ(test::splitLines(c.bytes), c.lines) << c.what;
}

TEST(WholeFileReader, ReadsAFileLikeItsBytes) {
    test::TempFolder folder;
    for (const Case& c : cases()) {
        test::writeBytes(folder.file("f.txt"), c.bytes);
        EXPECT_EQ(test::readLines(folder.file("f.txt")), c.lines) << c.what;
    }
}

std::string loadError(const std::string& path) {
    return test::errorOf([&] { test::readLines(path); });
}

TEST(WholeFileReader, OpenFailuresNameThePathAndTheSystemsReason) {
    test::TempFolder folder;
    const std::string missing = folder.file("sice_sesiones.txt");
    EXPECT_EQ(loadError(missing), "Cannot open file \"" + missing + "\". No existe");

    std::filesystem::create_directory(folder.file("sice_asignat.txt"));
    EXPECT_EQ(loadError(folder.file("sice_asignat.txt")), "Cannot open file \"" +
                                                              folder.file("sice_asignat.txt") +
                                                              "\". No es un archivo normal");
    // Read without end before: a device and a FIFO are named, never read.
    EXPECT_EQ(loadError("/dev/zero"), "Cannot open file \"/dev/zero\". No es un archivo normal");
    ASSERT_EQ(::mkfifo(folder.file("sice_sesiones.fifo").c_str(), 0600), 0);
    EXPECT_EQ(loadError(folder.file("sice_sesiones.fifo")), "Cannot open file \"" +
                                                                folder.file("sice_sesiones.fifo") +
                                                                "\". No es un archivo normal");

    ::chmod(folder.carpeta().c_str(), 0755);
    const std::string locked = folder.file("sice_asignatcurso.txt");
    test::writeBytes(locked, "x\r\n");
    ::chmod(locked.c_str(), 0);
    const std::string message =
        test::errorInChild(test::becomeNobody, [&] { test::readLines(locked); });
    if (message == test::kPrepareFailed)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(message, "Cannot open file \"" + locked + "\". Acceso denegado");
}

} // namespace
} // namespace tts::sice
