#pragma once

#include "tables/WorkTable.h"

#include <optional>
#include <string>
#include <vector>

namespace tts::exporting {

// The six work tables the export holds open for exclusive use, opened in the window's order
// (kTables) under the names of its components, so a missing column reads "wwTableSoluc: No se
// encuentra el campo 'DIA'". Whatever was opened is closed again when the object goes, also while
// an error unwinds, so a second try is never locked out by our own first one.
class ExportTables {
public:
    // The folder check opens them read-only, to look up as the export does without holding them.
    explicit ExportTables(const std::string& workFolder,
                          tables::OpenMode mode = tables::OpenMode::Exclusive);
    ExportTables(const ExportTables&) = delete; // its lookups hold its tables
    ExportTables& operator=(const ExportTables&) = delete;

    // The tables in the window's order, which is the order they open and close in, each with
    // the name of its component.
    struct Named {
        const char* table;
        const char* component;
    };
    static constexpr Named kTables[] = {{tables::schema::Timetable::table.name, "wwTableSoluc"},
                                        {tables::schema::Groups::table.name, "wwTableGrupos"},
                                        {tables::schema::Teachers::table.name, "wwTableProfesor"},
                                        {tables::schema::Rooms::table.name, "wwTableAulas"},
                                        {tables::schema::Subjects::table.name, "wwTableNomAsg"},
                                        {tables::schema::Slots::table.name, "wwTableTramos"}};

    tables::WorkTable& soluc() { return soluc_; }

    // Each lookup takes the first row in stored order that matches exactly; the table layer
    // indexes a column on its first locate, so every later one costs O(1). The text of the
    // value column, or nothing when no row matches.
    std::optional<std::string> slotCode(const std::string& day, const std::string& period);
    std::optional<std::string> shortGroup(const std::string& groupCode);
    std::optional<std::string> taskCode(const std::string& subjectCode);
    std::optional<std::string> shortRoom(const std::string& roomCode);

    // The DIA of every DIASHORAST row, distinct.
    std::vector<std::string> slotDays();

    // In the order they were opened.
    void close();

private:
    // A table's key column and the column its answer comes from.
    struct Lookup {
        Lookup(tables::WorkTable& table, const tables::DeclaredColumn& keyColumn,
               const tables::DeclaredColumn& valueColumn)
            : table(table), key(table.column(keyColumn)), value(table.column(valueColumn)) {}
        tables::WorkTable& table;
        tables::ColumnHandle key, value;
    };
    static std::optional<std::string> lookUp(const Lookup& lookup, const std::string& key);

    // As in kTables.
    tables::WorkTable soluc_;    // wwTableSoluc
    tables::WorkTable groups_;   // wwTableGrupos
    tables::WorkTable teachers_; // wwTableProfesor: opened with the others, never read
    tables::WorkTable rooms_;    // wwTableAulas
    tables::WorkTable subjects_; // wwTableNomAsg
    tables::WorkTable slots_;    // wwTableTramos
    Lookup groupLookup_, taskLookup_, roomLookup_;
    tables::ColumnHandle slotDay_, slotPeriod_, slotCode_;
};

} // namespace tts::exporting
