// A table that another program holds for itself alone — a Windows program that opened it without
// sharing, a Linux program that keeps a lock on it — is in use for every open and every rebuild,
// and stays as it was; once let go, it opens again. On Windows the rebuild also shows that the
// replacement closes its files before it moves the new table over the old one.
#include "tables/WorkTable.h"

#include "TableTestSupport.h"
#include "tests/support/HeldFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tts::tables {
namespace {

using test::TempFolder;

TEST(TableHeldByAnotherProgram, IsInUseForEveryOpenAndRebuild) {
    TempFolder folder;
    {
        WorkTable table =
            WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("ABREV", 10)});
        table.append();
        table.writeText(table.column("ABREV"), "1ESOA");
        table.post();
        table.close();
    }
    const std::string path = folder.file("GRUPOST.DBF");
    const std::string before = test::readBytes(path);
    const std::string inUse = "La tabla est\xE1 en uso.\nTabla: " + path;
    {
        test::HeldFile held(path, "exclusive");
        ASSERT_TRUE(held.ready());
        for (OpenMode mode : {OpenMode::Exclusive, OpenMode::Shared, OpenMode::ReadOnly})
            EXPECT_EQ(test::errorOf([&] { WorkTable::open(folder.path(), "GRUPOST", mode); }),
                      inUse);
        EXPECT_EQ(test::errorOf([&] {
                      WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("X", 1)});
                  }),
                  inUse);
    }
    EXPECT_EQ(test::readBytes(path), before);

    // Let go, the table is rebuilt over the old one, with nothing left beside it.
    WorkTable rebuilt = WorkTable::createAfresh(folder.path(), "GRUPOST", {Column::text("X", 1)});
    rebuilt.append();
    rebuilt.writeText(rebuilt.column("X"), "a");
    rebuilt.post();
    rebuilt.close();
    WorkTable reopened = WorkTable::open(folder.path(), "GRUPOST", OpenMode::Exclusive);
    reopened.first();
    EXPECT_EQ(reopened.readText(reopened.column("X")), "a");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

} // namespace
} // namespace tts::tables
