#include "cli/ErrorExit.h"

#include "base/ErrorText.h"
#include "cli/Commands.h"
#include "cli/ConsoleRunHost.h"

#include <ostream>

namespace tts::cli {

int errorExit(std::ostream& err, const tts::Error& error) {
    err << toUtf8(withFullStop(error.message())) << std::endl;
    return ExitError;
}

} // namespace tts::cli
