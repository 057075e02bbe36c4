#include "HardeningSupport.h"

#include "GeneratedSchool.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"

namespace tts::hardening {

std::string outcomeOf(const std::function<void(test::RecordingRunHost&)>& job) {
    test::RecordingRunHost host;
    try {
        job(host);
    } catch (const Error& e) {
        return "error: " + e.message();
    }
    std::string said = "finished, result " + std::to_string(host.result());
    for (const auto& message : host.messages)
        said += " | " + message;
    return said;
}

ImportedSchool::ImportedSchool() {
    copyFolder(exampleSiceFolder(), sice.path());
    test::RecordingRunHost host;
    import::runImport(host, sice.path(), work.path());
    // A timetable over the example's codes, so that an export has something to write.
    writeSoluc(work.path(), SchoolSize{}, 200);
    writeBytes(sice.file("SICE_HORARIO.TXT"), "0SICE_HORARIO.TXT from an earlier export\r\n");
    remember();
}

void ImportedSchool::remember() {
    siceBefore = snapshotOf(sice.path());
    workBefore = snapshotOf(work.path());
}

void ImportedSchool::runImport(test::RecordingRunHost& host) const {
    import::runImport(host, sice.path(), work.path());
}

void ImportedSchool::runExport(test::RecordingRunHost& host) const {
    exporting::runExport(host, sice.path(), work.path());
}

} // namespace tts::hardening
