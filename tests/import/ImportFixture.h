#pragma once

#include "import/ImportContext.h"
#include "import/ImportRun.h"
#include "tables/WorkTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedColumnLine.h"
#include "tests/support/RecordingRunHost.h"
#include "tests/support/TempFolder.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tts::import::test {

using tts::test::columns;
using tts::test::TempFolder;
using tts::test::writeLines;

// Header, header-name and trailer lines around the data, as SICE writes them.
inline std::vector<std::string> withFrame(const std::string& upperName,
                                          std::vector<std::string> data) {
    std::vector<std::string> lines;
    lines.push_back(columns({{1, "0"}, {2, upperName}, {52, "CABECERA"}, {60, "010920240800"}}));
    lines.push_back(columns({{2, upperName}}));
    for (auto& line : data)
        lines.push_back(std::move(line));
    lines.push_back(columns({{1, "9"}, {2, upperName}, {52, "CABECERA"}, {60, "010920240800"}}));
    return lines;
}

using Row = std::map<std::string, std::string>;

// Every row of a work table, the named columns read as text.
inline std::vector<Row> readRows(const std::string& folder, const std::string& name,
                                 const std::vector<std::string>& columnNames) {
    tables::WorkTable table = tables::WorkTable::open(folder, name, tables::OpenMode::ReadOnly);
    std::vector<Row> rows;
    for (table.first(); !table.atEnd(); table.next()) {
        Row row;
        for (const std::string& column : columnNames)
            row[column] = table.readText(table.column(column));
        rows.push_back(std::move(row));
    }
    table.close();
    return rows;
}

// One column of every row.
inline std::vector<std::string> readColumn(const std::string& folder, const std::string& name,
                                           const std::string& column) {
    std::vector<std::string> values;
    for (const Row& row : readRows(folder, name, {column}))
        values.push_back(row.at(column));
    return values;
}

// A table standing in for the one an earlier import left, to see whether a step replaced it.
inline void writeSentinelTable(const std::string& folder, const std::string& name) {
    tables::WorkTable table =
        tables::WorkTable::createAfresh(folder, name, {tables::Column::text("SENTINEL", 10)});
    table.append();
    table.writeText(table.column("SENTINEL"), "antes");
    table.post();
    table.close();
}

inline bool isSentinelTable(const std::string& folder, const std::string& name) {
    tables::WorkTable table = tables::WorkTable::open(folder, name, tables::OpenMode::ReadOnly);
    if (!table.hasColumn("SENTINEL"))
        return false;
    table.first();
    return !table.atEnd() && table.readText(table.column("SENTINEL")) == "antes" &&
           table.rowCount() == 1;
}

// A SICE folder and a work folder, and one step run over them as the run would call it.
struct StepFixture {
    TempFolder sice;
    TempFolder work;
    tts::test::RecordingRunHost host{false, 1};
    ImportReport report;

    StepFixture() {
        for (const char* table : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"})
            report.tables.push_back(TableReport{table});
    }

    void write(const std::string& name, const std::vector<std::string>& lines) {
        writeLines(sice.file(name), lines);
    }

    template <typename Step> void run(Step step) {
        ImportContext context{sice.path() + "/", work.path(), host, report};
        step(context);
    }

    const TableReport& tableReport(const std::string& table) const {
        for (const TableReport& entry : report.tables)
            if (entry.table == table)
                return entry;
        throw std::runtime_error("no report for " + table);
    }

    std::vector<Row> rows(const std::string& table, const std::vector<std::string>& columnNames) {
        return readRows(work.path(), table, columnNames);
    }
};

} // namespace tts::import::test
