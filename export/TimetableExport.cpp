#include "export/TimetableExport.h"

#include "base/BusyPointer.h"
#include "base/WorkFolderJob.h"
#include "export/DayCoding.h"
#include "export/ExportTables.h"
#include "export/ExportWarnings.h"
#include "export/HeaderCode.h"
#include "export/SolucRows.h"
#include "export/TimetableLines.h"
#include "sice/FileFinder.h"
#include "sice/FileWriter.h"
#include "sice/SiceFolder.h"
#include "sice/SiceLayouts.h"
#include "sice/WholeFileReader.h"

#include <algorithm>
#include <cstring>

namespace tts::exporting {

namespace {

sice::FoundFile findSiceFile(const std::string& carpetaSice, const std::string& name,
                             ExportReport& report) {
    sice::FoundFile file = sice::findFile(carpetaSice, name);
    sice::noteLeftAside(file, report.filesLeftAside);
    return file;
}

sice::WholeFile readSiceFile(const std::string& carpetaSice, const std::string& name,
                             ExportReport& report) {
    return sice::WholeFile(findSiceFile(carpetaSice, name, report).path);
}

// Each row as a line of the file.
class LineSink : public RowSink {
public:
    LineSink(RunHost& host, sice::LineFileWriter& output) : host_(host), output_(output) {}
    void row(int64_t, std::string_view line) override {
        // Most lines have the one size: a copy of a known size takes no call.
        if (line.size() == kFittingLineSize)
            std::memcpy(output_.addInPlace(kFittingLineSize), line.data(), kFittingLineSize);
        else
            std::memcpy(output_.addInPlace(line.size()), line.data(), line.size());
        ++lines;
    }
    // The window repaints now and then; it takes no input.
    void keepAlive() override { host_.keepAlive(); }
    int64_t lines = 0;

private:
    RunHost& host_;
    sice::LineFileWriter& output_;
};
} // namespace

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report) {
    runExport(host, chosenFolder, workFolder, report, platform::localNow);
}

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report, const LocalClock& clock) {
    ExportReport unused;
    ExportReport& out = report ? *report : unused;
    out = ExportReport{};

    const std::optional<std::string> folder = sice::carpetaSiceOrNotice(host, chosenFolder, 0);
    if (!folder)
        return;
    const platform::JobLock job = holdWorkFolder(workFolder);
    const std::string& carpetaSice = *folder;
    out.folderFound = true;

    BusyPointer busy(host);
    const std::string headerCode =
        headerCodeFrom(readSiceFile(carpetaSice, sice::layout::Subjects::file, out).lines());
    const std::string sessions = findSiceFile(carpetaSice, sice::layout::Sessions::file, out).path;
    const DayCoding coding = dayCodingOfFile(sessions, sice::WholeFile(sessions).lines());

    // The old file stays until the last line is in.
    const std::string target = findSiceFile(carpetaSice, "SICE_HORARIO.TXT", out).path;
    sice::LineFileWriter output(target);
    output.add(timetableHeaderLine(headerCode, timeStamp(clock())));
    int64_t dataLines = 0;
    {
        ExportTables tables(workFolder);
        LineSink sink(host, output);
        exportRows(tables, coding, out, sink);
        dataLines = sink.lines;
        if (out.slots.rows > 0)
            out.dayCodingMismatch = slotDaysDisagree(coding, tables.slotDays());
        tables.close();
    }

    output.add(timetableTrailerLine(headerCode, timeStamp(clock()), dataLines));
    output.commit();
    out.linesWritten = dataLines;
    out.writtenPath = target;
    if (output.inPlace())
        out.inPlaceBecause = platform::reasonInSpanish(output.whyInPlace());

    out.warnings = exportWarnings(out);

    busy.restore();
    host.setResult(1);
    out.finished = true;
    endJob(host, out.warnings);
}

} // namespace tts::exporting
