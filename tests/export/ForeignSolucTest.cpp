#include "ExportFixture.h"
#include "base/Error.h"
#include "tests/support/RecordingRunHost.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tts::test {
namespace {

// The bytes of a dBase III file as another program writes it, without going through our table
// layer: fields in any order and of any type, rows marked deleted, a memo flag in the header.
struct DbfField {
    std::string name;
    char type;
    int width;
    int decimals = 0;
};
struct DbfRow {
    bool deleted;
    std::vector<std::string> values; // already laid out to the field's width
};

std::string dbfBytes(const std::vector<DbfField>& fields, const std::vector<DbfRow>& rows) {
    int recordLength = 1;
    for (const DbfField& field : fields)
        recordLength += field.width;
    const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;
    auto le16 = [](std::string& out, int v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    };
    std::string bytes;
    bytes += '\x83';         // dBase III with a memo file
    bytes += "\x7C\x09\x05"; // last update 2024-09-05
    le16(bytes, static_cast<int>(rows.size()));
    le16(bytes, 0);
    le16(bytes, headerLength);
    le16(bytes, recordLength);
    bytes += std::string(20, '\0');
    for (const DbfField& field : fields) {
        std::string descriptor(32, '\0');
        std::memcpy(descriptor.data(), field.name.data(), field.name.size());
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.width);
        descriptor[17] = static_cast<char>(field.decimals);
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (const DbfRow& row : rows) {
        bytes += row.deleted ? '*' : ' ';
        for (size_t i = 0; i < fields.size(); ++i) {
            std::string value = row.values.at(i);
            value.resize(static_cast<size_t>(fields[i].width), ' ');
            bytes += value;
        }
    }
    bytes += '\x1A';
    return bytes;
}

// Our seven columns scattered among others, DIA as text, HORA as a number, a memo pointer.
const std::vector<DbfField> kForeignFields = {
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
                    const std::vector<DbfField>& fields = kForeignFields) {
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
    const std::vector<DbfField> fields = {
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

} // namespace
} // namespace tts::test
