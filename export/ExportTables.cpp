#include "export/ExportTables.h"

namespace tts::exporting {

namespace {

struct TableComponent {
    const char* table;
    const char* component;
};

// The window's order; the indexes below follow it.
const TableComponent kComponents[] = {
    {"SOLUC", "wwTableSoluc"},     {"GRUPOST", "wwTableGrupos"},  {"PROFT", "wwTableProfesor"},
    {"AULAT", "wwTableAulas"},     {"ASIGNOMT", "wwTableNomAsg"}, {"DIASHORAST", "wwTableTramos"},
};
enum : size_t { Soluc, Groups, Teachers, Rooms, Subjects, Slots };

} // namespace

ExportTables::ExportTables(const std::string& workFolder) {
    tables_.reserve(std::size(kComponents));
    for (const TableComponent& c : kComponents)
        tables_.push_back(tables::WorkTable::open(workFolder, c.table,
                                                  tables::OpenMode::Exclusive, c.component));
}

std::optional<std::string> ExportTables::lookUp(size_t table, const std::string& keyColumn,
                                                const std::string& key,
                                                const std::string& valueColumn) {
    tables::WorkTable& t = tables_[table];
    if (!t.locate(keyColumn, key))
        return std::nullopt;
    return t.readText(valueColumn);
}

std::optional<std::string> ExportTables::slotCode(const std::string& day,
                                                  const std::string& period) {
    tables::WorkTable& t = tables_[Slots];
    if (!t.locate({"DIA", "HORA"}, {day, period}))
        return std::nullopt;
    return t.readText("CODDIHO");
}

std::optional<std::string> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(Groups, "ABREV", groupCode, "ABREVCORTA");
}

std::optional<std::string> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(Subjects, "COD", subjectCode, "CODTAREA");
}

std::optional<std::string> ExportTables::shortRoom(const std::string& roomCode) {
    return lookUp(Rooms, "ABREV", roomCode, "ABREVCORTA");
}

void ExportTables::close() {
    for (tables::WorkTable& t : tables_)
        t.close();
}

} // namespace tts::exporting
