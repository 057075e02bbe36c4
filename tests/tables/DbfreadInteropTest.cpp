#include "tables/WorkTable.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tts::tables {
namespace {

using test::TempFolder;

// What an independent dBase reader (Debian's python3-dbfread) sees in a table.
std::string readWithDbfread(const TempFolder& folder, const std::string& table) {
    test::writeBytes(folder.file("read.py"),
                     "import sys\n"
                     "from dbfread import DBF\n"
                     "t = DBF(sys.argv[1], encoding='cp1252')\n"
                     "for f in t.fields:\n"
                     "    print('field', f.name, f.type, f.length, f.decimal_count)\n"
                     "for r in t:\n"
                     "    print('record', ascii(list(r.values())))\n");
    std::string command =
        "/usr/bin/python3 " + folder.file("read.py") + " " + folder.file(table) + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "(popen failed)";
    std::string output;
    char buffer[256];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, got);
    ::pclose(pipe);
    return output;
}

TEST(DbfreadInterop, AnotherReaderSeesTheColumnsAndValuesWeWrote) {
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(
            folder.path(), "ASIGT",
            {Column::text("COD", 10), Column::text("NOMBRE", 20), Column::boolean("ESTAREA"),
             Column::integer("DNI"), Column::floating("HORAS")});
        table.append();
        table.writeText(table.column("COD"), "MAT");
        table.writeText(table.column("NOMBRE"), "Matem\xE1ticas");
        table.writeBoolean(table.column("ESTAREA"), false);
        table.writeFloat(table.column("DNI"), 7);
        table.writeFloat(table.column("HORAS"), 2.5);
        table.post();
        table.append();
        table.writeText(table.column("COD"), "*GUA");
        table.writeText(table.column("NOMBRE"), "A\xF1o 11\xBD");
        table.writeBoolean(table.column("ESTAREA"), true);
        table.writeFloat(table.column("DNI"), -12);
        table.writeFloat(table.column("HORAS"), 1.25);
        table.post();
        table.append();
        table.post();
        table.close();
    }
    EXPECT_EQ(readWithDbfread(folder, "ASIGT.DBF"),
              "field COD C 10 0\n"
              "field NOMBRE C 20 0\n"
              "field ESTAREA L 1 0\n"
              "field DNI N 11 0\n"
              "field HORAS N 20 6\n"
              "record ['MAT', 'Matem\\xe1ticas', False, 7, 2.5]\n"
              "record ['*GUA', 'A\\xf1o 11\\xbd', True, -12, 1.25]\n"
              "record ['', '', None, None, None]\n");
}

TEST(DbfreadInterop, AnotherReaderOpensAnEmptyTable) {
    TempFolder folder;
    WorkTable::createAfresh(folder.path(), "PROFT",
                            {Column::text("ABREV", 10), Column::integer("DNI")})
        .close();
    EXPECT_EQ(readWithDbfread(folder, "PROFT.DBF"), "field ABREV C 10 0\nfield DNI N 11 0\n");
}

} // namespace
} // namespace tts::tables
