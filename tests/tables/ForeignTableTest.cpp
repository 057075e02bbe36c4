#include "tables/WorkTable.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace tts::tables {
namespace {

using test::errorOf;
using test::RawField;
using test::rawRecord;
using test::RawShape;
using test::rawTable;
using test::TempFolder;

RawShape shapeOf(unsigned char version) {
    RawShape shape;
    shape.version = version;
    return shape;
}

const unsigned char kEveryVersion[] = {0x03, 0x83, 0x8B, 0x43, 0x63, 0xCB, 0xF5,
                                       0xFB, 0x30, 0x31, 0x32, 0x04, 0x8C};

// SOLUC comes from the host: the same rows read alike in every family, with field types this
// layer does not read, a lower-case file name, numbers and texts as other programs write them,
// a deleted row skipped, and records found where the header's length says (after a level-7
// properties area, a FoxPro back link, a terminator followed by a NUL or none at all).
TEST(ForeignTable, EveryFamilyReadsTheSameRows) {
    const std::vector<RawField> fields = {
        {"DIA", 'N', 4, 0},  {"hora", 'C', 3}, {"NOTAS", 'M', 10},    {"FECHA", 'D', 8},
        {"PESO", 'F', 8, 3}, {"FIJA", 'L', 1}, {"CODGRUPO", 'C', 10},
    };
    const std::vector<std::string> records = {
        rawRecord(fields, {"   1", "3", "0000000012", "20240131", "   2.500", "T", "1ESOA"}),
        rawRecord(fields, {"   9", "9", "", "", "", "F", "BORRADA"}, true),
        rawRecord(fields, {"  +7", "10", "", "", "  -0.000", "?", "2B\xD1"}),
        rawRecord(fields, {"0007", "", "", "", "  1.0E+2", "n", ""}),
        rawRecord(fields, {"", "4", "", "", "", " ", std::string("4B\0\0SOB   ", 10)}),
    };
    TempFolder folder;
    for (unsigned char version : kEveryVersion) {
        // The usual terminator, one followed by a NUL, and none where nothing else follows.
        static const std::string nothing;
        for (int ending = 0; ending < 3; ++ending) {
            RawShape shape = shapeOf(version);
            shape.terminator = ending == 0 ? "\x0D" : ending == 1 ? std::string("\x0D\0", 2) : "";
            if (ending == 2) {
                shape.between = &nothing;
                shape.endOfFile = false;
            }
            SCOPED_TRACE(testing::Message()
                         << "version 0x" << std::hex << int{version} << ", ending " << ending);
            test::writeBytes(folder.file("soluc.dbf"), rawTable(shape, fields, records));
            WorkTable table =
                WorkTable::open(folder.path(), "SOLUC", OpenMode::Exclusive, "wwTableSoluc");
            EXPECT_EQ(table.path(), folder.file("soluc.dbf"));
            EXPECT_EQ(table.rowCount(), 4);
            table.first();
            EXPECT_EQ(table.readInteger(table.column("DIA")), 1);
            EXPECT_EQ(table.readText(table.column("DIA")), "1");
            EXPECT_EQ(table.readText(table.column("HORA")), "3");
            EXPECT_EQ(table.readText(table.column("PESO")), "2.5");
            EXPECT_EQ(table.readText(table.column("FIJA")), "True");
            EXPECT_EQ(table.readText(table.column("codgrupo")),
                      "1ESOA"); // names regardless of case
            table.next();
            EXPECT_EQ(table.readText(table.column("DIA")), "7");
            EXPECT_EQ(table.readText(table.column("HORA")), "10");
            EXPECT_EQ(table.readText(table.column("PESO")), "0");
            EXPECT_EQ(table.readText(table.column("FIJA")), "");
            EXPECT_EQ(table.readText(table.column("CODGRUPO")),
                      "2B\xD1"); // bytes as stored, any level
            table.next();
            EXPECT_EQ(table.readText(table.column("DIA")), "7");
            EXPECT_EQ(table.readFloat(table.column("PESO")), 100.0);
            EXPECT_EQ(table.readText(table.column("FIJA")), "False");
            table.next();
            EXPECT_EQ(table.readText(table.column("DIA")), "");
            EXPECT_EQ(table.readInteger(table.column("DIA")), 0);
            EXPECT_EQ(table.readText(table.column("CODGRUPO")),
                      "4B"); // a text ends at its first NUL
            EXPECT_EQ(errorOf([&] { table.readText(table.column("FECHA")); }),
                      "El campo 'FECHA' es de un tipo que no se puede usar (D).\nTabla: " +
                          folder.file("soluc.dbf"));
            table.next();
            EXPECT_TRUE(table.atEnd());
        }
    }
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values)
        out += static_cast<char>(value);
    return out;
}

// Binary numbers are decoded by the table's level, not by the type letter alone. The level-7
// bytes are those real level-7 files hold.
TEST(ForeignTable, BinaryNumbersReadByTheirFamily) {
    const struct {
        unsigned char version;
        char type;
        std::string stored;
        std::string text; // read as text; as integer and float below
        int32_t integer;
        double floating;
    } cases[] = {
        {0x04, 'I', bytes({0x80, 0x00, 0x00, 0x01}), "1", 1, 1},
        {0x04, 'I', bytes({0x7F, 0xFF, 0xFF, 0xFF}), "-1", -1, -1},
        {0x8C, 'I', bytes({0x80, 0x4C, 0x4B, 0x40}), "5000000", 5000000, 5000000},
        {0x8C, 'I', bytes({0x7F, 0xB3, 0xB4, 0xC0}), "-5000000", -5000000, -5000000},
        {0x04, 'I', bytes({0, 0, 0, 0}), "", 0, 0}, // no value
        {0x04, '+', bytes({0x80, 0x00, 0x00, 0x07}), "7", 7, 7},
        {0x8C, '+', bytes({0x7F, 0xFF, 0xFF, 0xFE}), "-2", -2, -2},
        {0x04, 'O', bytes({0x3F, 0x97, 0x00, 0x51, 0xEB, 0x85, 0x1E, 0xB7}), "-199.99", -200,
         -199.99},
        {0x8C, 'O', bytes({0xC0, 0x45, 0xD3, 0x33, 0x33, 0x33, 0x33, 0x33}), "43.65", 44, 43.65},
        {0x04, 'O', bytes({0x80, 0, 0, 0, 0, 0, 0, 0}), "0", 0, 0},
        {0x04, 'O', std::string(8, '\0'), "", 0, 0},         // no value
        {0x04, 'O', test::level7Double(2.5), "2.5", 2, 2.5}, // half to even
        {0x04, 'O', test::level7Double(3.5), "3.5", 4, 3.5},
        {0x30, 'I', bytes({0x01, 0x00, 0x00, 0x00}), "1", 1, 1},
        {0x31, 'I', bytes({0xFF, 0xFF, 0xFF, 0xFF}), "-1", -1, -1},
        {0x32, 'I', bytes({0x40, 0x4B, 0x4C, 0x00}), "5000000", 5000000, 5000000},
        {0x30, 'I', bytes({0, 0, 0, 0}), "0", 0, 0}, // zero is a value here
        {0x30, 'B', bytes({0x33, 0x33, 0x33, 0x33, 0x33, 0xD3, 0x45, 0x40}), "43.65", 44, 43.65},
        {0x31, 'B', test::foxDouble(-199.99), "-199.99", -200, -199.99},
        {0x30, 'Y', bytes({0x48, 0xE8, 0x01, 0, 0, 0, 0, 0}), "12.5", 12, 12.5},
        {0x30, 'Y', test::foxCurrency(-5), "-0.0005", 0, -0.0005},
        {0x30, 'Y', test::foxCurrency(70000), "7", 7, 7},
        // Past 32 bits: all 64 are read.
        {0x30, 'Y', test::foxCurrency(12345678901), "1234567.8901", 1234568, 1234567.8901},
        {0x31, 'Y', test::foxCurrency(-30000000000), "-3000000", -3000000, -3000000},
        {0x03, 'I', bytes({0x02, 0x00, 0x00, 0x00}), "2", 2, 2}, // other writers' FoxPro types
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "version 0x" << std::hex << int{c.version} << " type "
                                        << c.type << " value " << c.text);
        const std::vector<RawField> fields = {{"V", c.type, static_cast<int>(c.stored.size())},
                                              {"C", 'C', 2}};
        test::writeBytes(folder.file("T.DBF"), rawTable(shapeOf(c.version), fields,
                                                        {rawRecord(fields, {c.stored, "ok"})}));
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
        EXPECT_EQ(table.readText(table.column("V")), c.text);
        EXPECT_EQ(table.readInteger(table.column("V")), c.integer);
        EXPECT_DOUBLE_EQ(table.readFloat(table.column("V")), c.floating);
        EXPECT_TRUE(table.locate(table.column("V"), c.text));
        EXPECT_EQ(table.readText(table.column("C")), "ok");
    }
}

// The test's own writers agree with the bytes real files hold, so the tables they make for the
// export tests are what a level-7 or Visual FoxPro writer leaves.
TEST(ForeignTable, FixtureWritersGiveTheKnownBytes) {
    EXPECT_EQ(test::level7Integer(1), bytes({0x80, 0x00, 0x00, 0x01}));
    EXPECT_EQ(test::level7Integer(-1), bytes({0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(test::level7Integer(-5000000), bytes({0x7F, 0xB3, 0xB4, 0xC0}));
    EXPECT_EQ(test::level7Double(-199.99), bytes({0x3F, 0x97, 0x00, 0x51, 0xEB, 0x85, 0x1E, 0xB7}));
    EXPECT_EQ(test::level7Double(43.65), bytes({0xC0, 0x45, 0xD3, 0x33, 0x33, 0x33, 0x33, 0x33}));
    EXPECT_EQ(test::level7Double(0), bytes({0x80, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test::foxInteger(5000000), bytes({0x40, 0x4B, 0x4C, 0x00}));
    EXPECT_EQ(test::foxCurrency(125000), bytes({0x48, 0xE8, 0x01, 0, 0, 0, 0, 0}));
}

// Columns nobody reads may be of any type; one that is read and cannot hold a value says so,
// naming the column and the table. The same letter may be readable in one family and not in
// another (B is a memo in dBase, a double in Visual FoxPro).
TEST(ForeignTable, TypesThatHoldNoNumberOrTextAreRefusedWhenRead) {
    const struct {
        unsigned char version;
        char type;
        int width;
    } cases[] = {
        {0x04, 'D', 8}, {0x04, '@', 8},  {0x04, 'B', 10}, {0x04, 'M', 10}, {0x8C, 'G', 10},
        {0x03, 'D', 8}, {0x8B, 'B', 10}, {0x8B, 'O', 8},  {0x30, 'T', 8},  {0x30, 'M', 4},
        {0x30, '0', 1}, {0x30, 'G', 4},  {0x30, 'I', 8},  {0x04, 'I', 8},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "version 0x" << std::hex << int{c.version} << " type " << c.type);
        const std::vector<RawField> fields = {{"DIA", c.type, c.width}, {"HORA", 'C', 2}};
        test::writeBytes(folder.file("SOLUC.DBF"),
                         rawTable(shapeOf(c.version), fields, {rawRecord(fields, {"", "1"})}));
        WorkTable table = WorkTable::open(folder.path(), "SOLUC", OpenMode::ReadOnly);
        EXPECT_EQ(table.readText(table.column("HORA")), "1");
        EXPECT_EQ(errorOf([&] { table.readInteger(table.column("DIA")); }),
                  "El campo 'DIA' es de un tipo que no se puede usar (" + std::string(1, c.type) +
                      ").\nTabla: " + folder.file("SOLUC.DBF"));
    }
}

// A level-7 name fills up to 32 bytes and ends at its first NUL, whatever follows it.
TEST(ForeignTable, Level7NamesEndAtTheirFirstNul) {
    const std::vector<RawField> fields = {
        {std::string("CodGrupo\0XYZ", 12), 'C', 6},
        {"NOMBRE_LARGO_DE_TREINTA_Y_DOS_BY", 'C', 3},
    };
    TempFolder folder;
    test::writeBytes(folder.file("GRUPOST.DBF"),
                     rawTable(shapeOf(0x04), fields, {rawRecord(fields, {"1ESOA", "abc"})}));
    WorkTable table = WorkTable::open(folder.path(), "GRUPOST", OpenMode::ReadOnly);
    EXPECT_EQ(table.readText(table.column("CODGRUPO")), "1ESOA");
    EXPECT_EQ(table.readText(table.column("nombre_largo_de_treinta_y_dos_by")), "abc");
    EXPECT_FALSE(table.hasColumn("CODGRUPOXYZ"));
}

size_t headerLengthOf(const std::string& dbf) {
    return static_cast<unsigned char>(dbf[8]) | static_cast<unsigned char>(dbf[9]) << 8;
}

// Hostile headers of every family are refused when the table is opened, before any record.
TEST(ForeignTable, HostileHeadersOfEveryFamilyAreRefusedAtOpen) {
    const std::vector<RawField> fields = {{"ABREV", 'C', 10}, {"N", 'I', 4}};
    const std::vector<std::string> records = {rawRecord(fields, {"A", test::level7Integer(1)}),
                                              rawRecord(fields, {"B", test::level7Integer(2)})};
    const struct {
        const char* what;
        std::function<void(std::string&, size_t entriesEnd)> damage;
        std::string reason;
    } cases[] = {
        {"field entries past the header length",
         [](std::string& b, size_t end) { test::putLittleEndian(b, 8, end - 10, 2); },
         "la descripci\xF3n de los campos est\xE1 incompleta"},
        {"record length that disagrees with the fields",
         [](std::string& b, size_t) { test::putLittleEndian(b, 10, 14, 2); },
         "la longitud de registro de la cabecera (14) no coincide con la de sus campos (15)"},
        {"a count the file cannot hold",
         [](std::string& b, size_t) { test::putLittleEndian(b, 4, 3, 4); },
         "la cabecera indica 3 registros y el archivo contiene 2"},
        {"a count beyond any file",
         [](std::string& b, size_t) { test::putLittleEndian(b, 4, 0x80000000u, 4); },
         "la cabecera indica un n\xFAmero de registros imposible"},
        {"a header longer than the file",
         [](std::string& b, size_t) { test::putLittleEndian(b, 8, 0xFFFF, 2); },
         "la cabecera dice ser m\xE1s larga que el archivo"},
        {"a header too short for one field",
         [](std::string& b, size_t end) { test::putLittleEndian(b, 8, end / 2 - 20, 2); },
         "la cabecera es demasiado corta"},
        {"a field of width zero",
         [](std::string& b, size_t end) { b[end - (b[0] == 4 ? 48 - 33 : 32 - 16)] = 0; },
         "el campo 'N' tiene ancho 0"},
        // Records then start a byte early or late: no flag where the first one should be.
        {"a header length one byte short",
         [](std::string& b, size_t) { test::putLittleEndian(b, 8, headerLengthOf(b) - 1, 2); },
         "el registro 1 no empieza donde indica la cabecera"},
        {"a header length one byte long",
         [](std::string& b, size_t) { test::putLittleEndian(b, 8, headerLengthOf(b) + 1, 2); },
         "el registro 1 no empieza donde indica la cabecera"},
        // Not only the first record is looked at.
        {"the last record's flag overwritten",
         [](std::string& b, size_t) { b[headerLengthOf(b) + 15] = 'B'; },
         "el registro 2 no empieza donde indica la cabecera"},
    };
    TempFolder folder;
    for (unsigned char version : {0x03, 0x30, 0x04}) {
        const size_t entriesEnd = (version == 0x04 ? 68 + 2 * 48 : 32 + 2 * 32);
        const std::string good = rawTable(shapeOf(version), fields, records);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << "version 0x" << std::hex << int{version} << ": " << c.what);
            std::string damaged = good;
            c.damage(damaged, entriesEnd);
            test::writeBytes(folder.file("T.DBF"), damaged);
            EXPECT_EQ(errorOf([&] { WorkTable::open(folder.path(), "T", OpenMode::Shared); }),
                      "El archivo de la tabla est\xE1 da\xF1"
                      "ado.\nTabla: " +
                          folder.file("T.DBF") + "\nMotivo: " + c.reason);
            EXPECT_EQ(test::readBytes(folder.file("T.DBF")), damaged);
        }
    }
}

// Text is taken as stored whatever the header declares; a code page other than Windows-1252 is
// named, for the check to warn about.
TEST(ForeignTable, CodePageDeclaredByTheHeader) {
    const struct {
        unsigned char version;
        unsigned char driver;
        std::string driverName;
        std::string foreign;
    } cases[] = {
        {0x03, 0x57, "", ""},
        {0x03, 0x00, "", ""}, // none declared
        {0x30, 0x03, "", ""},
        {0x8B, 0x59, "", ""},
        {0x03, 0x02, "",
         "la p\xE1gina de c\xF3"
         "digos 850 (c\xF3"
         "digo de idioma 0x02)"},
        {0x30, 0xC9, "",
         "la p\xE1gina de c\xF3"
         "digos 1251 (c\xF3"
         "digo de idioma 0xC9)"},
        {0x03, 0xEE, "",
         "el c\xF3"
         "digo de idioma 0xEE"},
        {0x04, 0x00, "DBWINUS0", ""},
        {0x8C, 0x00, "DBWINES0", ""},
        {0x04, 0x57, "", ""},
        {0x04, 0x00, "DB850ES0",
         "la p\xE1gina de c\xF3"
         "digos 850 (controlador de idioma DB850ES0)"},
        {0x04, 0x00, "DB437US0",
         "la p\xE1gina de c\xF3"
         "digos 437 (controlador de idioma DB437US0)"},
        {0x04, 0x00, "OTRO", "el controlador de idioma OTRO"},
    };
    TempFolder folder;
    const std::vector<RawField> fields = {{"C", 'C', 3}};
    for (const auto& c : cases) {
        RawShape shape = shapeOf(c.version);
        shape.languageDriver = c.driver;
        shape.languageDriverName = c.driverName;
        test::writeBytes(folder.file("T.DBF"),
                         rawTable(shape, fields, {rawRecord(fields, {"\xF1"})}));
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
        EXPECT_EQ(table.foreignCodePage(), c.foreign) << c.driverName << int{c.driver};
        EXPECT_EQ(table.readText(table.column("C")), "\xF1");
    }
}

// Clipper and FoxPro texts longer than 255 bytes keep the width's high byte in the decimals
// byte; a stray decimals byte on a short text is left alone. The record length tells which.
TEST(ForeignTable, LongTextsAndStrayDecimalsOnTexts) {
    TempFolder folder;
    const std::vector<RawField> longText = {{"LARGO", 'C', 300, 1}, {"DIA", 'N', 2}};
    test::writeBytes(folder.file("LONG.DBF"),
                     rawTable(shapeOf(0x30), longText,
                              {rawRecord(longText, {std::string(299, 'x') + "y", " 3"})}));
    const std::vector<RawField> stray = {{"COD", 'C', 3, 2}, {"DIA", 'N', 2}};
    test::writeBytes(folder.file("STRAY.DBF"),
                     rawTable(shapeOf(0x03), stray, {rawRecord(stray, {"abc", " 4"})}));

    WorkTable longTable = WorkTable::open(folder.path(), "LONG", OpenMode::ReadOnly);
    EXPECT_EQ(longTable.readText(longTable.column("LARGO")), std::string(299, 'x') + "y");
    EXPECT_EQ(longTable.readInteger(longTable.column("DIA")), 3);
    WorkTable strayTable = WorkTable::open(folder.path(), "STRAY", OpenMode::ReadOnly);
    EXPECT_EQ(strayTable.readText(strayTable.column("COD")), "abc");
    EXPECT_EQ(strayTable.readInteger(strayTable.column("DIA")), 4);
}

} // namespace
} // namespace tts::tables
