// transTalvorSice on Windows: moves timetable data between SICE's text files and Horvane's work
// tables. Started by a user it offers both jobs; started by Horvane with a job word and the
// handle of one of its windows it lives inside that window and hands the outcome back in
// Horvane.ini.

#include "app/HelpRequests.h"
#include "app/ProcessState.h"
#include "app/win32/MessageBoxes.h"
#include "app/win32/TMForm.h"

#include "base/ErrorText.h"
#include "base/platform/CommandLine.h"

#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace tts::app;
    // Split as the host expects (blanks separate, a stretch in double quotes keeps its blanks and
    // loses its quotes), in UTF-8 whatever the ANSI code page can hold.
    std::vector<std::string> arguments = tts::platform::commandLineArguments(argc, argv);
    ApplicationHelpFile = HelpFileName;
    try {
#ifdef TTS_HAVE_APPHELP
        std::unique_ptr<HelpRequests> help = createHelp();
#endif
        win32::TMForm form(::GetModuleHandleA(nullptr), std::move(arguments));
#ifdef TTS_HAVE_APPHELP
        form.setHelpRequests(help.get());
#endif
        return form.run();
    } catch (const std::exception& error) {
        win32::showErrorBox(nullptr, tts::withFullStop(error.what()));
        return 1;
    }
}
