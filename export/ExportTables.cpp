#include "export/ExportTables.h"

#include "base/KeyIndex.h"

#include <initializer_list>

namespace tts::exporting {

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
      slots_(openForExport(workFolder, kTables[5], mode)) {}

std::optional<std::string> ExportTables::lookUp(tables::WorkTable& table,
                                                const std::string& keyColumn,
                                                const std::string& key,
                                                const std::string& valueColumn) {
    if (!table.locate(keyColumn, key))
        return std::nullopt;
    return table.readText(valueColumn);
}

std::optional<std::string> ExportTables::slotCode(const std::string& day,
                                                  const std::string& period) {
    if (!slots_.locate({"DIA", "HORA"}, {day, period}))
        return std::nullopt;
    return slots_.readText("CODDIHO");
}

std::optional<std::string> ExportTables::shortGroup(const std::string& groupCode) {
    return lookUp(groups_, "ABREV", groupCode, "ABREVCORTA");
}

std::optional<std::string> ExportTables::taskCode(const std::string& subjectCode) {
    return lookUp(subjects_, "COD", subjectCode, "CODTAREA");
}

std::optional<std::string> ExportTables::shortRoom(const std::string& roomCode) {
    return lookUp(rooms_, "ABREV", roomCode, "ABREVCORTA");
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
