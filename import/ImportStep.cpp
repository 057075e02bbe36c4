#include "import/ImportStep.h"

#include "sice/FileFinder.h"
#include "sice/FileLines.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

namespace tts::import {

bool runStep(ImportContext& context, const StepDefinition& step, const StepStart& start,
             const StepFinish& finish) {
    const sice::FoundFile file = context.findFile(step.file);
    if (!file.exists) {
        context.missingRequired(step.missingMessage);
        return false;
    }
    // Read before the table is touched: a file that cannot be read leaves the old table.
    if (step.reading == FileReading::LineByLine)
        sice::LineReader::load(file.path, context.fileBytes);
    else
        sice::WholeFile::load(file.path, context.fileBytes);

    tables::WorkTable table = tables::WorkTable::createAfresh(context.workFolder, step.table);
    TableReport report{step.table.name};
    StepTarget target{table, report, file.path};
    const LineRule rule = start(target);
    sice::forEachLine(context.fileBytes, step.reading,
                      [&](int64_t lineNumber, std::string_view line) {
                          if (rule(line, lineNumber))
                              ++report.rowsWritten;
                      });
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
    sice::forEachLine(context.fileBytes, FileReading::LineByLine,
                      [&](int64_t lineNumber, std::string_view line) {
                          if (rule(line, lineNumber))
                              ++report.rowsWritten;
                      });
}

} // namespace tts::import
