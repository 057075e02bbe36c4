#include "export/ExportTables.h"

#include <unordered_set>

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
                                                const std::string& valueColumn,
                                                Answers& answers) {
    if (auto known = answers.find(key); known != answers.end())
        return known->second;
    tables::WorkTable& t = tables_[table];
    std::optional<std::string> answer;
    if (t.locate(keyColumn, key))
        answer = t.readText(valueColumn);
    answers.emplace(key, answer);
    return answer;
}

std::optional<std::string> ExportTables::slotCode(const std::string& day,
                                                  const std::string& period) {
    // The day's length first keeps the two parts of the key apart whatever bytes they hold.
    std::string key = std::to_string(day.size()) + ':' + day + period;
    if (auto known = slots_.find(key); known != slots_.end())
        return known->second;
    tables::WorkTable& t = tables_[Slots];
    std::optional<std::string> answer;
    if (t.locate({"DIA", "HORA"}, {day, period}))
        answer = t.readText("CODDIHO");
    slots_.emplace(std::move(key), answer);
    return answer;
}

std::optional<std::string> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(Groups, "ABREV", groupCode, "ABREVCORTA", groups_);
}

std::optional<std::string> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(Subjects, "COD", subjectCode, "CODTAREA", tasks_);
}

std::optional<std::string> ExportTables::shortRoom(const std::string& roomCode) {
    return lookUp(Rooms, "ABREV", roomCode, "ABREVCORTA", rooms_);
}

std::vector<std::string> ExportTables::slotDays() {
    std::vector<std::string> days;
    std::unordered_set<std::string> seen;
    tables::WorkTable& t = tables_[Slots];
    for (t.first(); !t.atEnd(); t.next()) {
        std::string day = t.readText("DIA");
        if (seen.insert(day).second)
            days.push_back(std::move(day));
    }
    return days;
}

void ExportTables::close() {
    for (tables::WorkTable& t : tables_)
        t.close();
}

} // namespace tts::exporting
