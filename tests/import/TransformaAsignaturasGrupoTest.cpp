#include "ImportFixture.h"
#include "base/Error.h"
#include "import/ImportSteps.h"
#include "tests/support/DbfBytes.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

namespace tts::import::test {

namespace {

struct GroupRow {
    std::string abrev, turno, nivel, curso, grupo;
};

void writeGroups(const std::string& folder, const std::vector<GroupRow>& groups) {
    using G = tables::schema::Groups;
    tables::WorkTable table = tables::WorkTable::createAfresh(folder, G::table);
    for (const GroupRow& g : groups) {
        table.append();
        table.writeText(table.column(G::abrev), g.abrev);
        table.writeText(table.column(G::turno), g.turno);
        table.writeText(table.column(G::nivel), g.nivel);
        table.writeText(table.column(G::curso), g.curso);
        table.writeText(table.column(G::grupo), g.grupo);
        table.post();
    }
    table.close();
}

std::string assignment(const std::string& group, const std::string& subject) {
    return columns({{1, " "}, {2, group}, {12, "yyyy"}, {16, subject}, {20, "zzz"}});
}

std::string course(const std::string& level, const std::string& courseCode,
                   const std::string& subject, const std::string& hours) {
    return columns({{1, " "},
                    {2, level},
                    {5, "ww"},
                    {8, courseCode},
                    {11, "descripci\xF3n"},
                    {24, subject},
                    {28, hours},
                    {34, "resto"}});
}

struct AssignmentRow {
    std::string casig, cgrup, ctarea, turno, nivel, curso, grupo, sesiones;
    double horas;
    bool operator==(const AssignmentRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const AssignmentRow& r) {
    return out << "{" << r.casig << "|" << r.cgrup << "|" << r.ctarea << "|" << r.turno << "|"
               << r.nivel << "|" << r.curso << "|" << r.grupo << "|" << r.horas << "|" << r.sesiones
               << "}";
}

std::vector<AssignmentRow> readAssignments(const std::string& folder) {
    tables::WorkTable table = tables::WorkTable::open(folder, "ASIGT", tables::OpenMode::ReadOnly);
    std::vector<AssignmentRow> rows;
    for (table.first(); !table.atEnd(); table.next()) {
        EXPECT_EQ(table.readText(table.column("CPROF")) + table.readText(table.column("CAULA")) +
                      table.readText(table.column("NCONEX")),
                  "");
        rows.push_back(
            {table.readText(table.column("CASIG")), table.readText(table.column("CGRUP")),
             table.readText(table.column("CTAREA")), table.readText(table.column("TURNO")),
             table.readText(table.column("NIVEL")), table.readText(table.column("CURSO")),
             table.readText(table.column("GRUPO")), table.readText(table.column("SESIONES")),
             table.readFloat(table.column("HORAS"))});
    }
    return rows;
}

std::string ones(int n) {
    return std::string(static_cast<size_t>(n), '1');
}

} // namespace

TEST(TransformaAsignaturasGrupo, GroupDataAndTheWeeklyHoursTable) {
    StepFixture f;
    writeGroups(f.work.path(), {{"1ESOA", "M", "ESO", "1", "A"},
                                {"1ESOA", "T", "BAC", "2", "X"}, // a later row of the same code
                                {"2BACB", "T", "BAC", "2", "B"}});
    struct Case {
        const char* hoursText;
        double horas;
        std::string sesiones;
    };
    const std::vector<Case> cases = {
        {"3", 3, "111"},
        {"2,5", 2.5, "11\xBD"},
        {"1.25", 1.25, "1\xBD"},
        {"", 1, "1"},
        {"0", 1, "1"},
        {"0,5", 1, "1"},
        {"-3", 1, "1"},
        // Raised before it reaches the column, however large the negative value.
        {"-1E20", 1, "1"},
        {"-5E300", 1, "1"},
        {"13", 13, ones(13)},
        {"14", 14, "1" + ones(13)},
        {"20", 20, "7" + ones(13)},
        {"25,5", 25.5, "12" + ones(13) + "\xBD"},
        {"1,5", 1.5, "1\xBD"},
        {"1.5", 1.5, "1\xBD"},
        {"1.5E1", 15, "2" + ones(13)},
    };
    std::vector<std::string> assignments;
    std::vector<std::string> courseLines;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string subject = "S" + std::to_string(10 + i);
        assignments.push_back(assignment("1ESOA", subject));
        courseLines.push_back(course("ESO", "1", subject, cases[i].hoursText));
    }
    // The first course line of a subject, level and course wins, for every row that has them.
    courseLines.push_back(course("ESO", "1", "S10", "9"));
    assignments.push_back(assignment("1ESOA", "S10"));
    // Level and course must match too: 2BACB is BAC 2, so only the BAC line applies.
    courseLines.push_back(course("BAC", "2", "S11", "4"));
    assignments.push_back(assignment("2BACB", "S11"));
    // A group code is compared with its case: 1esoa is not in GRUPOST, and a row without group
    // data matches only a course line whose level and course are blank.
    assignments.push_back(assignment("1esoa", "S12"));
    courseLines.push_back(course("", "", "S12", "6"));
    // No course line at all: one hour from the last pass.
    assignments.push_back(assignment("2BACB", "ZZZ"));
    assignments.push_back("");
    f.write("sice_asignatgrupo.txt", withFrame("SICE_ASIGNATGRUPO.TXT", assignments));
    f.write("sice_asignatcurso.txt", withFrame("SICE_ASIGNATCURSO.TXT", courseLines));
    f.run(TransformaAsignaturasGrupo);

    EXPECT_TRUE(f.host.messages.empty());
    std::vector<AssignmentRow> expected;
    for (size_t i = 0; i < cases.size(); ++i)
        expected.push_back({"S" + std::to_string(10 + i), "1ESOA", "*LEC", "M", "ESO", "1", "A",
                            cases[i].sesiones, cases[i].horas});
    expected.push_back({"S10", "1ESOA", "*LEC", "M", "ESO", "1", "A", "111", 3});
    expected.push_back({"S11", "2BACB", "*LEC", "T", "BAC", "2", "B", "1111", 4});
    expected.push_back({"S12", "1esoa", "*LEC", "", "", "", "", "111111", 6});
    expected.push_back({"ZZZ", "2BACB", "*LEC", "T", "BAC", "2", "B", "1", 1});
    expected.push_back({"", "", "*LEC", "", "", "", "", "1", 1});
    EXPECT_EQ(readAssignments(f.work.path()), expected);
    EXPECT_EQ(f.tableReport("ASIGT").rowsWritten, static_cast<int64_t>(expected.size()));
    EXPECT_TRUE(f.tableReport("ASIGT").rebuilt);
}

TEST(TransformaAsignaturasGrupo, WithoutTheCourseFileHoursStayEmpty) {
    StepFixture f;
    writeGroups(f.work.path(), {{"1ESOA", "M", "ESO", "1", "A"}});
    f.write("sice_asignatgrupo.txt", {assignment("1ESOA", "MAT"), assignment("1ESOA", "MAT")});
    f.run(TransformaAsignaturasGrupo);

    EXPECT_EQ(f.host.messages,
              std::vector<std::string>{"No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)"});
    EXPECT_EQ(f.host.result(), 1);
    const AssignmentRow row{"MAT", "1ESOA", "*LEC", "M", "ESO", "1", "A", "", 0};
    EXPECT_EQ(readAssignments(f.work.path()), (std::vector<AssignmentRow>{row, row}));
}

TEST(TransformaAsignaturasGrupo, MissingAssignmentsFileLeavesTheTable) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "ASIGT");
    f.write("sice_asignatcurso.txt", {course("ESO", "1", "MAT", "3")});
    f.run(TransformaAsignaturasGrupo);

    EXPECT_EQ(f.host.messages,
              std::vector<std::string>{"No existe archivo de grupos (SICE_ASIGNATGRUPO.TXT)"});
    EXPECT_EQ(f.host.result(), -1);
    EXPECT_TRUE(isSentinelTable(f.work.path(), "ASIGT"));
}

// A failure half-way keeps the previous ASIGT whole instead of a half-built one. When two passes
// would fail, the user hears of the earlier pass: a missing GRUPOST before bad hours, and no
// notice about the course file.
TEST(TransformaAsignaturasGrupo, FailuresKeepThePreviousTable) {
    struct Case {
        const char* what;
        bool withGroups;
        const char* hoursText; // nullptr: no course file
        std::string message;   // empty: the table layer's, not a conversion's
    };
    const std::vector<Case> cases = {
        {"hours that are not a number", true, "x,5",
         "'x.5' no es un valor punto flotante v\xE1lido"},
        {"two decimal points", true, "1.2.3", "'1.2.3' no es un valor punto flotante v\xE1lido"},
        {"no GRUPOST to read", false, "3", ""},
        {"no GRUPOST, bad hours", false, "x", ""},
        {"no GRUPOST, no course file", false, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StepFixture f;
        if (c.withGroups)
            writeGroups(f.work.path(), {{"1ESOA", "M", "ESO", "1", "A"}});
        writeSentinelTable(f.work.path(), "ASIGT");
        f.write("sice_asignatgrupo.txt", {assignment("1ESOA", "LEN"), assignment("1ESOA", "MAT")});
        if (c.hoursText)
            f.write("sice_asignatcurso.txt",
                    {course("ESO", "1", "LEN", "4"), course("ESO", "1", "MAT", c.hoursText)});
        const std::vector<std::string> filesBefore = f.work.names();
        try {
            f.run(TransformaAsignaturasGrupo);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            if (!c.message.empty())
                EXPECT_EQ(error.message(), c.message);
            else
                EXPECT_EQ(error.message().find("no es un valor"), std::string::npos)
                    << error.message();
            EXPECT_FALSE(error.message().empty());
        }
        EXPECT_TRUE(f.host.messages.empty());
        EXPECT_TRUE(isSentinelTable(f.work.path(), "ASIGT"));
        EXPECT_EQ(f.work.names(), filesBefore); // no staging file left behind
        EXPECT_FALSE(f.tableReport("ASIGT").rebuilt);
    }
}

// The passes one after the other: the groups' pass fails on the second row, the hours' pass on
// the first; the groups' pass runs first, so its failure is the one the user hears of.
TEST(TransformaAsignaturasGrupo, AGroupsFailureOnALaterRowComesBeforeAnEarlierHoursFailure) {
    StepFixture f;
    using tts::test::RawField;
    const std::vector<RawField> fields = {{"ABREV", 'C', 10},
                                          {"TURNO", 'N', 1},
                                          {"NIVEL", 'C', 5},
                                          {"CURSO", 'C', 3},
                                          {"GRUPO", 'C', 2}};
    tts::test::writeBytes(
        f.work.file("GRUPOST.DBF"),
        tts::test::rawTable({}, fields,
                            {tts::test::rawRecord(fields, {"1ESOA", "1", "ESO", "1", "A"}),
                             tts::test::rawRecord(fields, {"2ESOB", "x", "ESO", "2", "B"})}));
    writeSentinelTable(f.work.path(), "ASIGT");
    f.write("sice_asignatgrupo.txt", {assignment("1ESOA", "LEN"), assignment("2ESOB", "MAT")});
    f.write("sice_asignatcurso.txt", {course("ESO", "1", "LEN", "x")});
    try {
        f.run(TransformaAsignaturasGrupo);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(
            error.message().rfind("El campo 'TURNO' contiene un valor que no es un n\xFAmero: "
                                  "'x'.",
                                  0),
            0u)
            << error.message();
    }
    EXPECT_TRUE(isSentinelTable(f.work.path(), "ASIGT"));
}

} // namespace tts::import::test
