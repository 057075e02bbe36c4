#pragma once

#include "base/Error.h"
#include "fuzz/BrokenInvariant.h"
#include "fuzz/FolderSnapshot.h"
#include "fuzz/FolderSplit.h"
#include "fuzz/OpenFiles.h"
#include "fuzz/ScratchFolder.h"
#include "import/ImportRun.h"
#include "tests/support/RecordingRunHost.h"
#include "tables/WorkTable.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace tts::fuzz {

// The six tables an import builds; nothing else may stay in the work folder after a run, however
// it ended.
inline const std::set<std::string>& importTableFiles() {
    static const std::set<std::string> files = {"ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF",
                                                "GRUPOST.DBF",  "ASIGT.DBF", "DIASHORAST.DBF"};
    return files;
}

// A SICE folder whose eight files come from one fuzz input, imported into an empty work folder.
// A tts::Error is an answer the user can read; anything else escapes and counts as a crash.
class ImportFolderHarness {
public:
    void run(std::string_view input) {
        sice_.clear();
        work_.clear();
        const auto files = splitIntoFiles(input);
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string path = sice_.prefix() + std::string(kImportFiles[i]);
            if (files[i].kind == FuzzedFile::Kind::Folder) {
                std::filesystem::create_directory(path);
            } else if (files[i].kind == FuzzedFile::Kind::File) {
                writeBytes(path, files[i].bytes);
            }
        }

        const int openBefore = openFileCount();
        test::RecordingRunHost host;
        import::ImportReport report;
        bool failed = false;
        try {
            import::runImport(host, sice_.path(), work_.path(), &report);
        } catch (const Error&) {
            failed = true;
        }

        require(openFileCount() == openBefore, "the import left files open");
        require(failed != report.finished, "the report's end disagrees with how the run ended");
        if (report.finished) {
            require(host.finished(), "a finished run did not say so");
            require(host.jobsDisabled, "a finished run left the jobs enabled");
        } else {
            require(!host.jobsDisabled, "a failed run disabled the jobs");
        }
        checkWorkFolder();
    }

private:
    // Only whole tables: no staging or temporary file is left behind, and every table opens.
    void checkWorkFolder() const {
        for (const auto& entry : std::filesystem::directory_iterator(work_.path())) {
            const std::string name = entry.path().filename().string();
            if (importTableFiles().count(name) != 1)
                throw BrokenInvariant("left in the work folder: " + name);
            const std::string table = name.substr(0, name.size() - 4);
            auto opened = tables::WorkTable::open(work_.path(), table, tables::OpenMode::ReadOnly);
            int64_t rows = 0;
            for (opened.first(); !opened.atEnd(); opened.next())
                ++rows;
            if (rows != opened.rowCount())
                throw BrokenInvariant(table + " walks a different number of rows");
            opened.close();
        }
    }

    ScratchFolder sice_{"sice"};
    ScratchFolder work_{"work"};
};

} // namespace tts::fuzz
