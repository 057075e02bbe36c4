#include "TableStates.h"

#include "GeneratedSchool.h"
#include "import/ImportRun.h"
#include "tests/support/RecordingRunHost.h"

#include <algorithm>

namespace tts::hardening {

void TableStates::prepare(const TestFolder& sice, const TestFolder& work) {
    {
        TestFolder older("older");
        writeSchool(older.path(), SchoolSize{}, 'A');
        test::RecordingRunHost host;
        import::runImport(host, older.path(), work.path());
    }
    oldTables = snapshotOf(work.path());

    copyFolder(exampleSiceFolder(), sice.path());
    TestFolder reference("reference");
    test::RecordingRunHost host;
    import::runImport(host, sice.path(), reference.path());
    newTables = snapshotOf(reference.path());
}

std::string TableStates::describe(const FolderSnapshot& work) const {
    std::string states;
    for (const std::string& table : kStepTables) {
        auto found = work.find(table);
        if (found == work.end())
            states += '-';
        else if (found->second == newTables.at(table))
            states += 'N';
        else if (found->second == oldTables.at(table))
            states += 'O';
        else
            states += '?';
    }
    for (const auto& [name, bytes] : work)
        if (std::find(kStepTables.begin(), kStepTables.end(), name) == kStepTables.end())
            states += " +" + name;
    return states;
}

} // namespace tts::hardening
