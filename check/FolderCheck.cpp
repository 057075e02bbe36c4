#include "check/FolderCheck.h"

#include "base/Error.h"
#include "base/platform/File.h"
#include "check/ImportValuesCheck.h"
#include "check/TextShapeCheck.h"
#include "sice/FileFinder.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include <algorithm>

namespace tts::check {

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

SiceFile loadFile(const std::string& carpetaSice, const SiceFileUse& use) {
    SiceFile file;
    file.use = &use;
    const sice::FoundFile found = sice::findFile(carpetaSice, use.name);
    file.exists = found.exists;
    file.path = found.path;
    file.storedName = found.exists ? baseName(found.path) : use.name;
    if (!found.exists)
        return file;
    if (const platform::SystemError failure = platform::readWholeFile(found.path, file.bytes)) {
        file.readFailure = platform::describe(failure);
        return file;
    }
    if (use.reading == Reading::WholeFile) {
        file.lines = sice::splitWholeFile(file.bytes);
    } else {
        sice::LineReader reader = sice::LineReader::fromBytes(file.bytes);
        while (!reader.atEnd())
            file.lines.push_back(reader.nextLine());
    }
    return file;
}

void checkPresence(const SiceFile& file, Findings& out) {
    if (!file.exists) {
        out.push_back({file.storedName, 0,
                       std::string(file.use->required ? "falta" : "no est\xE1") + "; lo usa " +
                           file.use->neededBy,
                       file.use->required});
    } else if (!file.readFailure.empty()) {
        out.push_back({file.storedName, 0, "no se puede leer: " + file.readFailure, true});
    }
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

    SiceFolder folder;
    std::vector<std::string> order; // stored names in step order, for sorting the findings
    for (const SiceFileUse& use : siceFileUses()) {
        SiceFile file = loadFile(carpetaSice, use);
        report.files.push_back({use.name, file.exists ? file.storedName : "", use.neededBy});
        checkPresence(file, report.findings);
        if (file.exists && file.readFailure.empty())
            checkTextShape(file, report.findings);
        order.push_back(file.storedName);
        folder.emplace(use.name, std::move(file));
    }
    checkImportValues(folder, report.findings);
    if (!workFolder.empty()) {
        report.workChecked = true;
        checkExportView(folder, workFolder, report.findings, report.emptyCodes);
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
