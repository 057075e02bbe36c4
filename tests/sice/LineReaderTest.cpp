#include "sice/LineReader.h"
#include "sice/IoError.h"

#include "SiceTestSupport.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tts::sice {
namespace {

using Lines = std::vector<std::string>;

Lines readAll(LineReader& reader) {
    Lines lines;
    while (!reader.atEnd())
        lines.push_back(std::string(reader.next()));
    return lines;
}

struct Case {
    const char* what;
    std::string bytes;
    Lines lines;
};

const std::vector<Case>& cases() {
    using namespace std::string_literals;
    static const std::vector<Case> all = {
        {"empty file", "", {}},
        {"Ctrl-Z first ends the file at once",
         "\x1A"
         "abc\r\n",
         {}},
        {"CR LF lines, no extra line at the end", "uno\r\ndos\r\n", {"uno", "dos"}},
        {"LF alone ends a line, last line without end", "uno\ndos", {"uno", "dos"}},
        {"empty lines are lines", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"a lone CR disappears without ending the line", "a\rb\r\n", {"ab"}},
        {"every CR before the LF goes", "a\r\r\nb", {"a", "b"}},
        {"CR after LF belongs to the next line and goes", "a\n\rb\n", {"a", "b"}},
        {"trailing CR without LF goes", "a\r", {"a"}},
        {"Ctrl-Z inside a line cuts that line only",
         "ab\x1A"
         "cd\r\nef\r\n",
         {"ab", "ef"}},
        {"Ctrl-Z at a line start ends the file",
         "ab\r\n\x1A"
         "cd\r\nef\r\n",
         {"ab"}},
        {"each Ctrl-Z inside a line cuts its own line, however far apart",
         "a\x1A"
         "b\r\nc\r\nd\x1A\x1A"
         "e\r\nf\x1A",
         {"a", "c", "d", "f"}},
        {"a stray CR before a Ctrl-Z goes too",
         "a\rb\x1A"
         "c\r\nd",
         {"ab", "d"}},
        {"NUL stays in the line", "a\0b\r\nc"s, {"a\0b"s, "c"}},
        {"bytes above 127 pass unchanged", "Mu\xF1oz \xC1lvarez\r\n", {"Mu\xF1oz \xC1lvarez"}},
        {"no length limit", std::string(300000, 'x') + "\r\ny", {std::string(300000, 'x'), "y"}},
    };
    return all;
}

TEST(LineReader, SplitsBytesAsTheLineRulesSay) {
    for (const Case& c : cases()) {
        LineReader reader = LineReader::over(c.bytes);
        EXPECT_EQ(readAll(reader), c.lines) << c.what;
    }
}

TEST(LineReader, ReadsAFileLikeItsBytes) {
    test::TempFolder folder;
    for (const Case& c : cases()) {
        test::writeBytes(folder.file("f.txt"), c.bytes);
        LineReader reader(folder.file("f.txt"));
        EXPECT_EQ(readAll(reader), c.lines) << c.what;
        reader.close();
        EXPECT_TRUE(reader.atEnd()) << c.what;
    }
}

TEST(LineReader, ErrorCodesGiveTheSpanishMessages) {
    const struct {
        int posixErrno;
        const char* message;
    } table[] = {
        {ENOENT, "No se encuentra el archivo"},
        {ENAMETOOLONG, "Nombre de archivo inv\xE1lido"},
        {EINVAL, "Nombre de archivo inv\xE1lido"},
        {ENOTDIR, "Nombre de archivo inv\xE1lido"},
        {EMFILE, "Demasiados archivos abiertos"},
        {ENFILE, "Demasiados archivos abiertos"},
        {EACCES, "Acceso al archivo denegado"},
        {EPERM, "Acceso al archivo denegado"},
        {EISDIR, "Acceso al archivo denegado"},
        {EBUSY, "Error de E/S 32"},
        {ETXTBSY, "Error de E/S 32"},
        {EIO, "Error de E/S 30"},
        {ENOMEM, "Error de E/S 8"},
        {EXDEV, "Error de E/S 31"},
    };
    for (const auto& row : table)
        EXPECT_EQ(ioErrorText(platform::windowsCode(row.posixErrno)), row.message)
            << row.posixErrno;
}

std::string openError(const std::string& path) {
    return test::errorOf([&] { LineReader reader(path); });
}

// The message users know, then which file and why.
std::string aboutFile(const std::string& message, const std::string& path, const char* reason) {
    return message + ".\nArchivo: " + path + "\nMotivo: " + reason;
}

TEST(LineReader, OpenFailuresOfRealFiles) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder.file("carpeta"));
    EXPECT_EQ(openError(folder.file("falta.txt")),
              aboutFile("No se encuentra el archivo", folder.file("falta.txt"), "no existe"));
    // A link to nothing, or to itself, says so rather than that the file is missing.
    std::filesystem::create_symlink(folder.file("nada.txt"), folder.file("roto.txt"));
    EXPECT_EQ(openError(folder.file("roto.txt")),
              aboutFile("No se encuentra el archivo", folder.file("roto.txt"),
                        "es un enlace roto: lo que nombra no existe"));
    std::filesystem::create_symlink(folder.file("bucle.txt"), folder.file("bucle.txt"));
    EXPECT_EQ(openError(folder.file("bucle.txt")),
              aboutFile("Nombre de archivo inv\xE1lido", folder.file("bucle.txt"),
                        "es un enlace que vuelve sobre s\xED mismo (enlaces en bucle)"));
    // What is no plain file is named, not taken for a missing or forbidden one; a device or a
    // FIFO is never read (the one endless, the other waiting for a writer).
    for (const std::string& odd : {folder.file("carpeta"), std::string("/dev/zero")})
        EXPECT_EQ(openError(odd), "Cannot open file \"" + odd + "\". No es un archivo normal");
    ASSERT_EQ(::mkfifo(folder.file("fifo.txt").c_str(), 0600), 0);
    EXPECT_EQ(openError(folder.file("fifo.txt")),
              "Cannot open file \"" + folder.file("fifo.txt") + "\". No es un archivo normal");
    EXPECT_EQ(openError(folder.file(std::string(300, 'n'))),
              aboutFile("Nombre de archivo inv\xE1lido", folder.file(std::string(300, 'n')),
                        "la ruta o uno de sus nombres es m\xE1s largo de lo que el sistema "
                        "admite"));

    test::writeBytes(folder.file("sice_prof.txt"), "x\r\n");
    const std::string path = folder.file("sice_prof.txt");
    // Without any descriptor left, opening fails as on a system out of file handles.
    auto noDescriptors = [] {
        rlimit none{0, 0};
        return ::setrlimit(RLIMIT_NOFILE, &none) == 0;
    };
    EXPECT_EQ(test::errorInChild(noDescriptors, [&] { LineReader reader(path); }),
              aboutFile("Demasiados archivos abiertos", path, "demasiados archivos abiertos"));
}

TEST(LineReader, UnreadableFileIsAccessDenied) {
    test::TempFolder folder;
    ::chmod(folder.carpeta().c_str(), 0755);
    const std::string path = folder.file("sice_aulas.txt");
    test::writeBytes(path, "x\r\n");
    ::chmod(path.c_str(), 0);
    const std::string message =
        test::errorInChild(test::becomeNobody, [&] { LineReader reader(path); });
    if (message == test::kPrepareFailed)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(message, aboutFile("Acceso al archivo denegado", path, "acceso denegado"));
}

} // namespace
} // namespace tts::sice
