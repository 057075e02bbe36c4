#include "tables/WorkTable.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tts::tables {
namespace {

using testing::TempFolder;

// Another process that opens a table and keeps it open until this object goes away.
class OtherProcessHolding {
public:
    OtherProcessHolding(const std::string& folder, const std::string& name, OpenMode mode) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            std::string answer = "held";
            try {
                WorkTable table = WorkTable::open(folder, name, mode);
                (void)!::write(ready[1], answer.data(), answer.size());
                char byte;
                (void)!::read(release[0], &byte, 1);
            } catch (const std::exception& error) {
                answer = error.what();
                (void)!::write(ready[1], answer.data(), answer.size());
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseFd_ = release[1];
        char buffer[512];
        ssize_t got = ::read(ready[0], buffer, sizeof buffer);
        ::close(ready[0]);
        status_ = got > 0 ? std::string(buffer, static_cast<size_t>(got)) : "(no answer)";
    }
    ~OtherProcessHolding() {
        ::close(releaseFd_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    const std::string& status() const { return status_; }

private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
    std::string status_;
};

// Another process that holds the file with a bare flock lock, as some programs lock; record
// locks alone would not see it.
class OtherProcessFlocking {
public:
    OtherProcessFlocking(const std::string& path, int operation) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            int fd = ::open(path.c_str(), O_RDWR);
            char answer = fd >= 0 && ::flock(fd, operation | LOCK_NB) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &answer, 1);
            char byte;
            (void)!::read(release[0], &byte, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseFd_ = release[1];
        char answer = 'n';
        (void)!::read(ready[0], &answer, 1);
        ::close(ready[0]);
        held_ = answer == 'y';
    }
    ~OtherProcessFlocking() {
        ::close(releaseFd_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    bool held() const { return held_; }

private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
    bool held_ = false;
};

class WorkTableLocking : public ::testing::Test {
protected:
    void SetUp() override {
        WorkTable table =
            WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("ABREV", 10)});
        table.append();
        table.writeText("ABREV", "1ESOA");
        table.post();
    }

    std::string openError(OpenMode mode) {
        return testing::messageOf([&] { WorkTable::open(folder.path(), "GRUPOST", mode); });
    }

    std::string createError() {
        return testing::messageOf(
            [&] { WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("X", 1)}); });
    }

    TempFolder folder;
    const std::string noError = "(no error)";
};

TEST_F(WorkTableLocking, ExclusiveInAnotherProcessKeepsEveryoneOut) {
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF");
    {
        OtherProcessHolding other(folder.path(), "GRUPOST", OpenMode::Exclusive);
        ASSERT_EQ(other.status(), "held");
        EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
        EXPECT_EQ(openError(OpenMode::Shared), inUse);
        EXPECT_EQ(openError(OpenMode::ReadOnly), inUse);
        EXPECT_EQ(createError(), inUse);
    }
    EXPECT_EQ(openError(OpenMode::Exclusive), noError); // released with the other process
    WorkTable table = WorkTable::open(folder.path(), "GRUPOST", OpenMode::ReadOnly);
    EXPECT_EQ(table.readText("ABREV"), "1ESOA"); // the refused rebuild left the table alone
}

TEST_F(WorkTableLocking, ExclusiveOpenFailsWhileAnotherProcessReadsTheTable) {
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF");
    for (OpenMode mode : {OpenMode::Shared, OpenMode::ReadOnly}) {
        OtherProcessHolding other(folder.path(), "GRUPOST", mode);
        ASSERT_EQ(other.status(), "held");
        EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
        EXPECT_EQ(createError(), inUse);
        EXPECT_EQ(openError(OpenMode::Shared), noError);
        EXPECT_EQ(openError(OpenMode::ReadOnly), noError);
    }
}

TEST_F(WorkTableLocking, AnotherProcessCannotOpenWhatThisOneHoldsExclusively) {
    WorkTable table = WorkTable::open(folder.path(), "GRUPOST", OpenMode::Exclusive);
    OtherProcessHolding other(folder.path(), "GRUPOST", OpenMode::ReadOnly);
    EXPECT_EQ(other.status(), "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF"));
}

TEST_F(WorkTableLocking, TwoOpensInThisProcessConflictLikeTwoProcesses) {
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF");
    {
        WorkTable exclusive = WorkTable::open(folder.path(), "GRUPOST", OpenMode::Exclusive);
        EXPECT_EQ(openError(OpenMode::ReadOnly), inUse);
        EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
    }
    WorkTable reader = WorkTable::open(folder.path(), "GRUPOST", OpenMode::ReadOnly);
    WorkTable another = WorkTable::open(folder.path(), "GRUPOST", OpenMode::Shared);
    EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
    reader.close();
    another.close();
    EXPECT_EQ(openError(OpenMode::Exclusive), noError);
}

TEST_F(WorkTableLocking, TableBeingRebuiltIsInUseUntilClosed) {
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF");
    WorkTable rebuilding =
        WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("ABREV", 10)});
    {
        OtherProcessHolding other(folder.path(), "GRUPOST", OpenMode::ReadOnly);
        EXPECT_EQ(other.status(), inUse);
    }
    EXPECT_EQ(openError(OpenMode::ReadOnly), inUse);
    rebuilding.close();
    OtherProcessHolding other(folder.path(), "GRUPOST", OpenMode::Exclusive);
    EXPECT_EQ(other.status(), "held");
}

TEST_F(WorkTableLocking, AFlockHeldByAnotherProcessCountsAsInUse) {
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + folder.file("GRUPOST.DBF");
    {
        OtherProcessFlocking other(folder.file("GRUPOST.DBF"), LOCK_EX);
        ASSERT_TRUE(other.held());
        EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
        EXPECT_EQ(openError(OpenMode::Shared), inUse);
        EXPECT_EQ(openError(OpenMode::ReadOnly), inUse);
        EXPECT_EQ(createError(), inUse);
    }
    {
        OtherProcessFlocking reader(folder.file("GRUPOST.DBF"), LOCK_SH);
        ASSERT_TRUE(reader.held());
        EXPECT_EQ(openError(OpenMode::Exclusive), inUse);
        EXPECT_EQ(createError(), inUse);
        EXPECT_EQ(openError(OpenMode::ReadOnly), noError);
    }
    EXPECT_EQ(openError(OpenMode::Exclusive), noError);
    // And a table this process holds keeps out a program that only knows flock.
    WorkTable table = WorkTable::open(folder.path(), "GRUPOST", OpenMode::ReadOnly);
    EXPECT_FALSE(OtherProcessFlocking(folder.file("GRUPOST.DBF"), LOCK_EX).held());
    EXPECT_TRUE(OtherProcessFlocking(folder.file("GRUPOST.DBF"), LOCK_SH).held());
}

} // namespace
} // namespace tts::tables
