#include "tables/WorkTable.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace tts::tables {
namespace {

using test::TempFolder;

std::vector<Column> sampleColumns() {
    return {Column::text("COD", 5), Column::boolean("ESTAREA"), Column::integer("DNI"),
            Column::floating("HORAS")};
}

TEST(WorkTableValues, EveryColumnTypeReadsBackAfterReopening) {
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T", sampleColumns());
        table.append();
        table.writeText(table.column("COD"), "MAT");
        table.writeBoolean(table.column("ESTAREA"), true);
        table.writeFloat(table.column("DNI"), -2147483647 - 1);
        table.writeFloat(table.column("HORAS"), 2.5);
        table.post();
        table.append();
        table.writeText(table.column("COD"), "LENGUA"); // one more than the width
        table.writeBoolean(table.column("ESTAREA"), false);
        table.writeFloat(table.column("DNI"), 2147483647);
        table.writeFloat(table.column("HORAS"), 1.25);
        table.post();
        table.append(); // nothing written: every column blank
        table.post();
        table.close();
    }
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    ASSERT_EQ(table.rowCount(), 3);

    table.first();
    EXPECT_EQ(table.readText(table.column("COD")), "MAT");
    EXPECT_EQ(table.readText(table.column("ESTAREA")), "True");
    EXPECT_EQ(table.readInteger(table.column("ESTAREA")), 1);
    EXPECT_EQ(table.readInteger(table.column("DNI")), -2147483647 - 1);
    EXPECT_EQ(table.readText(table.column("DNI")), "-2147483648");
    EXPECT_EQ(table.readFloat(table.column("HORAS")), 2.5);
    EXPECT_EQ(table.readText(table.column("HORAS")), "2.5");
    EXPECT_EQ(table.readInteger(table.column("HORAS")), 2); // rounded half to even

    table.next();
    EXPECT_EQ(table.readText(table.column("COD")), "LENGU");
    EXPECT_EQ(table.readText(table.column("ESTAREA")), "False");
    EXPECT_EQ(table.readInteger(table.column("DNI")), 2147483647);
    EXPECT_EQ(table.readFloat(table.column("HORAS")), 1.25);
    EXPECT_EQ(table.readText(table.column("HORAS")), "1.25");

    table.next();
    EXPECT_EQ(table.readText(table.column("COD")), "");
    EXPECT_EQ(table.readText(table.column("ESTAREA")), "");
    EXPECT_EQ(table.readText(table.column("DNI")), "");
    EXPECT_EQ(table.readInteger(table.column("DNI")), 0);
    EXPECT_EQ(table.readText(table.column("HORAS")), "");
    EXPECT_EQ(table.readFloat(table.column("HORAS")), 0.0);
}

TEST(WorkTableValues, TextKeepsItsBytesAndIsCutToTheWidth) {
    const struct {
        std::string written;
        std::string read;
    } cases[] = {
        {"", ""},
        {"A", "A"},
        {"  A", "  A"}, // leading blanks stay
        {"ABCD", "ABCD"},
        {"ABCDE", "ABCDE"},    // exactly the width
        {"ABCDEFGH", "ABCDE"}, // cut to the width
        {"11\xBD", "11\xBD"},  // one-half sign, Windows-1252
        {"A\xF1o", "A\xF1o"},
        {"Ni\xF1os!", "Ni\xF1os"},
        {"\xE1\xE9\xED\xF3\xFA\xF1", "\xE1\xE9\xED\xF3\xFA"},
    };
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::text("V", 5)});
        for (const auto& c : cases) {
            table.append();
            table.writeText(table.column("V"), c.written);
            table.post();
        }
        table.close();
    }
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::Shared);
    table.first();
    for (const auto& c : cases) {
        ASSERT_FALSE(table.atEnd());
        EXPECT_EQ(table.readText(table.column("V")), c.read) << "written: " << c.written;
        table.next();
    }
    EXPECT_TRUE(table.atEnd());
}

TEST(WorkTableValues, StoredTextEndsAtItsFirstNulAndLosesTrailingBlanksAtAnyLength) {
    using namespace std::string_literals;
    const struct {
        std::string stored; // twenty bytes
        std::string read;
    } cases[] = {
        {std::string(20, ' '), ""},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
        {"  A" + std::string(17, ' '), "  A"},
        {"ABCDEFGHI" + std::string(11, ' '), "ABCDEFGHI"},
        {"ABCDEFGHIJ\0KLMNOPQRS"s, "ABCDEFGHIJ"},
        {"ABCDEFG \0xxxxxxxxxxx"s, "ABCDEFG"},
        {"\0xxxxxxxxxxxxxxxxxxx"s, ""},
        {"ABCDEFGHIJKLMNOPQRS\0"s, "ABCDEFGHIJKLMNOPQRS"},
        {"A B" + std::string(16, ' ') + "C", "A B" + std::string(16, ' ') + "C"},
    };
    TempFolder folder;
    WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::text("V", 20)});
    const ColumnHandle v = table.column("V");
    table.append();
    for (const auto& c : cases) {
        table.writeStoredBytes(v, c.stored);
        EXPECT_EQ(table.storedBytes(v), c.stored);
        EXPECT_EQ(table.readText(v), c.read) << c.stored;
        EXPECT_EQ(table.readTextView(v), c.read) << c.stored;
    }
    table.close();
}

TEST(WorkTableValues, ColumnsSideBySideMoveToAnotherRowInOneCopy) {
    TempFolder folder;
    WorkTable table = WorkTable::createAfresh(
        folder.path(), "T",
        {Column::text("A", 3), Column::text("B", 6), Column::floating("H"), Column::text("C", 2)});
    const ColumnHandle a = table.column("A"), b = table.column("B"), h = table.column("H"),
                       c = table.column("C");
    table.append();
    table.writeText(a, "XY");
    table.writeText(b, "valor");
    table.writeFloat(h, 2.5);
    table.writeText(c, "Z");
    const std::string span(table.storedBytes(b, h));
    EXPECT_EQ(span, std::string(table.storedBytes(b)) + std::string(table.storedBytes(h)));
    table.post();

    table.append();
    table.writeStoredBytes(b, h, span);
    EXPECT_EQ(table.readText(a), "");
    EXPECT_EQ(table.readText(b), "valor");
    EXPECT_EQ(table.readFloat(h), 2.5);
    EXPECT_EQ(table.readText(c), "");
    // A span of another size, or columns given in the wrong order, are refused.
    EXPECT_THROW(table.writeStoredBytes(b, h, span.substr(1)), Error);
    EXPECT_THROW(table.storedBytes(h, b), Error);
    table.post();
    table.close();
}

TEST(WorkTableValues, NumbersReadAsTextInDecimalWithoutTrailingZeros) {
    const struct {
        double written;
        std::string asText;
        int32_t asInteger;
    } cases[] = {
        {0, "0", 0},          {1, "1", 1},
        {-3.75, "-3.75", -4}, {0.1, "0.1", 0},
        {25.5, "25.5", 26},   {13, "13", 13},
        {-0.0, "0", 0},       {0.5, "0.5", 0},
        {1.5, "1.5", 2},      {123456.125, "123456.125", 123456},
    };
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::floating("F")});
        for (const auto& c : cases) {
            table.append();
            table.writeFloat(table.column("F"), c.written);
            table.post();
        }
        table.close();
    }
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    table.first();
    for (const auto& c : cases) {
        EXPECT_EQ(table.readText(table.column("F")), c.asText);
        EXPECT_EQ(table.readFloat(table.column("F")), c.written);
        EXPECT_EQ(table.readInteger(table.column("F")), c.asInteger) << c.asText;
        table.next();
    }
}

TEST(WorkTableValues, NumberBeyondThirtyTwoBitsReadsAsTextButNotAsInteger) {
    TempFolder folder;
    WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::floating("F")});
    table.append();
    table.writeFloat(table.column("F"), 1e12);
    EXPECT_EQ(table.readText(table.column("F")), "1000000000000");
    EXPECT_EQ(table.readFloat(table.column("F")), 1e12);
    EXPECT_EQ(test::errorOf([&] { table.readInteger(table.column("F")); }),
              "'1000000000000.000000' no es un valor entero v\xE1lido");
    table.close();
}

TEST(WorkTableValues, HeaderIsPlainDbaseMarkedWindowsAnsi) {
    TempFolder folder;
    WorkTable::createAfresh(folder.path(), "ASIGT", sampleColumns()).close();
    std::string bytes = test::readBytes(folder.file("ASIGT.DBF"));
    ASSERT_EQ(bytes.size(), 32u + 4 * 32 + 1 + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x03);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0x57);
    EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0')); // no records
    EXPECT_EQ(static_cast<unsigned char>(bytes[32 + 4 * 32]), 0x0D);
    EXPECT_EQ(static_cast<unsigned char>(bytes.back()), 0x1A);
    const struct {
        const char* name;
        char type;
        int width;
        int decimals;
    } expected[] = {
        {"COD", 'C', 5, 0}, {"ESTAREA", 'L', 1, 0}, {"DNI", 'N', 11, 0}, {"HORAS", 'N', 20, 6}};
    for (int i = 0; i < 4; ++i) {
        std::string descriptor = bytes.substr(32 + 32 * i, 32);
        EXPECT_EQ(std::string(descriptor.c_str()), expected[i].name);
        EXPECT_EQ(descriptor[11], expected[i].type);
        EXPECT_EQ(descriptor[16], expected[i].width);
        EXPECT_EQ(descriptor[17], expected[i].decimals);
    }
    EXPECT_TRUE(folder.names() == std::vector<std::string>{"ASIGT.DBF"}); // no side files
}

TEST(WorkTableValues, ConversionsBetweenColumnTypes) {
    TempFolder folder;
    WorkTable table = WorkTable::createAfresh(
        folder.path(), "T",
        {Column::text("C", 10), Column::integer("I"), Column::floating("F"), Column::boolean("L")});
    table.append();
    table.writeFloat(table.column("C"), 42);
    table.writeText(table.column("I"), "17");
    table.writeText(table.column("F"), "0.25");
    table.writeText(table.column("L"), "True");
    EXPECT_EQ(table.readText(table.column("C")), "42");
    EXPECT_EQ(table.readInteger(table.column("C")), 42);
    EXPECT_EQ(table.readInteger(table.column("I")), 17);
    EXPECT_EQ(table.readText(table.column("F")), "0.25");
    EXPECT_EQ(table.readText(table.column("L")), "True");
    table.writeFloat(table.column("C"), 2.5);
    table.writeFloat(table.column("I"), 2.5); // an integer column keeps the rounded value
    EXPECT_EQ(table.readText(table.column("C")), "2.5");
    EXPECT_EQ(table.readText(table.column("I")), "2");
    table.writeText(table.column("I"), "");
    EXPECT_EQ(table.readText(table.column("I")), "");
    EXPECT_EQ(test::errorOf([&] { table.writeText(table.column("I"), "abc"); }),
              "'abc' no es un valor punto flotante v\xE1lido");
    table.writeText(table.column("C"), "x");
    EXPECT_EQ(test::errorOf([&] { table.readInteger(table.column("C")); }),
              "'x' no es un valor entero v\xE1lido");
    table.close();
}

TEST(WorkTableValues, ValueTooLargeForItsColumnIsRefused) {
    TempFolder folder;
    WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::floating("F")});
    table.append();
    table.writeFloat(table.column("F"), 1234567890123.5); // fits with fewer decimals
    EXPECT_EQ(table.readText(table.column("F")), "1234567890123.5");
    EXPECT_EQ(test::errorOf([&] { table.writeFloat(table.column("F"), 1e25); }),
              "El valor 1e+25 no cabe en el campo 'F'.\nTabla: " + folder.file("T.DBF"));
    // Told beforehand, without a table, as writeFloat then does.
    for (double value : {1234567890123.5, 99999999999999983616.0, -1e18, 1e20, -1e19, 1e25}) {
        bool written = true;
        try {
            table.writeFloat(table.column("F"), value);
        } catch (const Error&) {
            written = false;
        }
        EXPECT_EQ(fitsFloatColumn(value), written) << value;
    }
    table.close();
}

TEST(WorkTableValues, NumberFieldHoldingTextIsReportedNotGuessed) {
    TempFolder folder;
    test::writeBytes(folder.file("T.DBF"),
                     test::rawDbf(0x03, {{"DIA", 'N', 4, 0}}, {" abc", " ****", " 1.2."}));
    WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::ReadOnly);
    const std::string tableLine = "\nTabla: " + folder.file("T.DBF");
    for (const char* stored : {"abc", "****", "1.2."}) {
        EXPECT_EQ(test::errorOf([&] { table.readInteger(table.column("DIA")); }),
                  "El campo 'DIA' contiene un valor que no es un n\xFAmero: '" +
                      std::string(stored) + "'." + tableLine);
        table.next();
    }
}

// What the import writes, byte for byte where other readers depend on it: the end-of-file byte
// right after the last record, whether the rows came in one rebuild or were appended later.
TEST(WorkTableValues, EndOfFileByteFollowsTheLastRecord) {
    TempFolder folder;
    const size_t headerLength = 32 + 2 * 32 + 1, recordLength = 1 + 4 + 11;
    auto append = [](WorkTable& table, const char* code) {
        table.append();
        table.writeText(table.column("COD"), code);
        table.writeFloat(table.column("N"), 1);
        table.post();
    };
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T",
                                                  {Column::text("COD", 4), Column::integer("N")});
        append(table, "A");
        append(table, "B");
        table.close();
    }
    std::string bytes = test::readBytes(folder.file("T.DBF"));
    ASSERT_EQ(bytes.size(), headerLength + 2 * recordLength + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(bytes.substr(headerLength + recordLength, recordLength), " B             1");

    {
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::Shared);
        append(table, "C");
        table.close();
    }
    bytes = test::readBytes(folder.file("T.DBF"));
    ASSERT_EQ(bytes.size(), headerLength + 3 * recordLength + 1);
    EXPECT_EQ(bytes.substr(headerLength + 2 * recordLength), " C             1\x1A");
    EXPECT_EQ(bytes[4], 3); // the header's count
}

// Zero is stored as "0.000000", never "-0.000000", however it was reached.
TEST(WorkTableValues, ZeroIsStoredWithoutSign) {
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T",
                                                  {Column::floating("F"), Column::integer("N")});
        for (double value : {0.0, -0.0, -0.0000001, -0.0000004}) {
            table.append();
            table.writeFloat(table.column("F"), value);
            table.writeFloat(table.column("N"), value);
            table.post();
        }
        table.close();
    }
    const std::string bytes = test::readBytes(folder.file("T.DBF"));
    const size_t headerLength = 32 + 2 * 32 + 1, recordLength = 1 + 20 + 11;
    for (size_t row = 0; row < 4; ++row)
        EXPECT_EQ(bytes.substr(headerLength + row * recordLength, recordLength),
                  "             0.000000          0")
            << "row " << row;
}

// A table that another program leaves without the end-of-file byte is read whole.
TEST(WorkTableValues, TableWithoutEndOfFileByteIsComplete) {
    TempFolder folder;
    const std::vector<test::RawField> fields = {{"COD", 'C', 4}};
    test::RawShape shape;
    shape.endOfFile = false;
    test::writeBytes(folder.file("EMPTY.DBF"), test::rawTable(shape, fields, {}));
    test::writeBytes(folder.file("TWO.DBF"), test::rawTable(shape, fields, {" A", " B"}));

    WorkTable empty = WorkTable::open(folder.path(), "EMPTY", OpenMode::ReadOnly);
    EXPECT_EQ(empty.rowCount(), 0);
    empty.first();
    EXPECT_TRUE(empty.atEnd());
    WorkTable two = WorkTable::open(folder.path(), "TWO", OpenMode::ReadOnly);
    EXPECT_EQ(two.rowCount(), 2);
    two.first();
    two.next();
    EXPECT_EQ(two.readText(two.column("COD")), "B");
    two.next();
    EXPECT_TRUE(two.atEnd());
}

} // namespace
} // namespace tts::tables
