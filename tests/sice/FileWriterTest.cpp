#include "sice/FileWriter.h"

#include "base/platform/FaultInjection.h"

#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include "SiceTestSupport.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tts::sice {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Every line followed by CR LF, through the writer the export uses.
void writeLines(const Lines& lines, const std::string& path) {
    LineFileWriter file(path);
    for (const std::string& line : lines)
        file.add(line);
    file.commit();
}

// The error of writing `lines` with every write going through `chunk`.
std::string writeError(const Lines& lines, const std::string& path,
                       const platform::WriteBytes& chunk) {
    const platform::InjectedWrites writes(chunk);
    return test::errorOf([&] { writeLines(lines, path); });
}

TEST(FileWriter, WritesCrLfAfterEveryLineAndReadsBackBothWays) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const Lines lines = {"0SICE_HORARIO.TXT", "", "1   L1GARC1A *LECMAT AULA",
                         "1 Mu\xF1oz \xC1lvarez \xBD", "9SICE_HORARIO.TXT  2"};
    writeLines(lines, path);

    std::string expected;
    for (const auto& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(test::readBytes(path), expected);

    LineReader reader(path);
    Lines byLine;
    while (!reader.atEnd())
        byLine.push_back(std::string(reader.next()));
    EXPECT_EQ(byLine, lines);
    EXPECT_EQ(test::readLines(path), lines);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

TEST(FileWriter, ReplacesTheOldFileAndKeepsItsPermissions) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    test::writeBytes(path, std::string(5000, 'v'));
    ::chmod(path.c_str(), 0640);
    writeLines({"nuevo"}, path);
    EXPECT_EQ(test::readBytes(path), "nuevo\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    writeLines({}, path);
    EXPECT_EQ(test::readBytes(path), "");
}

TEST(FileWriter, FailedWriteLeavesTheOldFileWhole) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const std::string old = "0SICE_HORARIO.TXT viejo\r\n9 0\r\n";
    test::writeBytes(path, old);

    // The disk fills up after some 100 kB: more than one chunk has gone to the file by then.
    Lines lines(5000, std::string(60, 'x'));
    size_t budget = 100000;
    auto diskFills = [&](const char*, size_t size, platform::SystemError& error) -> size_t {
        if (budget == 0) {
            error = ENOSPC;
            return 0;
        }
        size_t n = std::min(size, budget);
        budget -= n;
        return n;
    };
    EXPECT_EQ(writeError(lines, path, diskFills),
              "Cannot create file \"" + path + "\". No queda espacio en el disco");
    EXPECT_EQ(budget, 0u);
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));

    // A write function that makes no progress must fail, not loop.
    auto stuck = [](const char*, size_t, platform::SystemError&) -> size_t { return 0; };
    EXPECT_EQ(writeError({"a"}, path, stuck),
              "Cannot create file \"" + path + "\". No queda espacio en el disco");
    EXPECT_EQ(test::readBytes(path), old);
}

TEST(FileWriter, TargetThatCannotBeReplaced) {
    test::TempFolder folder;
    fs::create_directory(folder.file("SICE_HORARIO.TXT"));
    test::writeBytes(folder.file("SICE_HORARIO.TXT/dentro"), "x");
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const std::string message = test::errorOf([&] { writeLines({"a"}, path); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << message;
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
    EXPECT_EQ(test::readBytes(folder.file("SICE_HORARIO.TXT/dentro")), "x");
}

TEST(FileWriter, FolderThatCannotBeWritten) {
    test::TempFolder folder;
    const std::string missing = folder.file("no/SICE_HORARIO.TXT");
    EXPECT_EQ(writeError({"a"}, missing, {}), "Cannot create file \"" + missing + "\". No existe");

    ::chmod(folder.carpeta().c_str(), 0555);
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const std::string message =
        test::errorInChild(test::becomeNobody, [&] { writeLines({"a"}, path); });
    if (message == test::kPrepareFailed)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(message, "Cannot create file \"" + path + "\". Acceso denegado");
    EXPECT_FALSE(fs::exists(path));
}

// While the lines are gathered the old file is still what a reader finds, and a writer dropped
// without commit (an error in the job) leaves nothing.
TEST(FileWriter, StreamedLinesReplaceTheOldFileOnlyAtCommit) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const std::string old = "0SICE_HORARIO.TXT viejo\r\n9 0\r\n";
    test::writeBytes(path, old);
    const std::string line(58, 'x'); // 60 bytes with CR LF: 10 000 lines are several blocks
    {
        LineFileWriter dropped(path);
        for (int i = 0; i < 10000; ++i)
            dropped.add(line);
        EXPECT_EQ(test::readBytes(path), old);
    }
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));

    LineFileWriter writer(path);
    for (int i = 0; i < 10000; ++i)
        writer.add(line);
    writer.add("9");
    EXPECT_EQ(test::readBytes(path), old);
    writer.commit();
    std::string expected;
    for (int i = 0; i < 10000; ++i)
        expected += line + "\r\n";
    EXPECT_EQ(test::readBytes(path), expected + "9\r\n");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

// Whatever stops the job before the end is what the user reads; a file that could not be created
// is reported at commit, as when the whole file was written at the end.
TEST(FileWriter, StreamedFileThatCannotBeCreatedFailsAtCommit) {
    test::TempFolder folder;
    const std::string missing = folder.file("no/SICE_HORARIO.TXT");
    LineFileWriter writer(missing);
    for (int i = 0; i < 10000; ++i)
        EXPECT_NO_THROW(writer.add(std::string(58, 'x')));
    EXPECT_EQ(test::errorOf([&] { writer.commit(); }),
              "Cannot create file \"" + missing + "\". No existe");
}

// The file is as the user left it: read-only stays read-only and is not replaced, as Windows
// keeps a read-only file (root too, who could rename over it).
TEST(FileWriter, ReadOnlyFileIsNotReplaced) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    test::writeBytes(path, "viejo\r\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(writeError({"nuevo"}, path, {}),
              "Cannot create file \"" + path + "\". Acceso denegado");
    EXPECT_EQ(test::readBytes(path), "viejo\r\n");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

// The user may protect the file while a long export is still writing its temporary file.
TEST(FileWriter, FileMadeReadOnlyWhileTheLinesAreWrittenIsNotReplaced) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    test::writeBytes(path, "viejo\r\n");
    LineFileWriter writer(path);
    for (int i = 0; i < 10000; ++i)
        writer.add(std::string(58, 'x'));
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(test::errorOf([&] { writer.commit(); }),
              "Cannot create file \"" + path + "\". Acceso denegado");
    EXPECT_EQ(test::readBytes(path), "viejo\r\n");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

// A folder where no file may be made, holding a file that may be written: Windows writes the
// file where it is, and so do we.
TEST(FileWriter, WritableFileInAFolderThatCannotBeWrittenIsWrittenInPlace) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    test::writeBytes(path, std::string(300, 'v'));
    ::chmod(path.c_str(), 0666);
    ::chmod(folder.carpeta().c_str(), 0555);
    const std::string message =
        test::errorInChild(test::becomeNobody, [&] { writeLines({"nuevo"}, path); });
    if (message == test::kPrepareFailed)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(message, test::kNoError);
    EXPECT_EQ(test::readBytes(path), "nuevo\r\n");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

// Someone else's lock on the file, of any kind, keeps it.
TEST(FileWriter, FileLockedByAnotherProgramIsNotReplaced) {
    test::TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    test::writeBytes(path, "viejo\r\n");
    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(writeError({"nuevo"}, path, {}),
              "Cannot create file \"" + path + "\". Otro programa lo est\xE1 usando");
    ::close(fd);
    EXPECT_EQ(test::readBytes(path), "viejo\r\n");
    writeLines({"nuevo"}, path);
    EXPECT_EQ(test::readBytes(path), "nuevo\r\n");
}

} // namespace
} // namespace tts::sice
