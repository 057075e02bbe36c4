#include "cli/Commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "Uso: transTalvorSice-cli <orden> --sice CARPETA [--work CARPETA] [--json]\n"
    "\n"
    "\u00D3rdenes:\n"
    "  import   Lee los archivos SICE_*.TXT de la carpeta SICE y reconstruye las seis tablas\n"
    "           de trabajo de Horvane (ASIGNOMT, PROFT, AULAT, GRUPOST, ASIGT, DIASHORAST).\n"
    "  export   Lee el horario calculado por Horvane (tabla SOLUC) y escribe SICE_HORARIO.TXT\n"
    "           en la carpeta SICE.\n"
    "\n"
    "Opciones:\n"
    "  --sice CARPETA   carpeta de los archivos SICE (obligatoria)\n"
    "  --work CARPETA   carpeta de trabajo de Horvane (por omisi\u00F3n la variable HTEMP, o\n"
    "                   $WINEPREFIX/drive_c/HTEMP, o ~/.wine/drive_c/HTEMP)\n"
    "  --json           informe final en formato JSON\n"
    "  --help           muestra esta ayuda\n"
    "\n"
    "Estado de salida: 0 terminado; 1 falta la carpeta o un archivo obligatorio;\n"
    "2 un error detuvo el proceso; 64 uso incorrecto.\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return tts::cli::ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return tts::cli::ExitOk;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return tts::cli::ExitOk;
        }
    if (command == "import")
        return tts::cli::runImportCommand(args);
    if (command == "export")
        return tts::cli::runExportCommand(args);
    std::cerr << "Orden desconocida: " << command << "\n\n" << kUsage;
    return tts::cli::ExitUsage;
}
