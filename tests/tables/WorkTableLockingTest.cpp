#include "tables/WorkTable.h"

#include "TableTestSupport.h"
#include "tests/support/ForkedChild.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>

namespace tts::tables {
namespace {

using test::TempFolder;

// Another process that opens a table and keeps it open until this object goes away; its
// status is "held", or the message of the error that kept it from opening the table.
class OtherProcessHolding {
public:
    OtherProcessHolding(const std::string& folder, const std::string& name, OpenMode mode)
        : child_([&](test::ChildSide& side) {
              try {
                  WorkTable table = WorkTable::open(folder, name, mode);
                  side.tell("held");
                  side.awaitRelease();
              } catch (const std::exception& error) {
                  side.tell(error.what());
              }
              return 0;
          }),
          status_(child_.nextMessage()) {}
    ~OtherProcessHolding() {
        child_.release();
        child_.wait(); // it closes the table and leaves by itself
    }
    const std::string& status() const { return status_; }

private:
    test::ForkedChild child_;
    std::string status_;
};

// Another process that holds the file with a bare flock lock, as some programs lock; record
// locks alone would not see it.
class OtherProcessFlocking {
public:
    OtherProcessFlocking(const std::string& path, int operation)
        : child_([&](test::ChildSide& side) {
              const int fd = ::open(path.c_str(), O_RDWR);
              side.tell(fd >= 0 && ::flock(fd, operation | LOCK_NB) == 0 ? "y" : "n");
              side.awaitRelease();
              return 0;
          }),
          held_(child_.nextMessage() == "y") {}
    ~OtherProcessFlocking() {
        child_.release();
        child_.wait();
    }
    bool held() const { return held_; }

private:
    test::ForkedChild child_;
    bool held_;
};

class WorkTableLocking : public ::testing::Test {
protected:
    void SetUp() override {
        WorkTable table =
            WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("ABREV", 10)});
        table.append();
        table.writeText(table.column("ABREV"), "1ESOA");
        table.post();
        table.close();
    }

    std::string openError(OpenMode mode) {
        return test::errorOf([&] { WorkTable::open(folder.path(), "GRUPOST", mode); });
    }

    std::string createError() {
        return test::errorOf(
            [&] { WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("X", 1)}); });
    }

    TempFolder folder;
    const std::string noError = test::kNoError;
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
    EXPECT_EQ(table.readText(table.column("ABREV")),
              "1ESOA"); // the refused rebuild left the table alone
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
