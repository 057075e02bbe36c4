#include "cli/Commands.h"
#include "cli/JobCommand.h"
#include "import/ImportRun.h"
#include "tables/TableSchemas.h"

#include <cstdio>
#include <ostream>

namespace tts::cli {

namespace {

using import::ImportReport;
using import::TableReport;

// Every table appears in the report, also those the run never reached.
std::vector<TableReport> allTables(const ImportReport& report) {
    std::vector<TableReport> tables;
    for (const tables::TableSchema* schema : import::kImportedTables) {
        const std::string name = schema->name;
        TableReport entry{name};
        for (const TableReport& t : report.tables)
            if (t.table == name)
                entry = t;
        tables.push_back(entry);
    }
    return tables;
}

class ImportCommand final : public JobCommand {
public:
    ImportCommand() : JobCommand("import") {}

private:
    bool doJob(ConsoleRunHost& host, const std::string& siceFolder,
               const std::string& workFolder) override {
        import::runImport(host, siceFolder, workFolder, &report_);
        return report_.folderFound && host.result() == 1;
    }

    bool folderFound() const override { return report_.folderFound; }
    bool hasTextReport() const override { return report_.folderFound; }
    const std::vector<std::string>& filesLeftAside() const override {
        return report_.filesLeftAside;
    }
    const std::vector<std::string>& warnings() const override { return report_.warnings; }

    void writeJsonFields(JsonWriter& json, RunEnd end, const ConsoleRunHost& host) const override {
        json.member("requiredFileMissing", end == RunEnd::Finished && host.result() == -1);
        json.key("tables");
        json.beginArray();
        for (const TableReport& table : allTables(report_)) {
            json.beginObject();
            json.member("table", table.table);
            json.member("rebuilt", table.rebuilt);
            json.member("rowsWritten", table.rowsWritten);
            json.member("repeatedCodes", table.repeatedCodes);
            json.endObject();
        }
        json.endArray();
    }

    void writeTextLines(std::ostream& out) const override {
        char line[160];
        std::snprintf(line, sizeof line, "%-12s %14s %18s\n", "Tabla", "Filas escritas",
                      "C\u00F3digos repetidos");
        out << line;
        for (const TableReport& table : report_.tables) {
            if (table.rebuilt)
                std::snprintf(line, sizeof line, "%-12s %14lld %17lld\n", table.table.c_str(),
                              static_cast<long long>(table.rowsWritten),
                              static_cast<long long>(table.repeatedCodes));
            else
                std::snprintf(line, sizeof line, "%-12s %14s\n", table.table.c_str(),
                              "sin cambios");
            out << line;
        }
    }

    ImportReport report_;
};

} // namespace

int runImportCommand(const std::vector<std::string>& args) {
    return ImportCommand().run(args);
}

} // namespace tts::cli
