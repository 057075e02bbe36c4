#include "tables/WorkTable.h"

#include "TableTestSupport.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/HeldFile.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tts::tables {
namespace {

using test::TempFolder;
using Strings = std::vector<std::string>;

void writeTable(const std::string& folder, const Strings& codes) {
    WorkTable table = WorkTable::createAfresh(folder, "T", {Column::text("COD", 10)});
    for (const std::string& code : codes) {
        table.append();
        table.writeText(table.column("COD"), code);
        table.post();
    }
    table.close();
}

Strings codesIn(const std::string& folder) {
    WorkTable table = WorkTable::open(folder, "T", OpenMode::ReadOnly);
    Strings codes;
    for (table.first(); !table.atEnd(); table.next())
        codes.push_back(table.readText(table.column("COD")));
    return codes;
}

TEST(TableRebuild, OldTableStaysWholeUntilTheNewOneIsClosed) {
    TempFolder folder;
    writeTable(folder.path(), {"OLD1", "OLD2"});
    test::writeBytes(folder.file("T.MDX"), "index of the old table");
    const std::string before = test::readBytes(folder.file("T.DBF"));
    ::chmod(folder.file("T.DBF").c_str(), 0640);

    WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::text("COD", 10)});
    table.append();
    table.writeText(table.column("COD"), "NEW");
    table.post();
    EXPECT_EQ(test::readBytes(folder.file("T.DBF")), before);
    table.close();

    EXPECT_EQ(codesIn(folder.path()), Strings{"NEW"});
    EXPECT_EQ(folder.names(), Strings{"T.DBF"}); // index gone, no temporary file left
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("T.DBF").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// Only close() puts a rebuilt table in place: one dropped unclosed, by an error or not, leaves
// the old table.
TEST(TableRebuild, ARebuildNeverClosedLeavesTheOldTable) {
    for (const bool byError : {true, false}) {
        SCOPED_TRACE(byError ? "abandoned by an error" : "destroyed without an error");
        TempFolder folder;
        writeTable(folder.path(), {"OLD"});
        try {
            WorkTable table =
                WorkTable::createAfresh(folder.path(), "T", {Column::text("COD", 10)});
            for (const char* code : {"A", "B"}) {
                table.append();
                table.writeText(table.column("COD"), code);
                table.post();
            }
            table.append();
            table.writeText(table.column("COD"), "C"); // never posted
            if (byError)
                throw std::runtime_error("conversion failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(codesIn(folder.path()), Strings{"OLD"});
        EXPECT_EQ(folder.names(), Strings{"T.DBF"}); // no temporary file left
    }
}

// Rows appended to an opened table count only once it is closed.
TEST(TableRebuild, RowsAppendedToAnOpenedTableCountOnlyOnceClosed) {
    TempFolder folder;
    writeTable(folder.path(), {"OLD"});
    for (const bool closed : {false, true}) {
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::Shared);
        table.append();
        table.writeText(table.column("COD"), "NEW");
        table.post();
        if (closed)
            table.close();
    }
    EXPECT_EQ(codesIn(folder.path()), (Strings{"OLD", "NEW"}));
}

TEST(TableRebuild, TableNamedInAnotherLetterCaseIsReplacedNotDoubled) {
    TempFolder folder;
    writeTable(folder.path(), {"OLD"});
    ::rename(folder.file("T.DBF").c_str(), folder.file("t.dbf").c_str());
    test::writeBytes(folder.file("t.mdx"), "index");
    writeTable(folder.path(), {"NEW"});
    EXPECT_EQ(folder.names(), Strings{"t.dbf"});
    EXPECT_EQ(codesIn(folder.path()), Strings{"NEW"});
}

// A process killed while it rebuilds a table leaves the complete old table; its temporary
// file goes at the next rebuild of that table.
TEST(TableRebuild, KilledRebuildLeavesTheOldTableAndItsLeftoverIsCleanedLater) {
    TempFolder folder;
    writeTable(folder.path(), {"OLD1", "OLD2"});
    const std::string before = test::readBytes(folder.file("T.DBF"));

    test::ForkedChild child([&](test::ChildSide&) {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::text("COD", 10)});
        for (int i = 0; i < 100; ++i) {
            table.append();
            table.writeText(table.column("COD"), "NEW");
            table.post();
        }
        ::raise(SIGKILL);
        return 1;
    });
    const test::ChildOutcome outcome = child.wait();
    ASSERT_TRUE(outcome.killedBySignal) << outcome.report;

    EXPECT_EQ(test::readBytes(folder.file("T.DBF")), before);
    EXPECT_EQ(codesIn(folder.path()), (Strings{"OLD1", "OLD2"}));
    Strings leftover = folder.names();
    ASSERT_EQ(leftover.size(), 2u);
    EXPECT_EQ(leftover[0].rfind(".~T.DBF.tmp-" + std::to_string(child.pid()) + "-", 0), 0u)
        << leftover[0];

    // A temporary file that its writer still holds is not touched, whatever its name says; one
    // that nobody holds goes, even named after a process that runs (pid 1 always does).
    const std::string busy = ".~T.DBF.tmp-1-7", idle = ".~T.DBF.tmp-1-8";
    test::writeBytes(folder.file(busy), "");
    test::writeBytes(folder.file(idle), "");
    test::HeldFile held(folder.file(busy), "exclusive");
    ASSERT_TRUE(held.ready());
    writeTable(folder.path(), {"NEW"});
    EXPECT_TRUE(std::filesystem::exists(folder.file(busy)));
    EXPECT_FALSE(std::filesystem::exists(folder.file(idle)));
    EXPECT_EQ(codesIn(folder.path()), Strings{"NEW"});
}

} // namespace
} // namespace tts::tables
