#include "app/ProcessState.h"

namespace tts::app {

int32_t EstadoTransformado = 0;
int32_t ParametrosLlamada = 0;
std::string ApplicationHelpFile;

} // namespace tts::app
