// A table the user made read-only keeps its rows: a rebuild would otherwise put a new file over
// it by renaming, which the file's own protection does not stop on Linux.
#include "tables/WorkTable.h"

#include "TableTestSupport.h"
#include "tests/support/ErrorText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tts::tables {
namespace {

namespace fs = std::filesystem;

TEST(ProtectedTable, ARebuildOfAReadOnlyTableIsRefusedBeforeAnythingIsWritten) {
    test::TempFolder folder;
    {
        WorkTable table =
            WorkTable::createAfresh(folder.path(), "AULAT", {Column::text("ABREV", 10)});
        table.append();
        table.writeText(table.column("ABREV"), "LAB");
        table.post();
        table.close();
    }
    const std::string path = folder.file("AULAT.DBF");
    const std::string before = test::readBytes(path);
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, write, fs::perm_options::remove);

    EXPECT_EQ(test::errorOf([&] {
                  WorkTable::createAfresh(folder.path(), "AULAT", {Column::text("ABREV", 10)});
              }),
              "No se puede crear la tabla.\nTabla: " + path + "\nMotivo: acceso denegado");
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"AULAT.DBF"});

    // Still readable as it was.
    WorkTable table = WorkTable::open(folder.path(), "AULAT", OpenMode::ReadOnly);
    EXPECT_EQ(table.readText(table.column("ABREV")), "LAB");
    table.close();
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace
} // namespace tts::tables
