#include "tables/WorkTable.h"

#include "TableTestSupport.h"
#include "tests/support/ForkedChild.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tts::tables {
namespace {

using test::errorOf;
using test::putLittleEndian;
using test::TempFolder;

// Runs `action` in a child process, as the unprivileged user "nobody" when this one is root
// (root ignores permissions), optionally limited in the size of the files it may write.
// Returns the message of the error it raised.
std::string messageInChild(const std::function<void()>& action, bool unprivileged,
                           rlim_t fileSizeLimit = RLIM_INFINITY) {
    const auto outcome = test::runInChild(
        [&] {
            if (fileSizeLimit != RLIM_INFINITY) {
                ::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{fileSizeLimit, fileSizeLimit};
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    return std::string("(could not limit the file size)");
            }
            return errorOf(action);
        },
        unprivileged ? test::ChildUser::Nobody : test::ChildUser::Same);
    return outcome.report;
}

TEST(WorkTableErrors, MissingTableFolderAndColumn) {
    TempFolder folder;
    const std::string missingFolder = folder.file("no-such-folder");
    EXPECT_EQ(errorOf([&] { WorkTable::open(folder.path(), "PROFT", OpenMode::Shared); }),
              "No se encuentra la tabla.\nTabla: " + folder.file("PROFT.DBF"));
    EXPECT_EQ(errorOf([&] { WorkTable::open(missingFolder, "PROFT", OpenMode::ReadOnly); }),
              "Ruta de acceso no v\xE1lida.\nRuta: " + missingFolder);
    EXPECT_EQ(
        errorOf([&] { WorkTable::createAfresh(missingFolder, "PROFT", {Column::text("A", 1)}); }),
        "Ruta de acceso no v\xE1lida.\nRuta: " + missingFolder);
    test::writeBytes(folder.file("file"), "");
    EXPECT_EQ(errorOf([&] {
                  WorkTable::createAfresh(folder.file("file"), "PROFT", {Column::text("A", 1)});
              }),
              "Ruta de acceso no v\xE1lida.\nRuta: " + folder.file("file"));

    WorkTable::createAfresh(folder.path(), "SOLUC", {Column::text("HORA", 2)}).close();
    WorkTable soluc = WorkTable::open(folder.path(), "SOLUC", OpenMode::Exclusive, "wwTableSoluc");
    EXPECT_EQ(errorOf([&] { soluc.readInteger(soluc.column("DIA")); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    EXPECT_EQ(errorOf([&] { soluc.locate(soluc.column("DIA"), "1"); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    EXPECT_TRUE(soluc.hasColumn("HORA"));
    EXPECT_FALSE(soluc.hasColumn("DIA"));
    soluc.close();
    WorkTable plain = WorkTable::open(folder.path(), "SOLUC", OpenMode::Shared);
    plain.append();
    EXPECT_EQ(errorOf([&] { plain.writeText(plain.column("DIA"), "1"); }),
              "No se encuentra el campo 'DIA'");
}

// A handle is taken before any row is read; its column's absence shows only when it is used, with
// the message a read by name gives, so a table that is never read through it never fails.
TEST(WorkTableErrors, HandleOfAMissingColumnFailsWhenUsedAsAReadByName) {
    TempFolder folder;
    WorkTable::createAfresh(folder.path(), "SOLUC", {Column::text("HORA", 2)}).close();
    WorkTable soluc = WorkTable::open(folder.path(), "SOLUC", OpenMode::Exclusive, "wwTableSoluc");
    const ColumnHandle dia = soluc.column("DIA"), hora = soluc.column("hora");
    std::string text = "x";
    EXPECT_EQ(errorOf([&] { soluc.readText(dia, text); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    EXPECT_EQ(errorOf([&] { soluc.readInteger(dia); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    EXPECT_EQ(errorOf([&] { soluc.locate(dia, "1"); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    soluc.edit();
    EXPECT_EQ(errorOf([&] { soluc.writeText(dia, "1"); }),
              "wwTableSoluc: No se encuentra el campo 'DIA'");
    soluc.writeText(hora, "7"); // names are found regardless of letter case, as by name
    EXPECT_EQ(soluc.readText(hora), "7");
    soluc.close();
    EXPECT_EQ(errorOf([&] { soluc.readText(hora, text); }),
              errorOf([&] { soluc.readText(soluc.column("HORA")); }));
}

TEST(WorkTableErrors, FolderThatCannotBeWrittenLeavesTheTableAsItWas) {
    TempFolder folder;
    std::string readOnlyFolder = folder.file("ro");
    ASSERT_EQ(::mkdir(readOnlyFolder.c_str(), 0755), 0);
    {
        WorkTable table =
            WorkTable::createAfresh(readOnlyFolder, "AULAT", {Column::text("ABREV", 10)});
        table.append();
        table.writeText(table.column("ABREV"), "LAB");
        table.post();
        table.close();
    }
    ASSERT_EQ(::chmod(readOnlyFolder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    const std::string before = test::readBytes(readOnlyFolder + "/AULAT.DBF");

    EXPECT_EQ(messageInChild(
                  [&] { WorkTable::createAfresh(readOnlyFolder, "AULAT", {Column::text("X", 1)}); },
                  true),
              "Ruta de acceso no v\xE1lida.\nRuta: " + readOnlyFolder);
    EXPECT_EQ(test::readBytes(readOnlyFolder + "/AULAT.DBF"), before);

    // A table that may only be read still opens for reading, but not exclusively.
    EXPECT_EQ(messageInChild(
                  [&] {
                      WorkTable table = WorkTable::open(readOnlyFolder, "AULAT", OpenMode::Shared);
                      if (table.readText(table.column("ABREV")) == "LAB")
                          table.append();
                  },
                  true),
              "La tabla est\xE1 abierta solo para lectura.\nTabla: " + readOnlyFolder +
                  "/AULAT.DBF");
    EXPECT_EQ(messageInChild([&] { WorkTable::open(readOnlyFolder, "AULAT", OpenMode::Exclusive); },
                             true),
              "No se puede abrir la tabla.\nTabla: " + readOnlyFolder +
                  "/AULAT.DBF\nMotivo: acceso denegado");
}

TEST(WorkTableErrors, FailedWriteKeepsTheOldTableAndLeavesNoTemporaryFile) {
    TempFolder folder;
    {
        WorkTable table =
            WorkTable::createAfresh(folder.path(), "ASIGT", {Column::text("CASIG", 10)});
        table.append();
        table.writeText(table.column("CASIG"), "OLD");
        table.post();
        table.close();
    }
    const std::string before = test::readBytes(folder.file("ASIGT.DBF"));
    std::string message = messageInChild(
        [&] {
            WorkTable table =
                WorkTable::createAfresh(folder.path(), "ASIGT", {Column::text("NOMBRE", 200)});
            for (int i = 0; i < 1000; ++i) {
                table.append();
                table.writeText(table.column("NOMBRE"), std::string(200, 'x'));
                table.post();
            }
            table.close(); // rows go out in blocks: the last of them at the latest here
        },
        false, 8192);
    EXPECT_EQ(message, "No se puede escribir en la tabla.\nTabla: " + folder.file("ASIGT.DBF") +
                           "\nMotivo: el archivo ha superado el tama\xF1o permitido");
    EXPECT_EQ(test::readBytes(folder.file("ASIGT.DBF")), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"ASIGT.DBF"});
}

struct DamagedCase {
    const char* what;
    std::function<void(std::string&)> damage;
    std::string reason;
};

TEST(WorkTableErrors, DamagedFilesAreReportedNeverReadOutOfBounds) {
    // Two records of 1 + 10 + 11 bytes after a header of 32 + 2 * 32 + 1 bytes.
    const std::vector<DamagedCase> cases = {
        {"empty file", [](std::string& b) { b.clear(); },
         "el archivo es demasiado corto para ser una tabla"},
        {"shorter than a header", [](std::string& b) { b.resize(20); },
         "el archivo es demasiado corto para ser una tabla"},
        {"cut inside the records", [](std::string& b) { b.resize(b.size() - 10); },
         "la cabecera indica 2 registros y el archivo contiene 1"},
        {"cut inside the descriptors", [](std::string& b) { b.resize(70); },
         "la cabecera dice ser m\xE1s larga que el archivo"},
        {"record count too high", [](std::string& b) { putLittleEndian(b, 4, 3, 4); },
         "la cabecera indica 3 registros y el archivo contiene 2"},
        {"record count beyond any file",
         [](std::string& b) { putLittleEndian(b, 4, 0xFFFFFFFF, 4); },
         "la cabecera indica un n\xFAmero de registros imposible"},
        {"record length too long", [](std::string& b) { putLittleEndian(b, 10, 23, 2); },
         "la longitud de registro de la cabecera (23) no coincide con la de sus campos (22)"},
        {"record length zero", [](std::string& b) { putLittleEndian(b, 10, 0, 2); },
         "la longitud de registro de la cabecera (0) no coincide con la de sus campos (22)"},
        {"header length beyond the file", [](std::string& b) { putLittleEndian(b, 8, 60000, 2); },
         "la cabecera dice ser m\xE1s larga que el archivo"},
        {"header length too short", [](std::string& b) { putLittleEndian(b, 8, 40, 2); },
         "la cabecera es demasiado corta"},
        {"header length inside a descriptor",
         [](std::string& b) { putLittleEndian(b, 8, 32 + 32 + 16, 2); },
         "la descripci\xF3n de los campos est\xE1 incompleta"},
        {"no fields", [](std::string& b) { b[32] = 0x0D; }, "la tabla no tiene campos"},
        {"field of width zero", [](std::string& b) { b[32 + 16] = 0; },
         "el campo 'CODIGO' tiene ancho 0"},
        {"field without name", [](std::string& b) { b[32] = 0; }, "un campo no tiene nombre"},
    };
    TempFolder folder;
    {
        WorkTable table = WorkTable::createAfresh(
            folder.path(), "T", {Column::text("CODIGO", 10), Column::integer("N")});
        for (int i = 0; i < 2; ++i) {
            table.append();
            table.writeFloat(table.column("N"), i);
            table.post();
        }
        table.close();
    }
    const std::string good = test::readBytes(folder.file("T.DBF"));
    for (const DamagedCase& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        test::writeBytes(folder.file("T.DBF"), bytes);
        for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::Shared, OpenMode::Exclusive}) {
            EXPECT_EQ(errorOf([&] { WorkTable::open(folder.path(), "T", mode); }),
                      "El archivo de la tabla est\xE1 da\xF1"
                      "ado.\nTabla: " +
                          folder.file("T.DBF") + "\nMotivo: " + c.reason)
                << c.what;
        }
        EXPECT_EQ(test::readBytes(folder.file("T.DBF")), bytes)
            << c.what << ": the file was changed";
    }
}

// A table larger than what is read whole at open is checked as a walk reaches each block, and
// whole before any other use: a record that does not start where the header says is never
// handed out, nor is anything written into the table.
TEST(WorkTableErrors, LargeTableCheckedBeforeItsRecordsAreUsed) {
    TempFolder folder;
    constexpr int kRows = 70000; // of 251 bytes: more than 16 MB
    constexpr int kDamaged = 60000;
    {
        WorkTable table = WorkTable::createAfresh(folder.path(), "T", {Column::text("T", 250)});
        for (int i = 0; i < kRows; ++i) {
            table.append();
            table.writeText(table.column("T"), "fila " + std::to_string(i));
            table.post();
        }
        table.close();
    }
    std::string bytes = test::readBytes(folder.file("T.DBF"));
    bytes[32 + 32 + 1 + static_cast<size_t>(kDamaged) * 251] = 'X';
    test::writeBytes(folder.file("T.DBF"), bytes);
    const std::string damaged = "El archivo de la tabla est\xE1 da\xF1"
                                "ado.\nTabla: " +
                                folder.file("T.DBF") + "\nMotivo: el registro " +
                                std::to_string(kDamaged + 1) +
                                " no empieza donde indica la cabecera";
    int walked = 0;
    const struct {
        const char* use;
        std::function<void(WorkTable&)> run;
    } uses[] = {
        {"walk", [&](WorkTable& t) { t.forEachStoredRow([&](std::string_view) { ++walked; }); }},
        {"cursor",
         [](WorkTable& t) {
             for (t.first(); !t.atEnd(); t.next()) {
             }
         }},
        {"rows counted", [](WorkTable& t) { t.rowCount(); }},
        {"locate", [](WorkTable& t) { t.locate(t.column("T"), "fila 1"); }},
        {"edit",
         [](WorkTable& t) {
             t.first();
             t.edit();
             t.writeText(t.column("T"), "cambiada");
             t.post();
         }},
    };
    for (const auto& u : uses) {
        SCOPED_TRACE(u.use);
        WorkTable table = WorkTable::open(folder.path(), "T", OpenMode::Exclusive);
        EXPECT_EQ(errorOf([&] { u.run(table); }), damaged);
        EXPECT_EQ(errorOf([&] { table.close(); }), test::kNoError);
        EXPECT_EQ(test::readBytes(folder.file("T.DBF")), bytes) << "the table was changed";
    }
    EXPECT_GT(walked, 0);
    EXPECT_LE(walked, kDamaged);
}

// A field of a type nobody knows is carried along; it only fails when it is used.
TEST(WorkTableErrors, FieldOfUnknownTypeFailsWhenUsed) {
    TempFolder folder;
    test::writeBytes(folder.file("SOLUC.DBF"),
                     test::rawDbf(0x03, {{"DIA", 'N', 2}, {"RARO", 'Z', 4}, {"RARO2", '\x01', 1}},
                                  {"  1abcdx", "  2efghy"}));
    WorkTable table = WorkTable::open(folder.path(), "SOLUC", OpenMode::Shared);
    EXPECT_EQ(table.readInteger(table.column("DIA")), 1);
    const std::string tableLine = "\nTabla: " + folder.file("SOLUC.DBF");
    EXPECT_EQ(errorOf([&] { table.readText(table.column("RARO")); }),
              "El campo 'RARO' es de un tipo que no se puede usar (Z)." + tableLine);
    EXPECT_EQ(errorOf([&] { table.locate(table.column("RARO2"), "x"); }),
              "El campo 'RARO2' es de un tipo que no se puede usar ($01)." + tableLine);
    table.edit();
    EXPECT_EQ(errorOf([&] { table.writeText(table.column("RARO"), "x"); }),
              "El campo 'RARO' es de un tipo que no se puede usar (Z)." + tableLine);
    table.writeFloat(table.column("DIA"), 5);
    table.post();
    table.close();
    std::string bytes = test::readBytes(folder.file("SOLUC.DBF"));
    EXPECT_NE(bytes.find(" 5abcdx"), std::string::npos); // the unknown fields kept their bytes
}

} // namespace
} // namespace tts::tables
