#include "export/ExportTables.h"

#include "base/KeyIndex.h"

#include <initializer_list>

namespace tts::exporting {

namespace schema = tables::schema;

namespace {

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

std::optional<std::string> ExportTables::lookUp(const Lookup& lookup, const std::string& key) {
    if (!lookup.table.locate(lookup.key, key))
        return std::nullopt;
    return lookup.table.readText(lookup.value);
}

std::optional<std::string> ExportTables::slotCode(const std::string& day,
                                                  const std::string& period) {
    if (!slots_.locate({slotDay_, slotPeriod_}, {day, period}))
        return std::nullopt;
    return slots_.readText(slotCode_);
}

std::optional<std::string> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(groupLookup_, groupCode);
}

std::optional<std::string> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(taskLookup_, subjectCode);
}

std::optional<std::string> ExportTables::shortRoom(const std::string& roomCode) {
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
