#include "base/platform/AtomicReplace.h"
#include "base/platform/File.h"
#include "base/platform/Folders.h"
#include "base/platform/JobLock.h"
#include "base/platform/TemporaryFiles.h"

#include "tests/support/HeldFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tts::platform {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

using test::HeldFile;

TEST(PlatformFiles, ReadsTheWholePlainFileAndNothingElse) {
    TempFolder folder;
    const std::string path = folder.file("datos.txt");
    writeBytes(path, std::string("a\0b\r\n", 5));
    std::string bytes;
    EXPECT_EQ(readWholeFile(path, bytes), 0);
    EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));

    fs::create_directory(folder.file("carpeta"));
    EXPECT_EQ(readWholeFile(folder.file("carpeta"), bytes), kNotRegularFile);
    EXPECT_TRUE(isNotFound(readWholeFile(folder.file("falta.txt"), bytes)));
#ifndef _WIN32
    // A device would be read without end, a FIFO would wait for a writer: neither is opened.
    EXPECT_EQ(readWholeFile("/dev/zero", bytes), kNotRegularFile);
    ASSERT_EQ(::mkfifo(folder.file("tuberia").c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(folder.file("tuberia"), bytes), kNotRegularFile);
    EXPECT_EQ(pathKind(folder.file("tuberia")), PathKind::Other);
#endif
    EXPECT_EQ(pathKind(folder.file("carpeta")), PathKind::Folder);
    EXPECT_EQ(pathKind(path), PathKind::File);
}

TEST(PlatformFiles, CaseInsensitiveLookupDoesNotDependOnListingOrder) {
    TempFolder folder;
    std::optional<std::string> found;
    writeBytes(folder.file("SICE_PROF.TXT"), "x");
    ASSERT_EQ(findIgnoringCase(folder.path(), "sice_prof.txt", found), 0);
    ASSERT_TRUE(found);
#ifndef _WIN32
    EXPECT_EQ(fs::path(*found).filename().string(), "SICE_PROF.TXT");
#endif

    fs::create_directory(folder.file("sice_aulas.txt"));
    EXPECT_EQ(findIgnoringCase(folder.path(), "SICE_AULAS.TXT", found), 0);
    EXPECT_FALSE(found) << "a folder is no file";

    EXPECT_TRUE(isNotFound(findIgnoringCase(folder.file("falta"), "a.txt", found)));
#ifndef _WIN32
    // Several spellings: the exact one, else the first by bytes, whatever the order of creation.
    for (const char* name : {"sice_grupo.TXT", "SICE_GRUPO.txt", "Sice_Grupo.txt"})
        writeBytes(folder.file(name), name);
    ASSERT_EQ(findIgnoringCase(folder.path(), "sice_grupo.txt", found), 0);
    EXPECT_EQ(fs::path(*found).filename().string(), "SICE_GRUPO.txt");
    ASSERT_EQ(findIgnoringCase(folder.path(), "Sice_Grupo.txt", found), 0);
    EXPECT_EQ(fs::path(*found).filename().string(), "Sice_Grupo.txt");
#endif
}

TEST(PlatformFiles, FolderListingErrorSaysWhyAFolderCannotBeListed) {
    TempFolder folder;
    fs::create_directory(folder.file("vacia"));
    EXPECT_EQ(folderListingError(folder.file("vacia")), 0);
    writeBytes(folder.file("datos.txt"), "x");
    EXPECT_EQ(folderListingError(folder.path()), 0);
    EXPECT_TRUE(isNotFound(folderListingError(folder.file("falta"))));
    EXPECT_NE(folderListingError(folder.file("datos.txt")), 0);
}

TEST(PlatformFiles, AbsolutePaths) {
    EXPECT_FALSE(isAbsolutePath("HTEMP"));
    EXPECT_FALSE(isAbsolutePath(""));
#ifdef _WIN32
    for (const char* path : {"C:\\HTEMP", "c:/htemp", "\\\\servidor\\datos", "\\HTEMP"})
        EXPECT_TRUE(isAbsolutePath(path)) << path;
    EXPECT_FALSE(isAbsolutePath("C:HTEMP"));
    EXPECT_EQ(joinPath("C:\\HTEMP", "SOLUC.DBF"), "C:\\HTEMP\\SOLUC.DBF");
#else
    EXPECT_TRUE(isAbsolutePath("/tmp"));
    EXPECT_FALSE(isAbsolutePath("C:\\HTEMP"));
    EXPECT_EQ(joinPath("/tmp", "SOLUC.DBF"), "/tmp/SOLUC.DBF");
#endif
    EXPECT_TRUE(isAbsolutePath(currentFolder()));
}

TEST(PlatformFiles, ReplacementLeavesOnlyTheNewFile) {
    TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    writeBytes(path, std::string(70000, 'v'));
    EXPECT_EQ(replaceFileContents(path, "nuevo"), 0);
    EXPECT_EQ(readBytes(path), "nuevo");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));

    // A read-only file stays, whoever we are.
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(isAccessDenied(replaceFileContents(path, "otro")));
    EXPECT_EQ(readBytes(path), "nuevo");
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

// A file that another program keeps to itself is "in use": neither opened nor replaced.
TEST(PlatformFiles, FileHeldByAnotherProcessIsInUse) {
#ifdef _WIN32
    const std::vector<std::string> modes = {"exclusive"};
#else
    const std::vector<std::string> modes = {"flock", "fcntl", "ofd"};
#endif
    for (const std::string& mode : modes) {
        SCOPED_TRACE(mode);
        TempFolder folder;
        const std::string path = folder.file("GRUPOST.DBF");
        writeBytes(path, "tabla");
        {
            HeldFile held(path, mode);
            ASSERT_TRUE(held.ready());
            EXPECT_TRUE(isHeldByAnother(path));
            SystemError error = 0;
            File file =
                File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
            EXPECT_TRUE(isSharingViolation(error)) << describe(error);
            EXPECT_FALSE(file.isOpen());
            EXPECT_TRUE(isSharingViolation(replaceFileContents(path, "nuevo")));
        }
        EXPECT_EQ(readBytes(path), "tabla");
        EXPECT_FALSE(isHeldByAnother(path));
        EXPECT_EQ(replaceFileContents(path, "nuevo"), 0);
    }
}

TEST(PlatformFiles, ExclusiveOpensExcludeEachOtherInOneProcessToo) {
    TempFolder folder;
    const std::string path = folder.file("SOLUC.DBF");
    writeBytes(path, "x");
    SystemError error = 0;
    File first = File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    ASSERT_EQ(error, 0);
    File second = File::open(path, Access::Read, Share::Read, Disposition::OpenExisting, error);
    EXPECT_TRUE(isSharingViolation(error));
    first.close();
    second = File::open(path, Access::Read, Share::Read, Disposition::OpenExisting, error);
    EXPECT_EQ(error, 0);
    File reader = File::open(path, Access::Read, Share::Read, Disposition::OpenExisting, error);
    EXPECT_EQ(error, 0) << "readers share";
}

TEST(PlatformFiles, OneJobAtATimeAndLeftoversOfDeadRunsGo) {
    TempFolder work;
    writeBytes(work.file(".~ASIGT.DBF.tmp-4242-0"), "resto");
    writeBytes(work.file(".~SICE_HORARIO.TXT.tmp-7-1"), "resto");
    writeBytes(work.file("ASIGT.DBF"), "tabla");
    // Another program's lock file, hidden the same way: not ours to take, held or not.
    writeBytes(work.file(".~lock.notas.odt#"), "de otro programa");
    JobLock::Outcome outcome{};
    JobLock first = JobLock::acquire(work.path(), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Held);
    EXPECT_EQ(work.names(), (std::vector<std::string>{".~lock.notas.odt#", ".~transTalvorSice.lock",
                                                      "ASIGT.DBF"}));
    EXPECT_EQ(readBytes(work.file(".~lock.notas.odt#")), "de otro programa");

    JobLock second = JobLock::acquire(work.path(), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Busy);
    EXPECT_FALSE(second.held());
    first.release();
    EXPECT_EQ(work.names(), (std::vector<std::string>{".~lock.notas.odt#", "ASIGT.DBF"}))
        << "nothing of ours stays";
    second = JobLock::acquire(work.path(), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Held);
    second = JobLock{};
    EXPECT_EQ(work.names(), (std::vector<std::string>{".~lock.notas.odt#", "ASIGT.DBF"}));

    // A missing folder is the table layer's to report; a lock file that cannot be used stops.
    JobLock::acquire(work.file("falta"), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Unavailable);
    fs::create_directory(work.file(JobLock::fileName()));
    const JobLock refused = JobLock::acquire(work.path(), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Refused);
    EXPECT_EQ(refused.error(), kNotRegularFile);
    EXPECT_EQ(refused.path(), work.file(JobLock::fileName()));
}

#ifndef _WIN32
// A file shared through its group stays shared once replaced: the new file keeps the old one's
// group and owner, as it keeps its mode, for a plain replacement and a table's rebuild alike.
TEST(PlatformFiles, AReplacedFileKeepsItsOwnerGroupAndMode) {
    uid_t owner = ::getuid();
    gid_t group = ::getgid();
    if (owner == 0) {
        owner = 65534;
        group = 4242;
    } else {
        // A user may only give a file a group of its own: another one than its first.
        std::vector<gid_t> groups(static_cast<size_t>(std::max(0, ::getgroups(0, nullptr))));
        groups.resize(static_cast<size_t>(
            std::max(0, ::getgroups(static_cast<int>(groups.size()), groups.data()))));
        const auto other =
            std::find_if(groups.begin(), groups.end(), [](gid_t g) { return g != ::getgid(); });
        if (other == groups.end())
            GTEST_SKIP() << "the user belongs to no second group";
        group = *other;
    }
    TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    for (const ReplacementOptions options :
         {ReplacementOptions{}, ReplacementOptions{.holdTarget = true, .inPlace = false}}) {
        writeBytes(path, "viejo");
        ASSERT_EQ(::chown(path.c_str(), owner, group), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
        Replacement replacement(path, options);
        replacement.write("nuevo");
        ASSERT_EQ(replacement.commit(), 0);
        EXPECT_FALSE(replacement.inPlace());
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, owner);
        EXPECT_EQ(after.st_gid, group);
        EXPECT_EQ(after.st_mode & 07777, 0664u);
        EXPECT_EQ(readBytes(path), "nuevo");
    }
}
#endif

TEST(PlatformFiles, StaleTemporaryOfADeadWriterGoesLivingOneStays) {
    TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const std::string living = folder.file(".~SICE_HORARIO.TXT.tmp-1-0");
    // Left by a writer that found the file under another spelling, as Windows names match.
    const std::string deadOtherCase = folder.file(".~sice_horario.txt.tmp-2-0");
    // Of another file: not this writer's to clear.
    const std::string deadOfAnother = folder.file(".~SICE_HORARIO.TXT.BAK.tmp-3-0");
    writeBytes(deadOfAnother, "resto");
    writeBytes(living, "de otro");
    writeBytes(deadOtherCase, "resto");
    {
        HeldFile held(living, "exclusive");
        ASSERT_TRUE(held.ready());
        EXPECT_EQ(replaceFileContents(path, "nuevo"), 0);
        EXPECT_TRUE(fs::exists(living));
        EXPECT_FALSE(fs::exists(deadOtherCase));
        EXPECT_TRUE(fs::exists(deadOfAnother));
    }
    // Nothing holds it any more: the next writer takes it away.
    EXPECT_EQ(replaceFileContents(path, "otra vez"), 0);
    EXPECT_FALSE(fs::exists(living));
}

// Our temporary names, made and recognised in one place; hidden names of other programs are not.
TEST(PlatformFiles, TemporaryNamesAreOursOnly) {
    const struct {
        const char* candidate;
        const char* of; // "" for any target
        bool ours;
    } cases[] = {
        {".~ASIGT.DBF.tmp-4242-0", "", true},
        {".~ASIGT.DBF.tmp-4242-0", "asigt.dbf", true},
        {".~ASIGT.DBF.tmp-4242-0", "ASIGT", false},
        {".~lock.notas.odt#", "", false},
        {".~.tmp-1-0", "", false},
        {".~ASIGT.DBF.tmp-", "", false},
        {"ASIGT.DBF", "", false},
        {"~ASIGT.DBF.tmp-1-0", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isTemporaryName(c.candidate, c.of), c.ours) << c.candidate << " of " << c.of;
    const std::string made = temporaryName("SICE_HORARIO.TXT");
    EXPECT_TRUE(isTemporaryName(made, "SICE_HORARIO.TXT")) << made;
    EXPECT_NE(temporaryName("SICE_HORARIO.TXT"), made);
}

// Whatever folder a job takes as its work folder, a temporary file that a living writer holds
// there stays; leftovers nobody holds go.
TEST(PlatformFiles, TakingTheJobLockLeavesTemporaryFilesOfLivingWriters) {
    TempFolder work;
    const std::string living = work.file(".~SICE_HORARIO.TXT.tmp-1-0");
    const std::string dead = work.file(".~ASIGT.DBF.tmp-1-0");
    writeBytes(living, "de otro");
    writeBytes(dead, "resto");
    HeldFile held(living, "exclusive");
    ASSERT_TRUE(held.ready());
    JobLock::Outcome outcome{};
    JobLock lock = JobLock::acquire(work.path(), outcome);
    EXPECT_EQ(outcome, JobLock::Outcome::Held);
    EXPECT_TRUE(fs::exists(living));
    EXPECT_FALSE(fs::exists(dead));
}

// The job lock is as exclusive as any file of ours held without sharing: a file held that way
// by another program keeps a job out, and a job's lock keeps that program out.
TEST(PlatformFiles, JobLockAndExclusiveOpensExcludeEachOther) {
    TempFolder work;
    const std::string lockPath = work.file(JobLock::fileName());
    writeBytes(lockPath, "");
    JobLock::Outcome outcome{};
    {
        HeldFile held(lockPath, "exclusive");
        ASSERT_TRUE(held.ready());
        JobLock::acquire(work.path(), outcome);
        EXPECT_EQ(outcome, JobLock::Outcome::Busy);
    }
    JobLock lock = JobLock::acquire(work.path(), outcome);
    ASSERT_EQ(outcome, JobLock::Outcome::Held);
    EXPECT_TRUE(isHeldByAnother(lockPath));
}

} // namespace
} // namespace tts::platform
