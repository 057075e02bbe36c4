#include "export/ExportTables.h"

#include "base/Text.h"

#include <initializer_list>
#include <unordered_set>

namespace tts::exporting {

namespace {

std::optional<std::string_view> viewOf(const std::optional<std::string>& answer) {
    if (!answer)
        return std::nullopt;
    return std::string_view(*answer);
}

tables::WorkTable openForExport(const std::string& workFolder, const char* table,
                                const char* component) {
    return tables::WorkTable::open(workFolder, table, tables::OpenMode::Exclusive, component);
}

} // namespace

ExportTables::ExportTables(const std::string& workFolder)
    : soluc_(openForExport(workFolder, "SOLUC", "wwTableSoluc")),
      groups_(openForExport(workFolder, "GRUPOST", "wwTableGrupos")),
      teachers_(openForExport(workFolder, "PROFT", "wwTableProfesor")),
      rooms_(openForExport(workFolder, "AULAT", "wwTableAulas")),
      subjects_(openForExport(workFolder, "ASIGNOMT", "wwTableNomAsg")),
      slots_(openForExport(workFolder, "DIASHORAST", "wwTableTramos")) {}

std::optional<std::string_view>
ExportTables::lookUp(tables::WorkTable& table, const std::string& keyColumn, const std::string& key,
                     const std::string& valueColumn, AnswerCache& answers) {
    if (const std::optional<std::string>* known = answers.find(key))
        return viewOf(*known);
    std::optional<std::string> answer;
    if (table.locate(keyColumn, key))
        answer = table.readText(valueColumn);
    return viewOf(answers.add(key, std::move(answer)));
}

std::optional<std::string_view> ExportTables::slotCode(const std::string& day,
                                                       const std::string& period) {
    // The day's length first keeps the two parts of the key apart whatever bytes they hold.
    slotKey_.clear();
    appendKeyPart(slotKey_, day);
    slotKey_ += period;
    if (const std::optional<std::string>* known = slotAnswers_.find(slotKey_))
        return viewOf(*known);
    std::optional<std::string> answer;
    if (slots_.locate({"DIA", "HORA"}, {day, period}))
        answer = slots_.readText("CODDIHO");
    return viewOf(slotAnswers_.add(slotKey_, std::move(answer)));
}

std::optional<std::string_view> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(groups_, "ABREV", groupCode, "ABREVCORTA", groupAnswers_);
}

std::optional<std::string_view> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(subjects_, "COD", subjectCode, "CODTAREA", taskAnswers_);
}

std::optional<std::string_view> ExportTables::shortRoom(const std::string& roomCode) {
    return lookUp(rooms_, "ABREV", roomCode, "ABREVCORTA", roomAnswers_);
}

std::vector<std::string> ExportTables::slotDays() {
    std::vector<std::string> days;
    std::unordered_set<std::string> seen;
    for (slots_.first(); !slots_.atEnd(); slots_.next()) {
        std::string day = slots_.readText("DIA");
        if (seen.insert(day).second)
            days.push_back(std::move(day));
    }
    return days;
}

void ExportTables::close() {
    for (tables::WorkTable* t : {&soluc_, &groups_, &teachers_, &rooms_, &subjects_, &slots_})
        t->close();
}

} // namespace tts::exporting
