#pragma once

#include "base/Error.h"
#include "fuzz/BrokenInvariant.h"
#include "fuzz/FolderSnapshot.h"
#include "fuzz/OpenFiles.h"
#include "fuzz/ScratchFolder.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "tests/support/RecordingRunHost.h"

#include <vector>

#include <filesystem>
#include <string>
#include <string_view>

namespace tts::fuzz {

// A SOLUC.DBF written by someone else, whose bytes are fuzzed, exported against the tables the
// import made of an example school. A tts::Error is an answer the user can read; a crash, a leak,
// a changed table or a touched SICE_HORARIO.TXT after an error are faults.
class ForeignSolucHarness {
public:
    explicit ForeignSolucHarness(const std::string& exampleSiceFolder) {
        for (const auto& entry : std::filesystem::directory_iterator(exampleSiceFolder))
            std::filesystem::copy_file(entry.path(),
                                       sice_.prefix() + entry.path().filename().string());
        test::RecordingRunHost host;
        import::runImport(host, sice_.path(), work_.path());
        require(host.finished(), "the example school does not import");
        writeBytes(horaryPath(), std::string(kOldHorary));
        siceBefore_ = snapshotOf(sice_.path());
        tablesBefore_ = snapshotOf(work_.path());
    }

    void run(std::string_view solucBytes) {
        writeBytes(work_.prefix() + "SOLUC.DBF", std::string(solucBytes));
        const int openBefore = openFileCount();

        test::RecordingRunHost host;
        exporting::ExportReport report;
        bool failed = false;
        try {
            exporting::runExport(host, sice_.path(), work_.path(), &report);
        } catch (const Error&) {
            failed = true;
        }

        require(openFileCount() == openBefore, "the export left files open");
        FolderSnapshot tablesAfter = snapshotOf(work_.path());
        tablesAfter.erase("SOLUC.DBF");
        require(tablesAfter == tablesBefore_, "the export changed the work folder");
        require(failed != report.finished, "the report's end disagrees with how the export ended");

        FolderSnapshot siceAfter = snapshotOf(sice_.path());
        if (failed) {
            require(siceAfter == siceBefore_, "a failed export touched the SICE folder");
            return;
        }
        require(host.result() == 1 && host.finished(), "a finished export did not say so");
        // Split as written: every line ends in CR LF. Codes of SOLUC pass to the file unchanged,
        // so a code holding a CR LF of its own adds a line; other control bytes do not.
        const auto lines = linesEndingInCrLf(readBytes(horaryPath()));
        require(static_cast<int64_t>(lines.size()) >= report.linesWritten + 2,
                "SICE_HORARIO.TXT does not hold its header, data lines and trailer");
        require(lines.front().rfind("0SICE_HORARIO.TXT", 0) == 0, "no header line");
        require(lines.back().rfind("9SICE_HORARIO.TXT", 0) == 0, "no trailer line");
        require(lines.back().size() >= 71 &&
                    lines.back().substr(71) == std::to_string(report.linesWritten),
                "the trailer's count is not the number of data lines");
        if (static_cast<int64_t>(lines.size()) == report.linesWritten + 2)
            for (size_t i = 1; i + 1 < lines.size(); ++i)
                require(lines[i].size() >= 26 && lines[i][0] == '1', "a data line is malformed");

        // Put the old file back so that the next input starts from the same state.
        siceAfter.erase("SICE_HORARIO.TXT");
        FolderSnapshot expected = siceBefore_;
        expected.erase("SICE_HORARIO.TXT");
        require(siceAfter == expected, "the export wrote more than SICE_HORARIO.TXT");
        writeBytes(horaryPath(), std::string(kOldHorary));
    }

private:
    static std::vector<std::string> linesEndingInCrLf(const std::string& bytes) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(bytes.substr(start, end - start));
        require(start == bytes.size(), "SICE_HORARIO.TXT does not end with CR LF");
        return lines;
    }

    static constexpr std::string_view kOldHorary =
        "0SICE_HORARIO.TXT previous\r\n9SICE_HORARIO.TXT\r\n";

    std::string horaryPath() const { return sice_.prefix() + "SICE_HORARIO.TXT"; }

    ScratchFolder sice_{"sice"};
    ScratchFolder work_{"work"};
    FolderSnapshot siceBefore_;
    FolderSnapshot tablesBefore_;
};

} // namespace tts::fuzz
