#include "ExportFixture.h"
#include "base/Error.h"
#include "export/ExportTables.h"
#include "tests/support/DbfBytes.h"
#include "tests/support/RecordingRunHost.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tts::test {
namespace {

// Rows of a SOLUC as another program writes it: values already laid out to the field's width.
struct DbfRow {
    bool deleted;
    std::vector<std::string> values;
};

// A dBase III table with a memo file, the rows written by hand.
std::string dbfBytes(const std::vector<RawField>& fields, const std::vector<DbfRow>& rows) {
    std::vector<std::string> records;
    for (const DbfRow& row : rows)
        records.push_back(rawRecord(fields, row.values, row.deleted));
    return rawDbf(0x83, fields, records);
}

// Our seven columns scattered among others, DIA as text, HORA as a number, a memo pointer.
const std::vector<RawField> kForeignFields = {
    {"SESION", 'N', 5},  {"AULA", 'C', 8},      {"DIA", 'C', 2},
    {"OBSERV", 'M', 10}, {"HORA", 'N', 2},      {"TAREA", 'C', 5},
    {"PROF", 'C', 6},    {"CODGRUPO", 'C', 10}, {"ASIG", 'C', 5},
};

DbfRow foreignRow(bool deleted, const std::string& session, const std::string& room,
                  const std::string& day, const std::string& memo, const std::string& period,
                  const std::string& task, const std::string& teacher, const std::string& group,
                  const std::string& subject) {
    return {deleted, {session, room, day, memo, period, task, teacher, group, subject}};
}

class ForeignSoluc : public ::testing::Test {
protected:
    ExportFixture f;
    RecordingRunHost host;
    exporting::ExportReport report;
    FixedClock clock{{2024, 9, 5, 8, 7}};

    void SetUp() override {
        f.writeStandardSiceFiles();
        f.createStandardTables();
    }
    void writeSoluc(const std::vector<DbfRow>& rows,
                    const std::vector<RawField>& fields = kForeignFields) {
        writeBytes(f.work.file("SOLUC.DBF"), dbfBytes(fields, rows));
    }
    void run() { exporting::runExport(host, f.sice.path(), f.work.path(), &report, clock); }
};

TEST_F(ForeignSoluc, ReadsTheSevenColumnsWhateverTheirTypeAndSkipsDeletedRows) {
    writeSoluc({
        foreignRow(false, "    1", "AULA1", "1", "         7", " 1", "MAT", "P001", "1ESOA", "MAT"),
        // Deleted: its day would stop the export if it were read.
        foreignRow(true, "    2", "AULA1", "X", "", " 2", "MAT", "P001", "1ESOA", "MAT"),
        foreignRow(false, "    3", "AULA1", "  ", "", " 2", "MAT", "P001", "1ESOA", "MAT"),
        foreignRow(false, "    4", "LAB-FIS", "2", "        12", " 1", "*GUA", "P002", "2BACH-CIEN",
                   "GUA"),
    });
    run();
    EXPECT_EQ(f.output(),
              crlfLines({"0SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  050920240807",
                         "1C01 LP0011A      MAT A1  ", "1C11 MP0022BC GUARDGUA LABF",
                         "9SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  0509202408072"}));
}

TEST_F(ForeignSoluc, ADayThatIsNotAWholeNumberStopsTheExport) {
    writeSoluc({
        foreignRow(false, "    1", "AULA1", "1", "", " 1", "MAT", "P001", "1ESOA", "MAT"),
        foreignRow(false, "    2", "AULA1", "L", "", " 1", "MAT", "P001", "1ESOA", "MAT"),
    });
    writeBytes(f.outputPath(), "old\r\n");
    try {
        run();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "'L' no es un valor entero v\xE1lido");
    }
    EXPECT_EQ(f.output(), "old\r\n");
    EXPECT_FALSE(host.busy);
}

// A day kept in a number column with decimals is read as a whole number, rounded: 1.0 is
// Monday and 0.4 is no day at all, so that row is skipped rather than stopping the export.
TEST_F(ForeignSoluc, ADayWithDecimalsIsReadRounded) {
    const std::vector<RawField> fields = {
        {"DIA", 'N', 4, 1}, {"HORA", 'N', 2}, {"PROF", 'C', 6}, {"CODGRUPO", 'C', 10},
        {"TAREA", 'C', 5},  {"ASIG", 'C', 5}, {"AULA", 'C', 8},
    };
    writeSoluc({{false, {" 1.0", " 1", "P001", "1ESOA", "MAT", "MAT", "AULA1"}},
                {false, {" 0.4", " 2", "P001", "1ESOA", "MAT", "MAT", "AULA1"}},
                {false, {"-0.4", " 2", "P001", "1ESOA", "MAT", "MAT", "AULA1"}}},
               fields);
    run();
    EXPECT_EQ(f.output(),
              crlfLines({"0SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  050920240807",
                         "1C01 LP0011A      MAT A1  ",
                         "9SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  0509202408071"}));
}

// A table our own layer wrote (dBase III), taken apart into its fields and records.
struct PlainTable {
    std::vector<RawField> fields;
    std::vector<std::string> records;
};

PlainTable takenApart(const std::string& bytes) {
    auto byte = [&](size_t at) {
        return static_cast<size_t>(static_cast<unsigned char>(bytes[at]));
    };
    const size_t headerLength = byte(8) | byte(9) << 8, recordLength = byte(10) | byte(11) << 8;
    const size_t count = byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24;
    PlainTable table;
    for (size_t at = 32; bytes[at] != '\x0D'; at += 32)
        table.fields.push_back({bytes.substr(at, 11).c_str(), bytes[at + 11],
                                static_cast<int>(byte(at + 16)), static_cast<int>(byte(at + 17))});
    for (size_t i = 0; i < count; ++i)
        table.records.push_back(bytes.substr(headerLength + i * recordLength, recordLength));
    return table;
}

std::string trimmedValue(const std::string& raw) {
    const size_t first = raw.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : raw.substr(first, raw.find_last_not_of(' ') + 1 - first);
}

// A number field's value in the bytes of `type` in the family of `version`; "" is no value.
std::string numberBytes(unsigned char version, char type, const std::string& value) {
    const bool level7 = isLevel7(version);
    switch (type) {
    case 'I':
    case '+':
        if (level7)
            return value.empty() ? std::string(4, '\0') : level7Integer(std::stoi(value));
        return foxInteger(value.empty() ? 0 : std::stoi(value)); // FoxPro has no "no value"
    case 'O':
        return value.empty() ? std::string(8, '\0') : level7Double(std::stod(value));
    case 'B':
        return foxDouble(value.empty() ? 0 : std::stod(value));
    case 'F': // with one decimal, right-aligned
        return value.empty() ? std::string(6, ' ')
                             : std::string(6 - value.size() - 2, ' ') + value + ".0";
    default: // N, C: the digits as they are
        return value;
    }
}

int widthOf(char type) {
    switch (type) {
    case 'I':
    case '+':
        return 4;
    case 'O':
    case 'B':
        return 8;
    case 'F':
        return 6;
    default:
        return 4;
    }
}

// The same rows as a writer of `version` saves them: whole numbers as its binary integers
// (`integerType`), numbers with decimals as its doubles, any field named in `types` as that type;
// a deleted copy of the first row comes first, which no reader may show.
std::string resaved(const PlainTable& table, unsigned char version, char integerType,
                    const std::map<std::string, char>& types = {}) {
    const bool level7 = isLevel7(version);
    std::vector<RawField> fields;
    std::vector<char> wanted;
    for (const RawField& field : table.fields) {
        char type = field.type;
        if (type == 'N')
            type = field.decimals == 0 ? integerType : level7 ? 'O' : 'B';
        if (auto named = types.find(field.name); named != types.end())
            type = named->second;
        wanted.push_back(type);
        fields.push_back(type == field.type ? field : RawField{field.name, type, widthOf(type)});
    }
    std::vector<std::string> records;
    for (const std::string& record : table.records) {
        std::vector<std::string> values;
        size_t at = 1;
        for (size_t i = 0; i < fields.size(); ++i) {
            const RawField& plain = table.fields[i];
            std::string raw = record.substr(at, static_cast<size_t>(plain.width));
            at += static_cast<size_t>(plain.width);
            values.push_back(plain.type == 'N' || wanted[i] != plain.type
                                 ? numberBytes(version, wanted[i], trimmedValue(raw))
                                 : raw);
        }
        records.push_back(rawRecord(fields, values, record[0] == '*'));
    }
    if (!records.empty())
        records.insert(records.begin(), "*" + records.front().substr(1));
    RawShape shape;
    shape.version = version;
    shape.languageDriverName = level7 ? "DBWINUS0" : "";
    return rawTable(shape, fields, records);
}

const std::vector<SolucFixtureRow> kTimetable = {
    {1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},
    {std::nullopt, 2, "P001", "1ESOA", "MAT", "MAT", "AULA1"}, // no day: skipped
    {0, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},            // day 0: skipped
    {1, 2, "PROFESOR1", "2BACH-CIEN", "*GUA", "GUA", "LAB-FIS"},
    {2, 1, "P002", "3ESOB", "XYZ", "LEN", "GIMNASIO"},
    {-1, 1, "P003", "1ESOA", "LEN", "LEN", ""},
    {10, 1, "P004", "", "MAT", "MAT", "AULA1"},
};

// The host may save every table again at its own level: the export writes the same lines.
TEST_F(ForeignSoluc, TablesSavedAtLevel7OrByVisualFoxProExportTheSameLines) {
    f.createSoluc(kTimetable);
    run();
    const std::string reference = f.output();
    ASSERT_EQ(reference,
              crlfLines({"0SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  050920240807",
                         "1C01 LP0011A      MAT A1  ", "1C02 LPROFESOR12BC GUARDGUA LABF",
                         "1C11 MP0023ESOLEC LEN GIMN", "1    -1P0031A      LEN     ",
                         "1    10P004        MAT A1  ",
                         "9SICE_HORARIO.TXT" + std::string(34, ' ') + "HC2024  0509202408075"}));
    std::map<std::string, PlainTable> plain;
    for (const auto& named : exporting::ExportTables::kTables)
        plain[named.table] = takenApart(readBytes(f.work.file(std::string(named.table) + ".DBF")));

    for (auto [version, integerType] : std::vector<std::pair<unsigned char, char>>{
             {0x04, 'I'}, {0x8C, '+'}, {0x30, 'I'}, {0x32, 'I'}}) {
        SCOPED_TRACE(testing::Message() << "version 0x" << std::hex << int{version});
        for (const auto& named : exporting::ExportTables::kTables)
            writeBytes(f.work.file(std::string(named.table) + ".DBF"),
                       resaved(plain[named.table], version, integerType));
        writeBytes(f.outputPath(), "");
        run();
        EXPECT_EQ(f.output(), reference);
    }
}

// DIA held in any column that holds a whole number reads the same.
TEST_F(ForeignSoluc, DayFromAnyNumberOrTextColumnExportsTheSameLines) {
    f.createSoluc(kTimetable);
    run();
    const std::string reference = f.output();
    const PlainTable soluc = takenApart(readBytes(f.work.file("SOLUC.DBF")));
    const std::vector<std::pair<unsigned char, char>> cases = {
        {0x04, 'I'}, {0x8C, '+'}, {0x04, 'O'}, {0x04, 'N'}, {0x04, 'F'}, {0x04, 'C'},
        {0x30, 'I'}, {0x31, 'B'}, {0x30, 'N'}, {0x30, 'C'}, {0x8B, 'F'}, {0x03, 'C'},
    };
    for (auto [version, type] : cases) {
        SCOPED_TRACE(testing::Message()
                     << "version 0x" << std::hex << int{version} << " DIA " << type);
        writeBytes(f.work.file("SOLUC.DBF"), resaved(soluc, version, 'N', {{"DIA", type}}));
        writeBytes(f.outputPath(), "");
        run();
        EXPECT_EQ(f.output(), reference);
    }
}

} // namespace
} // namespace tts::test
