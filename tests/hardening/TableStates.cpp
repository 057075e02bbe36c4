#include "TableStates.h"

#include "GeneratedSchool.h"
#include "import/ImportRun.h"
#include "tests/support/RecordingRunHost.h"

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

FolderSnapshot TableStates::expected(const std::string& states) const {
    FolderSnapshot tables;
    for (size_t i = 0; i < kStepTables.size(); ++i) {
        const FolderSnapshot& from = states.at(i) == 'N' ? newTables : oldTables;
        tables[kStepTables[i]] = from.at(kStepTables[i]);
    }
    return tables;
}

} // namespace tts::hardening
