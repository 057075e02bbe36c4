#include "check/FolderCheck.h"

#include "base/Error.h"
#include "base/platform/File.h"
#include "base/platform/Folders.h"
#include "check/ImportValuesCheck.h"
#include "check/TextShapeCheck.h"
#include "sice/FileFinder.h"
#include "sice/IoError.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include <algorithm>

namespace tts::check {

namespace {

SiceFile loadFile(const std::string& carpetaSice, const SiceFileUse& use) {
    SiceFile file;
    file.use = &use;
    sice::FoundFile found{carpetaSice + use.name, false, {}};
    try {
        // As the jobs find it: in a folder that cannot be listed, only a name spelled exactly.
        found = sice::findFile(carpetaSice, use.name);
    } catch (const Error&) {
        file.unlisted = true;
    }
    file.exists = found.exists;
    file.path = found.path;
    file.storedName = found.exists ? platform::nameOf(found.path) : use.name;
    if (!found.exists)
        return file;
    if (!found.leftAside.empty())
        file.leftAside = sice::leftAsideText(found);
    if (const platform::SystemError failure = platform::readWholeFile(found.path, file.bytes)) {
        file.readFailure = sice::cannotReadReason(failure);
        return file;
    }
    return file;
}

void checkPresence(const SiceFile& file, Findings& out) {
    if (file.unlisted) // the folder's own finding says why
        return;
    if (!file.leftAside.empty())
        out.push_back({file.storedName, 0, file.leftAside, false});
    if (!file.exists) {
        out.push_back({file.storedName, 0,
                       std::string(file.use->required ? "falta" : "no est\xE1") + "; lo usa " +
                           file.use->neededBy,
                       file.use->required});
    } else if (!file.readFailure.empty()) {
        out.push_back({file.storedName, 0, "no se puede leer: " + file.readFailure, true});
    }
}

// A required file that is there and holds no data line: the import would rebuild its table
// without rows, as when SICE is exported while it is still loading.
void checkHasData(const SiceFile& file, Findings& out) {
    if (!file.use->required)
        return;
    bool data = false;
    forEachLine(file,
                [&](int64_t, std::string_view line) { data = data || file.use->isData(line); });
    if (!data)
        out.push_back({file.storedName, 0,
                       "no tiene l\xEDneas con datos; lo usa " + file.use->neededBy +
                           ": su tabla se rehar\xED"
                           "a sin sus filas; exp\xF3rtelo de nuevo desde SICE",
                       true});
}

} // namespace

int64_t CheckReport::stopping() const {
    return std::count_if(findings.begin(), findings.end(),
                         [](const Finding& f) { return f.stops; });
}

int64_t CheckReport::warnings() const {
    return static_cast<int64_t>(findings.size()) - stopping() - notes();
}

int64_t CheckReport::notes() const {
    return std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.note; });
}

CheckReport checkFolder(const std::string& chosenFolder, const std::string& workFolder) {
    CheckReport report;
    const std::string carpetaSice = chosenFolder + sice::pathSeparator();
    if (!sice::folderExists(carpetaSice))
        return report;
    report.folderFound = true;

    // A folder we may not list is said once, as the jobs would stop on it.
    std::vector<std::string> names;
    const platform::SystemError listing = platform::listFolder(carpetaSice, names);

    FoundSiceFiles folder;
    std::vector<std::string> order; // stored names in step order, for sorting the findings
    bool unlisted = false;
    for (const SiceFileUse& use : siceFileUses()) {
        SiceFile file = loadFile(carpetaSice, use);
        report.files.push_back({use.name, file.exists ? file.storedName : "", use.neededBy});
        checkPresence(file, report.findings);
        if (file.exists && file.readFailure.empty()) {
            checkHasData(file, report.findings);
            checkTextShape(file, report.findings);
        }
        order.push_back(file.storedName);
        unlisted = unlisted || file.unlisted;
        folder.emplace(use.name, std::move(file));
    }
    if (listing) {
        // The jobs still open a name spelled exactly; any other stops them on this folder.
        report.findings.push_back(
            {chosenFolder, 0,
             "no se puede leer la carpeta SICE (" + platform::reasonInSpanish(listing) + "): " +
                 (unlisted ? "los trabajos se detendr\xED"
                             "an al buscar sus archivos"
                           : "solo se abren los archivos escritos exactamente como se piden"),
             unlisted});
        order.insert(order.begin(), chosenFolder);
    }
    checkImportValues(folder, report.findings);
    // The export's stop on the sessions file needs no work folder to be foreseen.
    const std::optional<exporting::DayCoding> coding = checkDayCoding(folder, report.findings);
    if (!workFolder.empty()) {
        report.workChecked = true;
        checkExportView(folder, coding, workFolder, report.findings, report.emptyCodes);
    }

    auto rank = [&](const Finding& f) {
        return static_cast<size_t>(std::find(order.begin(), order.end(), f.file) - order.begin());
    };
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [&](const Finding& a, const Finding& b) {
                         const size_t ra = rank(a), rb = rank(b);
                         // The tables' findings keep their order: the most frequent code first.
                         if (ra != rb || ra == order.size())
                             return ra < rb;
                         return a.line < b.line;
                     });
    return report;
}

} // namespace tts::check
