#include "base/platform/SystemError.h"

#include <iterator>

namespace tts::platform {

namespace {

// Windows-1252: \xE1 á, \xED í, \xF1 ñ.
struct CauseText {
    Cause cause;
    const char* text;
};

constexpr CauseText kReasons[] = {
    {Cause::NotRegularFile, "no es un archivo normal"},
    {Cause::BrokenLink, "es un enlace roto: lo que nombra no existe"},
    {Cause::NotFound, "no existe"},
    {Cause::PathNotFolder, "una parte de la ruta no es una carpeta"},
    {Cause::AccessDenied, "acceso denegado"},
    {Cause::ReadOnlyDisk, "el disco es de solo lectura"},
    {Cause::DiskFull, "no queda espacio en el disco"},
    {Cause::QuotaExceeded, "se ha superado la cuota de disco"},
    {Cause::FileTooLarge, "el archivo ha superado el tama\xF1o permitido"},
    {Cause::DiskFault, "error de entrada/salida del disco"},
    {Cause::TooManyOpenFiles, "demasiados archivos abiertos"},
    {Cause::NameTooLong,
     "la ruta o uno de sus nombres es m\xE1s largo de lo que el sistema admite"},
    {Cause::IsFolder, "es una carpeta"},
    {Cause::LinkLoop, "es un enlace que vuelve sobre s\xED mismo (enlaces en bucle)"},
    {Cause::InUse, "otro programa lo est\xE1 usando"},
};

} // namespace

std::string reasonInSpanish(SystemError error) {
    const Cause cause = causeOf(error);
    for (const CauseText& reason : kReasons)
        if (reason.cause == cause)
            return reason.text;
    return "error del sistema " + std::to_string(error);
}

std::string describe(SystemError error) {
    std::string text = reasonInSpanish(error);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace tts::platform
