#include "app/CallParameters.h"

#include "base/CaseTable.h"
#include "base/Numbers.h"

namespace tts::app {

CallParameters interpretCommandLine(const std::vector<std::string>& arguments) {
    CallParameters call;
    if (arguments.size() != 2)
        return call;
    call.hostWindow = toHexHandle(arguments[1]);
    call.embedded = true;
    // Compared whole and untrimmed: "importar " is another word.
    const std::string word = lowerAsciiOnly(arguments[0]);
    if (word == "importar")
        call.jobWord = JobWord::Importar;
    else if (word == "exportar")
        call.jobWord = JobWord::Exportar;
    return call;
}

} // namespace tts::app
