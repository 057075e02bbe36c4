#include "cli/CommandOptions.h"

#include "cli/Commands.h"
#include "sice/FileFinder.h"
#include "tables/WorkFolder.h"

#include <ostream>

namespace tts::cli {

namespace {

// "--name=value" or "--name value"; `i` moves past what was used. An option after the name is
// not taken as its folder ("--sice --json" lacks the folder); a folder whose name starts with
// "--" is given as "--sice=--name".
bool takeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, std::string& problem) {
    const std::string& word = args[i];
    if (word.size() > name.size() && word.compare(0, name.size(), name) == 0 &&
        word[name.size()] == '=') {
        value = word.substr(name.size() + 1);
    } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
        value = args[++i];
    } else {
        problem = "falta la carpeta tras " + name;
        return false;
    }
    if (value.empty()) {
        problem = "la carpeta de " + name + " est\u00E1 vac\u00EDa";
        return false;
    }
    return true;
}

bool isOption(const std::string& word, const std::string& name) {
    return word == name || word.rfind(name + "=", 0) == 0;
}

} // namespace

std::optional<CommandOptions> parseCommandOptions(const std::vector<std::string>& args,
                                                  std::string& problem) {
    CommandOptions options;
    bool haveSice = false;
    bool haveWork = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (isOption(word, "--sice")) {
            if (haveSice) {
                problem = "--sice aparece dos veces";
                return std::nullopt;
            }
            if (!takeValue(args, i, "--sice", options.siceFolder, problem))
                return std::nullopt;
            haveSice = true;
        } else if (isOption(word, "--work")) {
            if (haveWork) {
                problem = "--work aparece dos veces";
                return std::nullopt;
            }
            if (!takeValue(args, i, "--work", options.workFolder, problem))
                return std::nullopt;
            haveWork = true;
        } else if (word == "--json") {
            options.json = true;
        } else {
            problem = "argumento desconocido: " + word;
            return std::nullopt;
        }
    }
    if (!haveSice) {
        problem = "falta --sice CARPETA";
        return std::nullopt;
    }
    return options;
}

std::string chosenWorkFolder(const CommandOptions& options) {
    return options.workFolder.empty() ? tables::workFolder() : options.workFolder;
}

std::string folderForRun(const std::string& typed) {
    std::string folder = typed;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == sice::pathSeparator()))
        folder.pop_back();
    return folder;
}

std::string folderLine(const std::string& typedFolder) {
    return "Carpeta: " + typedFolder;
}

int usageError(std::ostream& err, const std::string& command, const std::string& problem) {
    err << "transTalvorSice-cli " << command << ": " << problem << "\n"
        << "Uso: transTalvorSice-cli " << command << " --sice CARPETA [--work CARPETA] [--json]\n"
        << "M\u00E1s informaci\u00F3n: transTalvorSice-cli --help\n";
    return ExitUsage;
}

} // namespace tts::cli
