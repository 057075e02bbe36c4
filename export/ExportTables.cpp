#include "export/ExportTables.h"

#include "base/KeyIndex.h"
#include "base/Text.h"

#include <initializer_list>

namespace tts::exporting {

namespace {

std::optional<std::string_view> viewOf(const std::optional<std::string>& answer) {
    if (!answer)
        return std::nullopt;
    return std::string_view(*answer);
}

tables::WorkTable openForExport(const std::string& workFolder, const ExportTables::Named& named,
                                tables::OpenMode mode) {
    return tables::WorkTable::open(workFolder, named.table, mode, named.component);
}

} // namespace

ExportTables::ExportTables(const std::string& workFolder, tables::OpenMode mode)
    : soluc_(openForExport(workFolder, kTables[0], mode)),
      groups_(openForExport(workFolder, kTables[1], mode)),
      teachers_(openForExport(workFolder, kTables[2], mode)),
      rooms_(openForExport(workFolder, kTables[3], mode)),
      subjects_(openForExport(workFolder, kTables[4], mode)),
      slots_(openForExport(workFolder, kTables[5], mode)) {}

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
    KeyIndex seen;
    for (slots_.first(); !slots_.atEnd(); slots_.next()) {
        std::string day = slots_.readText("DIA");
        if (seen.add(day, days.size()).second)
            days.push_back(std::move(day));
    }
    return days;
}

void ExportTables::close() {
    for (tables::WorkTable* t : {&soluc_, &groups_, &teachers_, &rooms_, &subjects_, &slots_})
        t->close();
}

} // namespace tts::exporting
