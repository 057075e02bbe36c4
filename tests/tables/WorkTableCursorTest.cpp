#include "tables/WorkTable.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace tts::tables {
namespace {

using test::TempFolder;

// A table of code/value rows, created in `folder` and left open for writing.
WorkTable tableOf(const TempFolder& folder,
                  const std::vector<std::pair<std::string, std::string>>& rows) {
    WorkTable table = WorkTable::createAfresh(folder.path(), "T",
                                              {Column::text("COD", 10), Column::text("VAL", 10)});
    for (const auto& [code, value] : rows) {
        table.append();
        table.writeText(table.column("COD"), code);
        table.writeText(table.column("VAL"), value);
        table.post();
    }
    return table;
}

std::vector<std::string> walk(WorkTable& table, const std::string& column) {
    std::vector<std::string> values;
    for (table.first(); !table.atEnd(); table.next())
        values.push_back(table.readText(table.column(column)));
    return values;
}

using Strings = std::vector<std::string>;

TEST(WorkTableCursor, AtEndAfterFirstOnEmptyAndAfterNextFromTheLastRow) {
    TempFolder folder;
    WorkTable table = tableOf(folder, {});
    table.first();
    EXPECT_TRUE(table.atEnd());
    table.next();
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.readText(table.column("COD")), ""); // no row: blank

    table.append();
    table.writeText(table.column("COD"), "A");
    table.post();
    table.append();
    table.writeText(table.column("COD"), "B");
    table.post();
    table.first();
    EXPECT_FALSE(table.atEnd());
    EXPECT_EQ(table.readText(table.column("COD")), "A");
    table.next();
    EXPECT_FALSE(table.atEnd());
    table.next();
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.readText(table.column("COD")), "B"); // the last row stays current
    table.next();
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.readText(table.column("COD")), "B");
}

TEST(WorkTableCursor, MovingWhileEditingStoresTheRowOnlyIfAValueWasWritten) {
    TempFolder folder;
    WorkTable table = tableOf(folder, {{"A", "1"}, {"B", "2"}, {"C", "3"}});

    table.append(); // nothing written, then First: dropped
    table.first();
    EXPECT_EQ(table.rowCount(), 3);

    table.append(); // written, then Next: stored
    table.writeText(table.column("COD"), "D");
    table.next();
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.readText(table.column("COD")), "D");

    table.first(); // edit without writing, then Next: row unchanged
    table.edit();
    table.next();
    EXPECT_EQ(table.readText(table.column("COD")), "B");

    // Walk every row editing it, never posting: each edit is stored when the walk moves on,
    // the last one included.
    for (table.first(); !table.atEnd(); table.next()) {
        table.edit();
        table.writeText(table.column("VAL"), table.readText(table.column("VAL")) + "x");
    }
    EXPECT_EQ(walk(table, "VAL"), (Strings{"1x", "2x", "3x", "x"}));
    EXPECT_EQ(walk(table, "COD"), (Strings{"A", "B", "C", "D"}));

    table.close();
    WorkTable reopened = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    EXPECT_EQ(walk(reopened, "VAL"), (Strings{"1x", "2x", "3x", "x"}));
}

TEST(WorkTableCursor, EditingRulesForPostAndClose) {
    TempFolder folder;
    WorkTable table = tableOf(folder, {{"A", "1"}});

    table.post(); // nothing in editing: no effect
    EXPECT_EQ(table.rowCount(), 1);

    table.append(); // an appended row is stored by Post even when empty
    table.post();
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.readText(table.column("COD")), "");

    table.first();
    table.edit();
    table.writeText(table.column("VAL"), "changed");
    EXPECT_EQ(table.readText(table.column("VAL")), "changed"); // reads see the row in editing
    table.edit(); // already editing: keeps the written value
    EXPECT_EQ(table.readText(table.column("VAL")), "changed");
    table.post();

    table.edit();
    table.writeText(table.column("VAL"), "lost");
    table.close(); // a row still in editing is not stored on close
    {
        WorkTable reopened = WorkTable::open(folder.path(), "T", OpenMode::Shared);
        EXPECT_EQ(walk(reopened, "VAL"), (Strings{"changed", ""}));
        reopened.append();
        reopened.writeText(reopened.column("COD"), "lost too");
    } // nor when the table goes away
    WorkTable reopened = WorkTable::open(folder.path(), "T", OpenMode::Shared);
    EXPECT_EQ(walk(reopened, "COD"), (Strings{"A", ""}));

    const std::string tableLine = "\nTabla: " + folder.file("T.DBF");
    EXPECT_EQ(test::errorOf([&] { reopened.writeText(reopened.column("VAL"), "x"); }),
              "La tabla no est\xE1 en modo de edici\xF3n." + tableLine);
    reopened.close();
    EXPECT_FALSE(reopened.isOpen());
    EXPECT_EQ(test::errorOf([&] { reopened.first(); }), "La tabla est\xE1 cerrada." + tableLine);

    WorkTable readOnly = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    EXPECT_EQ(test::errorOf([&] { readOnly.append(); }),
              "La tabla est\xE1 abierta solo para lectura." + tableLine);
}

TEST(WorkTableCursor, EditOnAnEmptyTableStartsANewRow) {
    TempFolder folder;
    WorkTable table = tableOf(folder, {});
    table.edit();
    table.writeText(table.column("COD"), "A");
    table.post();
    EXPECT_EQ(walk(table, "COD"), (Strings{"A"}));
}

TEST(WorkTableCursor, LocateFindsTheFirstRowInStoredOrderByExactText) {
    TempFolder folder;
    WorkTable table =
        tableOf(folder, {{"A", "1"}, {"B", "2"}, {"A", "3"}, {"a", "4"}, {"BB", "5"}});

    EXPECT_TRUE(table.locate(table.column("COD"), "A"));
    EXPECT_EQ(table.readText(table.column("VAL")), "1");
    EXPECT_TRUE(table.locate(table.column("COD"), "a")); // case counts
    EXPECT_EQ(table.readText(table.column("VAL")), "4");
    EXPECT_TRUE(table.locate(table.column("COD"), "B")); // no partial match with "BB"
    EXPECT_EQ(table.readText(table.column("VAL")), "2");
    EXPECT_FALSE(table.atEnd());

    EXPECT_FALSE(table.locate(table.column("COD"), "Z"));
    EXPECT_EQ(table.readText(table.column("VAL")), "2"); // not found: the cursor stays
    EXPECT_FALSE(table.locate(table.column("COD"), "A "));
    EXPECT_FALSE(table.locate(table.column("COD"), ""));

    EXPECT_TRUE(table.locate({table.column("COD"), table.column("VAL")}, {"A", "3"}));
    table.next();
    EXPECT_EQ(table.readText(table.column("VAL")), "4"); // the walk goes on from the located row
    EXPECT_FALSE(table.locate({table.column("COD"), table.column("VAL")}, {"A", "2"}));
}

TEST(WorkTableCursor, LocateFollowsEveryWrite) {
    TempFolder folder;
    WorkTable table = tableOf(folder, {{"A", "1"}, {"B", "2"}, {"A", "3"}});
    ASSERT_TRUE(table.locate(table.column("COD"), "A")); // builds the index
    ASSERT_TRUE(table.locate({table.column("COD"), table.column("VAL")}, {"B", "2"}));

    table.first(); // row 1 no longer holds A: the next A is found
    table.edit();
    table.writeText(table.column("COD"), "Z");
    table.post();
    ASSERT_TRUE(table.locate(table.column("COD"), "A"));
    EXPECT_EQ(table.readText(table.column("VAL")), "3");
    ASSERT_TRUE(table.locate(table.column("COD"), "Z"));
    EXPECT_EQ(table.readText(table.column("VAL")), "1");

    table.next(); // stored by moving on, not by Post
    table.edit();
    table.writeText(table.column("COD"), "A");
    table.next();
    ASSERT_TRUE(table.locate(table.column("COD"), "A"));
    EXPECT_EQ(table.readText(table.column("VAL")), "2");
    EXPECT_FALSE(table.locate({table.column("COD"), table.column("VAL")}, {"B", "2"}));
    EXPECT_TRUE(table.locate({table.column("COD"), table.column("VAL")}, {"A", "2"}));

    table.append(); // appended rows are found
    table.writeText(table.column("COD"), "C");
    table.post();
    ASSERT_TRUE(table.locate(table.column("COD"), "C"));
    EXPECT_EQ(table.readText(table.column("VAL")), "");

    table.append(); // a row in editing is stored before the search
    table.writeText(table.column("COD"), "D");
    EXPECT_TRUE(table.locate(table.column("COD"), "D"));
    EXPECT_EQ(table.rowCount(), 5);

    ASSERT_TRUE(table.locate(table.column("COD"), "Z")); // moving back to an earlier row wins again
    table.edit();
    table.writeText(table.column("COD"), "A");
    table.post();
    ASSERT_TRUE(table.locate(table.column("COD"), "A"));
    EXPECT_EQ(table.readText(table.column("VAL")), "1");
}

TEST(WorkTableCursor, LocateInANumberColumnComparesItsText) {
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T",
                                                  {Column::integer("N"), Column::floating("F")});
        for (int i = 0; i < 3; ++i) {
            table.append();
            table.writeFloat(table.column("N"), i);
            table.writeFloat(table.column("F"), i + 0.5);
            table.post();
        }
        table.close();
    }
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    ASSERT_TRUE(table.locate(table.column("N"), "2"));
    EXPECT_EQ(table.readFloat(table.column("F")), 2.5);
    ASSERT_TRUE(table.locate(table.column("F"), "1.5"));
    EXPECT_EQ(table.readInteger(table.column("N")), 1);
    EXPECT_FALSE(table.locate(table.column("N"), "02"));
    EXPECT_FALSE(table.locate(table.column("F"), "1.500000"));
}

// Rows that another program marked deleted ("*" flag) are not there for First, Next, Locate.
TEST(WorkTableCursor, RowsMarkedDeletedAreInvisible) {
    TempFolder folder;
    tableOf(folder, {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}}).close();
    const size_t headerLength = 32 + 2 * 32 + 1;
    const size_t recordLength = 1 + 10 + 10;
    auto markDeleted = [&](std::initializer_list<size_t> rows) {
        std::string bytes = test::readBytes(folder.file("T.DBF"));
        for (size_t row : rows)
            bytes[headerLength + row * recordLength] = '*';
        test::writeBytes(folder.file("T.DBF"), bytes);
    };

    markDeleted({0, 2});
    {
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::Shared);
        EXPECT_EQ(table.readText(table.column("COD")), "B"); // opened on the first row still there
        EXPECT_EQ(walk(table, "COD"), (Strings{"B", "D"}));
        EXPECT_EQ(table.rowCount(), 2);
        EXPECT_FALSE(table.locate(table.column("COD"), "A"));
        EXPECT_FALSE(table.locate(table.column("COD"), "C"));
        EXPECT_TRUE(table.locate(table.column("COD"), "D"));
        table.append();
        table.writeText(table.column("COD"), "E");
        table.post();
        EXPECT_EQ(table.rowCount(), 3);
        EXPECT_EQ(walk(table, "COD"), (Strings{"B", "D", "E"}));
    }
    markDeleted({1, 3, 4});
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    table.first();
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.rowCount(), 0);
}

} // namespace
} // namespace tts::tables
