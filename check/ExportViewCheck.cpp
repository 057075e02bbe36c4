#include "check/ExportViewCheck.h"

#include "base/Error.h"
#include "base/LocatedError.h"
#include "base/platform/Folders.h"
#include "export/DayCoding.h"
#include "export/ExportTables.h"
#include "export/SolucRows.h"
#include "tables/WorkTable.h"

#include <optional>

namespace tts::check {

namespace {

using tables::OpenMode;
using tables::WorkTable;

// The codes of one kind the tables did not find, the most frequent first, as many as the
// export's report lists, then how many more.
void reportMisses(const exporting::Fallback& misses, const char* what, const std::string& where,
                  Findings& out) {
    using exporting::Fallback;
    const std::vector<size_t> order = misses.byFrequency();
    for (size_t n = 0; n < order.size() && n < Fallback::kCodesShown; ++n) {
        const size_t c = order[n];
        const int64_t rows = misses.codeRows[c];
        out.push_back({"SOLUC.DBF", misses.firstRows[c],
                       std::string(what) + " " + quoted(misses.codes[c]) + " no est\xE1 en " +
                           where + " (" + std::to_string(rows) + (rows == 1 ? " fila)" : " filas)"),
                       false});
    }
    if (order.size() > Fallback::kCodesShown)
        out.push_back({"SOLUC.DBF", 0,
                       "y " + std::to_string(order.size() - Fallback::kCodesShown) +
                           " c\xF3"
                           "digos m\xE1s "
                           "de " +
                           what + " que no est\xE1n en " + where,
                       false});
}

// Values of the data lines that `what` says are wrong, at the first row of each, as many as the
// export's report lists, then how many more, which `whatOfMany` says in the plural.
void reportValues(const exporting::FieldValues& values, const char* what, const char* whatOfMany,
                  Findings& out) {
    using exporting::Fallback;
    using exporting::kDataFields;
    size_t shown = 0;
    for (const exporting::FieldValue& v : values.values) {
        if (shown++ == Fallback::kCodesShown)
            break;
        out.push_back({"SOLUC.DBF", v.firstRow,
                       std::string(kDataFields[v.field].what) + " " + quoted(v.value) + " " + what +
                           " (" + std::to_string(v.rows) + (v.rows == 1 ? " fila)" : " filas)"),
                       false});
    }
    if (values.values.size() > Fallback::kCodesShown)
        out.push_back({"SOLUC.DBF", 0,
                       "y " + std::to_string(values.values.size() - Fallback::kCodesShown) +
                           " valores m\xE1s que " + whatOfMany,
                       false});
}

// The export's own row loop, writing nothing: a row the export would stop on is a finding, and
// the loop goes on to the next row; a control byte written as it stands is a warning.
class FindingSink : public exporting::RowSink {
public:
    explicit FindingSink(Findings& out) : out_(out) {}
    void badRow(const LocatedError& error) override {
        out_.push_back({"SOLUC.DBF", error.where().line,
                        error.where().place +
                            ": la exportaci\xF3n se detendr\xED"
                            "a: " +
                            error.message(),
                        true});
    }
    void controlByte(const ValueLocation& where, char byte) override {
        controls_.add({"SOLUC.DBF", where.line,
                       where.place + ": el valor lleva " + exporting::controlByteName(byte) +
                           ", que se escribe tal cual en SICE_HORARIO.TXT",
                       false});
    }
    void row(int64_t, std::string_view) override {}

private:
    Findings& out_;
    CappedFindings controls_{out_, "valores m\xE1s con bytes de control"};
};

// Whether the table opens as the export opens it; says why not, and what its header declares.
bool openTable(const std::string& workFolder, const char* name, Findings& out) {
    try {
        WorkTable table = WorkTable::open(workFolder, name, OpenMode::ReadOnly);
        if (const std::string codePage = table.foreignCodePage(); !codePage.empty())
            out.push_back({std::string(name) + ".DBF", 0,
                           "la cabecera declara " + codePage +
                               "; el texto se toma tal como est\xE1 guardado, en Windows-1252, y "
                               "las letras acentuadas pueden salir cambiadas",
                           false});
        return true;
    } catch (const Error& error) {
        out.push_back({std::string(name) + ".DBF", 0,
                       "la exportaci\xF3n se detendr\xED"
                       "a: " +
                           error.message(),
                       true});
        return false;
    }
}

} // namespace

std::optional<exporting::DayCoding> checkDayCoding(const FoundSiceFiles& folder, Findings& out) {
    auto it = folder.find(sice::layout::Sessions::file);
    if (it == folder.end() || !it->second.exists || !it->second.readFailure.empty())
        return std::nullopt;
    try {
        return exporting::dayCodingFrom(sice::WholeFileLines(it->second.bytes));
    } catch (const Error& error) {
        out.push_back({it->second.storedName, 0,
                       "la exportaci\xF3n se detendr\xED"
                       "a: " +
                           error.message() + " (" + exporting::kDayCodingNeeds + ")",
                       true});
        return std::nullopt;
    }
}

void checkExportView(const FoundSiceFiles& folder, std::optional<exporting::DayCoding> coding,
                     const std::string& workFolder, Findings& out, EmptyCodes& empty) {
    // Each table apart first, so that every one the export would stop on is named.
    Findings opening;
    bool opened = true;
    for (const exporting::ExportTables::Named& named : exporting::ExportTables::kTables)
        opened = openTable(workFolder, named.table, opening) && opened;
    // A folder that may not be listed still opens a table spelled exactly, as the export does;
    // when that is not enough, the folder is said once rather than once for every table.
    std::vector<std::string> names;
    const platform::SystemError listing = platform::listFolder(workFolder, names);
    if (listing && !platform::isNotFound(listing)) {
        const std::string unreadable =
            "no se puede leer la carpeta de trabajo (" + platform::reasonInSpanish(listing) + "): ";
        if (!opened) {
            out.push_back({workFolder, 0,
                           unreadable + "la exportaci\xF3n se detendr\xED"
                                        "a",
                           true});
            return;
        }
        out.push_back(
            {workFolder, 0, unreadable + "solo se abren las tablas escritas exactamente", false});
    }
    out.insert(out.end(), opening.begin(), opening.end());
    if (!opened)
        return;
    try {
        exporting::ExportTables tables(workFolder, OpenMode::ReadOnly);
        const exporting::DayCoding mode = coding.value_or(exporting::DayCoding::Letters);
        const bool mismatch = coding && exporting::slotDaysDisagree(mode, tables.slotDays());
        if (mismatch)
            out.push_back({folder.at(sice::layout::Sessions::file).storedName, 2,
                           std::string("los d\xED"
                                       "as van con ") +
                               (mode == exporting::DayCoding::Letters ? "letras" : "n\xFAmeros") +
                               " y DIASHORAST los tiene con " +
                               (mode == exporting::DayCoding::Letters ? "n\xFAmeros" : "letras") +
                               ": ning\xFAn tramo de SOLUC tendr\xE1 c\xF3"
                               "digo; vuelva a importar",
                           true});

        exporting::ExportReport found;
        FindingSink sink(out);
        exporting::exportRows(tables, mode, found, sink);
        if (found.solucRows == 0)
            out.push_back({"SOLUC.DBF", 0,
                           "no tiene filas: la exportaci\xF3n sustituir\xED"
                           "a el horario anterior por uno vac\xEDo",
                           true});
        empty.groups += found.groups.emptyRows;
        empty.tasks += found.tasks.emptyRows;
        empty.rooms += found.rooms.emptyRows;
        reportMisses(found.groups, "grupo", "GRUPOST", out);
        reportMisses(found.tasks, "tarea", "ASIGNOMT (se escribe LEC)", out);
        reportMisses(found.rooms, "aula", "AULAT", out);
        // With the day coding at odds every slot misses: the finding above names the cause.
        if (!mismatch)
            reportMisses(found.slots,
                         "d\xED"
                         "a/hora",
                         "DIASHORAST (c\xF3"
                         "digo de tramo en blanco)",
                         out);
        reportValues(
            found.longValues,
            "no cabe en su columna: se escribe entero y SICE leer\xE1 mal la l\xEDnea",
            "no caben en su columna: se escriben enteros y SICE leer\xE1 mal sus l\xEDneas", out);
    } catch (const Error& error) {
        // A missing column: the export would stop on it the same way.
        out.push_back({"SOLUC.DBF", 0,
                       "la exportaci\xF3n se detendr\xED"
                       "a: " +
                           error.message(),
                       true});
    }
}

} // namespace tts::check
