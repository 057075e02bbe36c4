#include "import/ImportStep.h"

#include "sice/FileFinder.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include <optional>

namespace tts::import {

namespace {

void eachLine(sice::LineReader& reader, const LineRule& rule, TableReport& report) {
    std::string line;
    int64_t lineNumber = 0;
    while (!reader.atEnd()) {
        reader.nextLine(line);
        if (rule(line, ++lineNumber))
            ++report.rowsWritten;
    }
}

} // namespace

bool runStep(ImportContext& context, const StepDefinition& step, const StepStart& start,
             const StepFinish& finish) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, step.file);
    if (!file.exists) {
        context.missingRequired(step.missingMessage);
        return false;
    }
    // Read before the table is touched: a file that cannot be read leaves the old table.
    std::optional<sice::LineReader> reader;
    std::vector<std::string> lines;
    if (step.reading == FileReading::LineByLine)
        reader.emplace(file.path);
    else
        lines = sice::readWholeFile(file.path);

    tables::WorkTable table =
        tables::WorkTable::createAfresh(context.workFolder, step.table, step.columns);
    TableReport report{step.table};
    StepTarget target{table, report, file.path};
    const LineRule rule = start(target);
    if (reader) {
        eachLine(*reader, rule, report);
        reader->close();
    } else {
        for (size_t i = 0; i < lines.size(); ++i)
            if (rule(lines[i], static_cast<int64_t>(i + 1)))
                ++report.rowsWritten;
    }
    if (finish)
        finish(target);

    table.close();
    report.rebuilt = true;
    context.recordTable(report);
    return true;
}

void addOptionalFile(ImportContext& context, const char* name, const LineRule& rule,
                     TableReport& report) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, name);
    if (!file.exists)
        return;
    sice::LineReader reader(file.path);
    eachLine(reader, rule, report);
    reader.close();
}

} // namespace tts::import
