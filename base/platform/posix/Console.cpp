#include "base/platform/Console.h"

namespace tts::platform {

void showUtf8OnConsoles() {} // terminals here take UTF-8 as it is

} // namespace tts::platform
