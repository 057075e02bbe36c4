#include "import/ImportRun.h"

#include "import/ImportContext.h"
#include "import/ImportWarnings.h"
#include "import/ImportSteps.h"
#include "sice/SiceLayouts.h"

#include "sice/SiceFolder.h"

#include "base/BusyPointer.h"
#include "base/WorkFolderJob.h"

namespace tts::import {

void runImport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ImportReport* report) {
    ImportReport ownReport;
    ImportReport& progress = report ? *report : ownReport;
    progress = ImportReport{};

    const std::optional<std::string> carpetaSice =
        sice::carpetaSiceOrNotice(host, chosenFolder, -1);
    if (!carpetaSice)
        return;
    const platform::JobLock job = holdWorkFolder(workFolder);
    progress.folderFound = true;
    for (const tables::TableSchema* table : kImportedTables)
        progress.tables.push_back(TableReport{table->name});

    BusyPointer busy(host);
    host.setResult(1);
    ImportContext context{*carpetaSice, workFolder, host, progress};
    // No early exit: a step whose file is missing has said so and the next one still runs.
    TransformaAsignaturas(context);
    host.keepAlive();
    TransformaProfesores(context);
    host.keepAlive();
    TransformaAulas(context);
    host.keepAlive();
    TransformaGrupos(context);
    host.keepAlive();
    TransformaAsignaturasGrupo(context);
    host.keepAlive();
    TransformaSesiones(context);
    busy.restore();

    progress.finished = true;
    progress.warnings = importWarnings(progress);
    endJob(host, progress.warnings);
}

} // namespace tts::import
