#include "export/ExportTables.h"

#include "base/KeyIndex.h"
#include "base/Text.h"

#include <initializer_list>

namespace tts::exporting {

namespace schema = tables::schema;

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
      slots_(openForExport(workFolder, kTables[5], mode)),
      groupLookup_(groups_, schema::Groups::abrev, schema::Groups::abrevCorta),
      taskLookup_(subjects_, schema::Subjects::cod, schema::Subjects::codTarea),
      roomLookup_(rooms_, schema::Rooms::abrev, schema::Rooms::abrevCorta),
      slotDay_(slots_.column(schema::Slots::dia)), slotPeriod_(slots_.column(schema::Slots::hora)),
      slotCode_(slots_.column(schema::Slots::codDiho)) {}

std::optional<std::string_view> ExportTables::lookUp(Lookup& lookup, const std::string& key) {
    if (const std::optional<std::string>* known = lookup.answers.find(key))
        return viewOf(*known);
    std::optional<std::string> answer;
    if (lookup.table.locate(lookup.key, key))
        answer = lookup.table.readText(lookup.value);
    return viewOf(lookup.answers.add(key, std::move(answer)));
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
    if (slots_.locate({slotDay_, slotPeriod_}, {day, period}))
        answer = slots_.readText(slotCode_);
    return viewOf(slotAnswers_.add(slotKey_, std::move(answer)));
}

std::optional<std::string_view> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(groupLookup_, groupCode);
}

std::optional<std::string_view> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(taskLookup_, subjectCode);
}

std::optional<std::string_view> ExportTables::shortRoom(const std::string& roomCode) {
    return lookUp(roomLookup_, roomCode);
}

std::vector<std::string> ExportTables::slotDays() {
    std::vector<std::string> days;
    KeyIndex seen;
    for (slots_.first(); !slots_.atEnd(); slots_.next()) {
        std::string day = slots_.readText(slotDay_);
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
