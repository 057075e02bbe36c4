// dBase files that are not what their header says: cut short, a header that lies about its
// records or its own length, a field of a type nobody knows. The user is told which table and
// why; the damaged file is not touched, and neither is anything else.
#include "GeneratedSchool.h"
#include "HardeningSupport.h"
#include "TableStates.h"

#include "import/ImportRun.h"
#include "tables/WorkTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>

namespace tts::hardening {
namespace {

uint16_t le16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void putLe32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putLe16(std::string& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

size_t headerLength(const std::string& dbf) {
    return le16(dbf, 8);
}
size_t recordLength(const std::string& dbf) {
    return le16(dbf, 10);
}

// The offset of the descriptor of field `index` (0-based).
size_t descriptor(size_t index) {
    return 32 + 32 * index;
}

struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
    const char* reason; // the "Motivo:" line the user reads
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

const Damage kDamages[] = {
    {"CutInTheRecords",
     [](std::string& dbf) { dbf.resize(headerLength(dbf) + recordLength(dbf) * 10 + 7); },
     "la cabecera indica 200 registros y el archivo contiene 10"},
    {"CutInTheFieldDescriptors", [](std::string& dbf) { dbf.resize(descriptor(3) + 5); },
     "la cabecera dice ser m\xE1s larga que el archivo"},
    {"CutInTheFirstBytes", [](std::string& dbf) { dbf.resize(20); },
     "el archivo es demasiado corto para ser una tabla"},
    {"RecordCountTooLarge", [](std::string& dbf) { putLe32(dbf, 4, 5000); },
     "la cabecera indica 5000 registros y el archivo contiene 200"},
    {"RecordCountImpossible", [](std::string& dbf) { putLe32(dbf, 4, 0xFFFFFFF0u); },
     "la cabecera indica un n\xFAmero de registros imposible"},
    {"HeaderLengthBeyondTheFile", [](std::string& dbf) { putLe16(dbf, 8, 0xFFF0); },
     "la cabecera dice ser m\xE1s larga que el archivo"},
    {"HeaderLengthOneByteShort",
     [](std::string& dbf) { putLe16(dbf, 8, static_cast<uint16_t>(headerLength(dbf) - 1)); },
     "el registro 1 no empieza donde indica la cabecera"},
    {"RecordLengthNotTheFields",
     [](std::string& dbf) { putLe16(dbf, 10, static_cast<uint16_t>(recordLength(dbf) + 3)); },
     "la longitud de registro de la cabecera (<length>) no coincide con la de sus campos (<sum>)"},
};

std::string expectedReason(const Damage& damage, const std::string& original) {
    return withMarks(damage.reason, {{"<length>", std::to_string(recordLength(original) + 3)},
                                     {"<sum>", std::to_string(recordLength(original))}});
}

class ExportOfADamagedSoluc : public ::testing::TestWithParam<Damage> {};

TEST_P(ExportOfADamagedSoluc, NamesTheTableAndWhyAndChangesNothing) {
    ImportedSchool school;
    const std::string path = school.work.file("SOLUC.DBF");
    const std::string original = readBytes(path);
    std::string damaged = original;
    GetParam().apply(damaged);
    writeBytes(path, damaged);
    school.remember();

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { school.runExport(window); }),
              "El archivo de la tabla est\xE1 da\xF1"
              "ado.\nTabla: " +
                  path + "\nMotivo: " + expectedReason(GetParam(), original));
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
    EXPECT_FALSE(window.busy);
}

INSTANTIATE_TEST_SUITE_P(Faults, ExportOfADamagedSoluc, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// Step 5 reads the GRUPOST of an earlier import when the groups file is missing; a damaged one
// stops the run there, and the import never overwrites it with anything.
class ImportReadingADamagedGroupsTable : public ::testing::TestWithParam<Damage> {};

TEST_P(ImportReadingADamagedGroupsTable, StopsAtStepFiveAndKeepsEveryTable) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    std::filesystem::remove(sice.file("sice_grupo.txt"));
    const std::string path = work.file("GRUPOST.DBF");
    const std::string original = readBytes(path);
    std::string damaged = original;
    GetParam().apply(damaged);
    writeBytes(path, damaged);

    test::RecordingRunHost window;
    const std::string message =
        errorOf([&] { import::runImport(window, sice.path(), work.path()); });
    EXPECT_EQ(message.substr(0, message.find('\n')), "El archivo de la tabla est\xE1 da\xF1"
                                                     "ado.");
    EXPECT_NE(message.find("Tabla: " + path), std::string::npos) << message;
    EXPECT_EQ(states.describe(work), "NNN?OO");
    EXPECT_EQ(readBytes(path), damaged);
}

INSTANTIATE_TEST_SUITE_P(Faults, ImportReadingADamagedGroupsTable, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged table that the import rebuilds is simply replaced by a sound one.
TEST_P(ImportReadingADamagedGroupsTable, IsReplacedWhenTheGroupsFileIsThere) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    std::string damaged = readBytes(work.file("GRUPOST.DBF"));
    GetParam().apply(damaged);
    writeBytes(work.file("GRUPOST.DBF"), damaged);

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { import::runImport(window, sice.path(), work.path()); }), kNoError);
    EXPECT_EQ(states.describe(work), "NNNNNN");
}

// Horvane may keep columns of its own, of types we cannot read: they are carried along while
// unread; only reading one is an error, naming the column and its type.
TEST(UnknownFieldType, InAColumnTheExportDoesNotReadIsIgnored) {
    ImportedSchool school;
    {
        using tables::Column;
        auto soluc = tables::WorkTable::createAfresh(
            school.work.path(), "SOLUC",
            {Column::integer("DIA"), Column::integer("HORA"), Column::text("PROF", 10),
             Column::text("OBSERV", 10), Column::text("CODGRUPO", 10), Column::text("TAREA", 10),
             Column::text("ASIG", 10), Column::text("AULA", 10)});
        soluc.append();
        soluc.writeFloat(soluc.column("DIA"), 1);
        soluc.writeFloat(soluc.column("HORA"), 1);
        soluc.writeText(soluc.column("PROF"), "MSAN");
        soluc.writeText(soluc.column("CODGRUPO"), "1ESOA");
        soluc.writeText(soluc.column("ASIG"), "MAT");
        soluc.post();
        soluc.close();
    }
    const std::string path = school.work.file("SOLUC.DBF");
    std::string dbf = readBytes(path);
    dbf[descriptor(3) + 11] = 'X'; // OBSERV
    writeBytes(path, dbf);

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { school.runExport(window); }), kNoError);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Proceso finalizado"});
    EXPECT_EQ(readBytes(path), dbf);
}

TEST(UnknownFieldType, InAColumnTheExportReadsNamesTheColumnAndItsType) {
    ImportedSchool school;
    const std::string path = school.work.file("SOLUC.DBF");
    std::string dbf = readBytes(path);
    dbf[descriptor(0) + 11] = 'X'; // DIA
    writeBytes(path, dbf);
    school.remember();

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { school.runExport(window); }),
              "El campo 'DIA' es de un tipo que no se puede usar (X).\nTabla: " + path);
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
}

} // namespace
} // namespace tts::hardening
