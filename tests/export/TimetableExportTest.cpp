#include "ExportFixture.h"
#include "base/Error.h"
#include "base/LocatedError.h"
#include "export/TimetableLines.h"
#include "export/TimetableExport.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/RecordingRunHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace tts::test {
namespace {

using exporting::LocalDateTime;
using exporting::runExport;

const std::string kName = "SICE_HORARIO.TXT" + std::string(34, ' ');

class TimetableExport : public ::testing::Test {
protected:
    ExportFixture f;
    RecordingRunHost host;
    exporting::ExportReport report;
    int clockCalls = 0;
    FixedClock clock{{2024, 9, 5, 8, 7}, &clockCalls};

    void SetUp() override {
        f.writeStandardSiceFiles();
        f.createStandardTables();
    }

    void run(RunHost& h) { runExport(h, f.sice.path(), f.work.path(), &report, clock); }
    void run() { run(host); }

    // What the export must leave after an error: the old file, a normal pointer, no result,
    // the buttons enabled, the window open.
    void expectStoppedCleanly(const RecordingRunHost& h, const std::string& oldFile) {
        EXPECT_EQ(f.output(), oldFile);
        EXPECT_FALSE(h.busy);
        ASSERT_FALSE(h.events.empty());
        EXPECT_EQ(h.events.back(), "busy:off");
        EXPECT_TRUE(h.messages.empty());
        EXPECT_FALSE(h.jobsDisabled);
        EXPECT_EQ(h.closeCount, 0);
        EXPECT_FALSE(report.finished);
    }
};

// Another program (a child process) can open every one of the six tables that exists for
// exclusive use.
bool tablesFreeForAnotherProgram(const std::string& work) {
    const ChildOutcome outcome = runInChild([&] {
        for (const char* name : {"SOLUC", "GRUPOST", "PROFT", "AULAT", "ASIGNOMT", "DIASHORAST"})
            if (std::filesystem::exists(work + "/" + name + ".DBF"))
                tables::WorkTable::open(work, name, tables::OpenMode::Exclusive).close();
        return std::string();
    });
    return outcome.exitedNormally && outcome.exitCode == 0;
}

TEST_F(TimetableExport, WholeFileByteForByte) {
    f.createSoluc({
        {1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},
        {0, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},              // DIA 0: skipped
        {std::nullopt, 2, "P001", "1ESOA", "MAT", "MAT", "AULA1"},   // no DIA: skipped
        {1, 2, "PROFESOR1", "2BACH-CIEN", "*GUA", "GUA", "LAB-FIS"}, // long codes push right
        {2, 1, "P002", "3ESOB", "XYZ", "LEN", "GIMNASIO"},           // fallbacks
        {3, 9, "P003", "1ESOA", "LEN", "LEN", ""},                   // no slot, empty room
        {10, 1, "P004", "", "MAT", "MAT", "AULA1"},                  // day 10, empty group
        {2, 1, "P002", "3ESOB", "XYZ", "LEN", "GIMNASIO"},           // same fallbacks again
    });
    writeBytes(f.outputPath(), "an older timetable\r\n");

    run();

    const std::string expectedBytes = crlfLines({
        "0" + kName + "HC2024  050920240807",
        "1C01 LP0011A      MAT A1  ",
        "1C02 LPROFESOR12BC GUARDGUA LABF",
        "1C11 MP0023ESOLEC LEN GIMN",
        "1    XP0031A      LEN     ",
        "1    10P004        MAT A1  ",
        "1C11 MP0023ESOLEC LEN GIMN",
        "9" + kName + "HC2024  0509202408076",
    });
    EXPECT_EQ(f.output(), expectedBytes);
    EXPECT_EQ(clockCalls, 2);

    EXPECT_EQ(host.events,
              (std::vector<std::string>{"busy:on", "busy:off", "result:1",
                                        "message:Proceso finalizado", "warnings:5", "disable"}));
    EXPECT_EQ(host.warnings, report.warnings);
    EXPECT_TRUE(report.folderFound);
    EXPECT_TRUE(report.finished);
    EXPECT_EQ(report.linesWritten, 6);
    EXPECT_EQ(report.groups.rows, 2);
    EXPECT_EQ(report.groups.codes, (std::vector<std::string>{"3ESOB"}));
    EXPECT_EQ(report.groups.codeRows, (std::vector<int64_t>{2}));
    EXPECT_EQ(report.groups.emptyRows, 1);
    EXPECT_EQ(report.tasks.rows, 2);
    EXPECT_EQ(report.tasks.codes, (std::vector<std::string>{"XYZ"}));
    EXPECT_EQ(report.rooms.rows, 2);
    EXPECT_EQ(report.rooms.codes, (std::vector<std::string>{"GIMNASIO"}));
    EXPECT_EQ(report.rooms.emptyRows, 1);
    EXPECT_EQ(report.slots.rows, 2);
    EXPECT_EQ(report.slots.codes, (std::vector<std::string>{"X/9", "10/1"}));
    EXPECT_EQ(report.slots.codeRows, (std::vector<int64_t>{1, 1}));
    EXPECT_TRUE(tablesFreeForAnotherProgram(f.work.path()));
}

// The warnings, when there are any, come after "Proceso finalizado" and before the close.
TEST_F(TimetableExport, EmbeddedClosesTheWindowAfterTheMessages) {
    for (const int day : {1, 5}) { // Friday has no slot in DIASHORAST
        SCOPED_TRACE(day);
        f.createSoluc({{day, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
        RecordingRunHost embedded(true);
        run(embedded);
        std::vector<std::string> expected = {
            "busy:on", "busy:off", "result:1", "message:Proceso finalizado", "disable", "close"};
        if (day == 5)
            expected.insert(expected.begin() + 4, "warnings:1");
        EXPECT_EQ(embedded.events, expected);
        EXPECT_EQ(embedded.result(), 1);
    }
}

TEST_F(TimetableExport, NoRowWithADayGivesHeaderAndTrailerCountingZero) {
    for (const auto& rows : {std::vector<SolucFixtureRow>{},
                             std::vector<SolucFixtureRow>{
                                 {0, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},
                                 {std::nullopt, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}}}) {
        f.createSoluc(rows);
        run();
        EXPECT_EQ(f.output(), crlfLines({"0" + kName + "HC2024  050920240807",
                                         "9" + kName + "HC2024  0509202408070"}));
        EXPECT_EQ(report.linesWritten, 0);
    }
}

TEST_F(TimetableExport, HeaderCodeMissingOrShort) {
    f.createSoluc({});
    f.writeSubjects({"1MAT Matematicas"});
    run();
    EXPECT_EQ(f.output(), crlfLines({"0" + kName + "        050920240807",
                                     "9" + kName + "        0509202408070"}));

    f.writeSubjects({"1MAT", "0SICE_ASIGNAT.TXT" + std::string(34, ' ') + "AB3"});
    run();
    EXPECT_EQ(f.output(), crlfLines({"0" + kName + "AB3     050920240807",
                                     "9" + kName + "AB3     0509202408070"}));
}

TEST_F(TimetableExport, TimeStampsAreTakenForHeaderAndTrailerApart) {
    f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
    // The last minute of a year passes while the data lines are built.
    std::vector<LocalDateTime> moments = {{2024, 12, 31, 23, 59}, {2025, 1, 1, 0, 0}};
    size_t next = 0;
    runExport(host, f.sice.path(), f.work.path(), &report, [&] { return moments.at(next++); });
    EXPECT_EQ(f.output(),
              crlfLines({"0" + kName + "HC2024  311220242359", "1C01 LP0011A      MAT A1  ",
                         "9" + kName + "HC2024  0101202500001"}));
}

// DIASHORAST keeps SICE's day codes as they were; only codes of the file's own mode match.
TEST_F(TimetableExport, DayCodesMatchOnlyInTheirOwnMode) {
    f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"},
                   {2, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
    const std::string digitSessions = ExportFixture::sessionLine("S11 ", '1', "0800", "0855");
    const std::string header = "0" + kName + "HC2024  050920240807";
    const std::string trailer = "9" + kName + "HC2024  0509202408072";

    // Number mode, slots coded with letters: no slot.
    f.writeSessions({"0SICE_SESIONES.TXT", digitSessions});
    run();
    EXPECT_EQ(f.output(), crlfLines({header, "1    1P0011A      MAT A1  ",
                                     "1    2P0011A      MAT A1  ", trailer}));
    EXPECT_TRUE(report.dayCodingMismatch); // named as the cause of the blank slot codes

    // Number mode, slots coded with digits: the first matching row wins.
    f.createSlots({{"S11", "1", "1"}, {"S21", "2", "1"}, {"DUP", "2", "1"}});
    run();
    EXPECT_EQ(f.output(), crlfLines({header, "1S11 1P0011A      MAT A1  ",
                                     "1S21 2P0011A      MAT A1  ", trailer}));
    EXPECT_FALSE(report.dayCodingMismatch);

    // Letter mode, slots coded with digits: no slot.
    f.writeStandardSiceFiles();
    run();
    EXPECT_EQ(f.output(), crlfLines({header, "1    LP0011A      MAT A1  ",
                                     "1    MP0011A      MAT A1  ", trailer}));
    EXPECT_TRUE(report.dayCodingMismatch);
}

// A DIA held with decimals is its rounded whole number, in the line and for the slot alike.
TEST_F(TimetableExport, ADayWithDecimalsIsWrittenAndLookedUpRounded) {
    using tables::Column;
    auto t = tables::WorkTable::createAfresh(
        f.work.path(), "SOLUC",
        {Column::floating("DIA"), Column::text("HORA", 4), Column::text("PROF", 10),
         Column::text("CODGRUPO", 10), Column::text("TAREA", 10), Column::text("ASIG", 10),
         Column::text("AULA", 10)});
    for (double day : {1.6, 0.4, 1.2}) {
        t.append();
        t.writeFloat(t.column("DIA"), day);
        t.writeText(t.column("HORA"), "1");
        t.writeText(t.column("ASIG"), "MAT");
        t.post();
    }
    t.close();
    run();
    EXPECT_EQ(f.output(),
              crlfLines({"0" + kName + "HC2024  050920240807", "1C11 M        LEC MAT     ",
                         "1C01 L        LEC MAT     ", "9" + kName + "HC2024  0509202408072"}));
    EXPECT_EQ(report.slots.rows, 0);
}

TEST_F(TimetableExport, MissingFolder) {
    const std::string missing = f.sice.path() + "/no-such-folder";
    const std::string aFile = f.sice.file("sice_asignat.txt");
    for (const std::string& folder : {missing, aFile}) {
        RecordingRunHost standalone(false, -1);
        runExport(standalone, folder, f.work.path(), &report, clock);
        EXPECT_EQ(standalone.events, (std::vector<std::string>{"message:No existe la carpeta"}));
        EXPECT_EQ(standalone.result(), -1);
        EXPECT_FALSE(report.folderFound);

        RecordingRunHost embedded(true, 1);
        runExport(embedded, folder, f.work.path(), &report, clock);
        EXPECT_EQ(embedded.events,
                  (std::vector<std::string>{"message:No existe la carpeta", "result:0", "close"}));
    }
    EXPECT_EQ(clockCalls, 0);
}

// Every stop leaves the old SICE_HORARIO.TXT as it was, the pointer normal and no table locked,
// so that the user can put the cause right and export again in the same session.
TEST_F(TimetableExport, AStopLeavesTheOldFileAndNoLockBehind) {
    using tables::Column;
    const std::vector<Column> solucColumns = {
        Column::integer("DIA"),       Column::integer("HORA"),   Column::text("PROF", 10),
        Column::text("CODGRUPO", 10), Column::text("TAREA", 10), Column::text("ASIG", 10),
        Column::text("AULA", 10)};
    const SolucFixtureRow goodRow{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"};

    struct Case {
        const char* name;
        std::function<void()> breakIt;
        std::function<void()> repair;
        std::string message;    // a prefix when it ends with "..."
        std::string where = {}; // the SOLUC row and column named, for a value that stops it
    };
    const auto breakingRow = [&](SolucFixtureRow bad) {
        return [this, goodRow, bad] { f.createSoluc({goodRow, bad}); };
    };
    const auto goodSoluc = [&] { f.createSoluc({goodRow, goodRow}); };
    // DIA kept as text, as a host may keep it: a good row, then one whose day is `day`.
    const auto textDayRow = [&](const std::string& day) {
        return [&, day] {
            auto columns = solucColumns;
            columns[0] = Column::text("DIA", 2);
            auto t = tables::WorkTable::createAfresh(f.work.path(), "SOLUC", columns);
            for (const std::string& d : {std::string("1"), day}) {
                t.append();
                t.writeText(t.column("DIA"), d);
                t.writeFloat(t.column("HORA"), 1);
                t.writeText(t.column("PROF"), "P001");
                t.writeText(t.column("CODGRUPO"), "1ESOA");
                t.writeText(t.column("TAREA"), "MAT");
                t.writeText(t.column("ASIG"), "MAT");
                t.writeText(t.column("AULA"), "AULA1");
                t.post();
            }
            t.close();
        };
    };
    const std::string soluc = f.work.file("SOLUC.DBF");
    const std::string breaks = ", que no puede ir en una l\xEDnea de SICE_HORARIO.TXT";
    const std::vector<Case> cases = {
        {"subjects file missing", [&] { std::remove(f.sice.file("sice_asignat.txt").c_str()); },
         [&] { f.writeStandardSiceFiles(); },
         "Cannot open file \"" + f.sice.file("sice_asignat.txt") + "\". ..."},
        {"sessions file missing", [&] { std::remove(f.sice.file("sice_sesiones.txt").c_str()); },
         [&] { f.writeStandardSiceFiles(); },
         "Cannot open file \"" + f.sice.file("sice_sesiones.txt") + "\". ..."},
        {"sessions file of one line", [&] { f.writeSessions({"0SICE_SESIONES.TXT"}); },
         [&] { f.writeStandardSiceFiles(); },
         "List index out of bounds (1).\nArchivo: " + f.sice.file("sice_sesiones.txt") +
             "\nMotivo: necesita al menos dos l\xEDneas"},
        {"SOLUC without DIA",
         [&] {
             auto columns = solucColumns;
             columns.erase(columns.begin());
             auto t = tables::WorkTable::createAfresh(f.work.path(), "SOLUC", columns);
             t.append();
             t.writeText(t.column("PROF"), "P001");
             t.post();
             t.close();
         },
         [&] {
             f.createSoluc({goodRow, goodRow});
         },
         "wwTableSoluc: No se encuentra el campo 'DIA'"},
        {"DIASHORAST without CODDIHO, found on the first row",
         [&] {
             auto t = tables::WorkTable::createAfresh(
                 f.work.path(), "DIASHORAST", {Column::text("DIA", 20), Column::text("HORA", 8)});
             t.append();
             t.writeText(t.column("DIA"), "L");
             t.writeText(t.column("HORA"), "1");
             t.post();
             t.close();
         },
         [&] { f.createStandardTables(); }, "wwTableTramos: No se encuentra el campo 'CODDIHO'"},
        {"AULAT missing", [&] { std::remove(f.work.file("AULAT.DBF").c_str()); },
         [&] { f.createStandardTables(); }, "No se encuentra la tabla...."},
        {"a CR in a teacher", breakingRow({1, 1, "P0\r1", "1ESOA", "MAT", "MAT", "AULA1"}),
         goodSoluc, "El valor lleva un retorno de carro (CR)" + breaks, soluc + ":2: campo PROF"},
        {"a LF in a group the tables do not know",
         breakingRow({1, 1, "P001", "1\nXX", "MAT", "MAT", "AULA1"}), goodSoluc,
         "El valor lleva un salto de l\xEDnea (LF)" + breaks, soluc + ":2: campo CODGRUPO"},
        {"a Ctrl-Z after a control byte in a subject",
         breakingRow({1, 1, "P001", "1ESOA", "MAT", "M\x01\x1A", "AULA1"}), goodSoluc,
         "El valor lleva una marca de fin de archivo (Ctrl-Z)" + breaks, soluc + ":2: campo ASIG"},
        {"a CR after a day kept as text", textDayRow("1\r"), goodSoluc,
         "El valor lleva un retorno de carro (CR)" + breaks, soluc + ":2: campo DIA"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.writeStandardSiceFiles();
        f.createStandardTables();
        f.createSoluc({goodRow, goodRow});
        const std::string oldFile = "an older timetable\r\n";
        writeBytes(f.outputPath(), oldFile);
        c.breakIt();

        RecordingRunHost failing(false, 0);
        try {
            run(failing);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            const std::string& m = c.message;
            if (m.size() >= 3 && m.compare(m.size() - 3, 3, "...") == 0)
                EXPECT_EQ(e.message().substr(0, m.size() - 3), m.substr(0, m.size() - 3));
            else
                EXPECT_EQ(e.message(), m);
            EXPECT_FALSE(e.message().empty());
            const auto* located = dynamic_cast<const LocatedError*>(&e);
            if (!c.where.empty()) {
                ASSERT_NE(located, nullptr);
                EXPECT_EQ(located->where().text(), c.where);
            }
        }
        expectStoppedCleanly(failing, oldFile);
        EXPECT_EQ(failing.result(), 0);
        EXPECT_TRUE(tablesFreeForAnotherProgram(f.work.path()));

        c.repair();
        RecordingRunHost second;
        run(second);
        EXPECT_TRUE(report.finished);
        EXPECT_EQ(report.linesWritten, 2);
        EXPECT_EQ(second.result(), 1);
    }
}

TEST_F(TimetableExport, ATableHeldByAnotherProgramStopsTheExport) {
    f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
    writeBytes(f.outputPath(), "old\r\n");
    ForkedChild holder([&](ChildSide& side) {
        auto t = tables::WorkTable::open(f.work.path(), "ASIGNOMT", tables::OpenMode::Exclusive);
        side.tell("held");
        side.awaitRelease();
        return 0;
    });
    ASSERT_EQ(holder.nextMessage(), "held");

    try {
        run();
        ADD_FAILURE() << "exported while ASIGNOMT was held by another program";
    } catch (const Error& e) {
        EXPECT_EQ(e.message().rfind("La tabla est\xE1 en uso.", 0), 0u) << e.message();
    }
    expectStoppedCleanly(host, "old\r\n");

    holder.release();
    const ChildOutcome held = holder.wait();
    EXPECT_TRUE(held.exitedNormally && held.exitCode == 0) << held.report;

    RecordingRunHost second;
    run(second);
    EXPECT_EQ(second.result(), 1);
    EXPECT_EQ(report.linesWritten, 1);
}

// Root may write anywhere, so the writer is an unprivileged user in a child process.
TEST_F(TimetableExport, AFolderThatCannotBeWrittenKeepsTheOldFile) {
    f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
    writeBytes(f.outputPath(), "old\r\n");
    ASSERT_EQ(chmod(f.work.path().c_str(), 0777), 0);
    for (const char* table : {"SOLUC", "GRUPOST", "PROFT", "AULAT", "ASIGNOMT", "DIASHORAST"})
        ASSERT_EQ(chmod(f.work.file(std::string(table) + ".DBF").c_str(), 0666), 0);
    ASSERT_EQ(chmod(f.sice.path().c_str(), 0555), 0);

    const ChildOutcome child = runInChild(
        [&] {
            RecordingRunHost h;
            try {
                run(h);
            } catch (const Error& e) {
                return h.busy ? "busy pointer left on: " + e.message() : e.message();
            }
            return std::string("finished without an error");
        },
        ChildUser::Nobody);
    chmod(f.sice.path().c_str(), 0755);

    ASSERT_TRUE(child.exitedNormally);
    ASSERT_EQ(child.exitCode, 0) << child.report;
    EXPECT_EQ(child.report.rfind("Cannot create file \"" + f.outputPath() + "\". ", 0), 0u)
        << child.report;
    EXPECT_EQ(f.output(), "old\r\n");
}

// Each warning names what went wrong and what was written instead; codes that are found, and
// empty codes (a guard duty has no group), give none.
TEST_F(TimetableExport, WarningsNameWhatWasWrittenInstead) {
    struct Case {
        const char* name;
        std::vector<SolucFixtureRow> rows;
        std::vector<std::string> inWarnings; // each in one warning line, in order
    };
    const SolucFixtureRow found{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"};
    const std::vector<Case> cases = {
        {"all found, some codes empty",
         {found, {1, 2, "P001", "", "", "MAT", ""}, {2, 1, "P001", "2BACH-CIEN", "LEN", "", ""}},
         {}},
        {"unknown group",
         {found, {1, 1, "P001", "4ESOA-D", "MAT", "MAT", "AULA1"}},
         {"1 lecci\xF3n tiene un grupo que no est\xE1 en GRUPOST ('4ESOA-D')"}},
        {"unknown task",
         {{1, 1, "P001", "1ESOA", "*CCP", "MAT", "AULA1"}},
         {"('*CCP'): se escribe como LEC"}},
        {"unknown rooms, most frequent first",
         {{1, 1, "P001", "1ESOA", "MAT", "MAT", "R1"},
          {1, 1, "P001", "1ESOA", "MAT", "MAT", "R2"},
          {1, 1, "P001", "1ESOA", "MAT", "MAT", "R2"},
          {1, 1, "P001", "1ESOA", "MAT", "MAT", "R3"},
          {1, 1, "P001", "1ESOA", "MAT", "MAT", "R4"},
          {1, 1, "P001", "1ESOA", "MAT", "MAT", "R5"}},
         {"6 lecciones tienen un aula que no est\xE1 en AULAT ('R2', 'R1', 'R3' y 2 m\xE1s)"}},
        {"no slot", {{3, 9, "P001", "1ESOA", "MAT", "MAT", "AULA1"}}, {"('X/9'): se escribe sin"}},
        {"codes longer than their field",
         {{1, 1, "LONGPROFXX", "1ESOA", "MAT", "MAT", "AULA1"},
          {1, 2, "LONGPROFXX", "1ESOA", "*GUA", "MAT", "AULA1"}},
         {"2 lecciones tienen c\xF3"
          "digos m\xE1s largos que su columna (profesor 'LONGPROFXX', tarea 'GUARD')"}},
        {"SOLUC without rows", {}, {"SOLUC no tiene filas: el horario anterior"}},
        {"no row with a day", {{0, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}}, {"tiene d\xED"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.createSoluc(c.rows);
        RecordingRunHost h;
        run(h);
        ASSERT_TRUE(report.finished);
        ASSERT_EQ(report.warnings.size(), c.inWarnings.size());
        for (size_t i = 0; i < c.inWarnings.size(); ++i)
            EXPECT_NE(report.warnings[i].find(c.inWarnings[i]), std::string::npos)
                << report.warnings[i];
        EXPECT_EQ(h.warnings, report.warnings);
    }
    EXPECT_EQ(report.solucRows, 1);
    EXPECT_EQ(report.linesWritten, 0);
}

TEST_F(TimetableExport, LongValuesAreCountedByFieldAndValue) {
    f.createSoluc({{1, 1, "LONGPROFXX", "1ESOA", "MAT", "MAT", "AULA1"},
                   {1, 2, "P001", "1ESOA", "MAT", "MATEM", "AULA1"},
                   {1, 1, "LONGPROFXX", "1ESOA", "MAT", "MATEM", "AULA1"}});
    run();
    EXPECT_EQ(report.longValues.rows, 3);
    ASSERT_EQ(report.longValues.values.size(), 2u);
    const exporting::FieldValue& teacher = report.longValues.values[0];
    EXPECT_EQ(std::string(exporting::kDataFields[teacher.field].what), "profesor");
    EXPECT_EQ(teacher.value, "LONGPROFXX");
    EXPECT_EQ(teacher.rows, 2);
    EXPECT_EQ(teacher.firstRow, 1);
    const exporting::FieldValue& subject = report.longValues.values[1];
    EXPECT_EQ(std::string(exporting::kDataFields[subject.field].what), "asignatura");
    EXPECT_EQ(subject.rows, 2);
    EXPECT_EQ(subject.firstRow, 2);
}

// Days coded one way in sice_sesiones.txt and the other in DIASHORAST: one warning names the
// cause instead of one per slot.
TEST_F(TimetableExport, ADayCodingMismatchIsOneWarning) {
    f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
    f.writeSessions(
        {"0SICE_SESIONES.TXT", ExportFixture::sessionLine("S11 ", '1', "0800", "0855")});
    run();
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("vuelva a importar"), std::string::npos);
}

// The stop on a sessions file too short to tell the day coding says which file and why.
TEST_F(TimetableExport, AShortSessionsFileStopsNamingIt) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{}, std::vector<std::string>{"0SICE_SESIONES.TXT"}}) {
        f.writeSessions(lines);
        f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const LocatedError& e) {
            EXPECT_EQ(e.message().rfind("List index out of bounds (1).", 0), 0u);
            EXPECT_EQ(e.where().file, f.sice.file("sice_sesiones.txt"));
            EXPECT_EQ(e.where().line, 0);
            EXPECT_EQ(e.where().place, "necesita al menos dos l\xEDneas");
        }
    }
}

} // namespace
} // namespace tts::test
