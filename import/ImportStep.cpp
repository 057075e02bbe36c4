#include "import/ImportStep.h"

#include "sice/FileFinder.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include <optional>

namespace tts::import {

namespace {

void eachLine(sice::LineReader& reader, const LineRule& rule, TableReport& report) {
    int64_t lineNumber = 0;
    while (!reader.atEnd())
        if (rule(reader.next(), ++lineNumber))
            ++report.rowsWritten;
}

} // namespace

bool runStep(ImportContext& context, const StepDefinition& step, const StepStart& start,
             const StepFinish& finish) {
    const sice::FoundFile file = context.findFile(step.file);
    if (!file.exists) {
        context.missingRequired(step.missingMessage);
        return false;
    }
    // Read before the table is touched: a file that cannot be read leaves the old table.
    std::optional<sice::LineReader> reader;
    if (step.reading == FileReading::LineByLine) {
        sice::LineReader::load(file.path, context.fileBytes);
        reader.emplace(sice::LineReader::over(context.fileBytes));
    } else {
        sice::WholeFile::load(file.path, context.fileBytes);
    }

    tables::WorkTable table = tables::WorkTable::createAfresh(context.workFolder, step.table);
    TableReport report{step.table.name};
    StepTarget target{table, report, file.path};
    const LineRule rule = start(target);
    if (reader) {
        eachLine(*reader, rule, report);
        reader->close();
    } else {
        sice::WholeFileLines lines(context.fileBytes);
        int64_t lineNumber = 0;
        for (std::string_view line; lines.next(line);)
            if (rule(line, ++lineNumber))
                ++report.rowsWritten;
    }
    // Every data line of a step's own file gives a row, its first repeat included.
    if (report.rowsWritten == 0)
        report.fileWithoutData = step.file;
    if (finish)
        finish(target);

    table.close();
    report.rebuilt = true;
    context.recordTable(report);
    return true;
}

void addOptionalFile(ImportContext& context, const char* name, const LineRule& rule,
                     TableReport& report) {
    const sice::FoundFile file = context.findFile(name);
    if (!file.exists)
        return;
    sice::LineReader::load(file.path, context.fileBytes);
    sice::LineReader reader = sice::LineReader::over(context.fileBytes);
    eachLine(reader, rule, report);
    reader.close();
}

} // namespace tts::import
