#include "base/platform/Console.h"
#include "base/platform/CommandLine.h"
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
    "  check    Revisa la carpeta SICE (y, con --work, las tablas que lee la exportaci\u00F3n)\n"
    "           sin escribir nada: un hallazgo por l\u00EDnea, \"archivo:l\u00EDnea: texto\", y "
    "un\n"
    "           resumen. Sale con 0 si nada detendr\u00EDa un trabajo ni perder\u00EDa "
    "l\u00EDneas, y\n"
    "           con 1 si algo lo har\u00EDa (tambi\u00E9n una carpeta que no se puede leer);\n"
    "           con 2 si algo imprevisto detuvo la revisi\u00F3n.\n"
    "\n"
    "Opciones:\n"
    "  --sice CARPETA   carpeta de los archivos SICE (obligatoria)\n"
#ifdef _WIN32
    "  --work CARPETA   carpeta de trabajo de Horvane (por omisi\u00F3n la variable HTEMP, o\n"
    "                   C:\\HTEMP)\n"
#else
    "  --work CARPETA   carpeta de trabajo de Horvane (por omisi\u00F3n la variable HTEMP, o\n"
    "                   $WINEPREFIX/drive_c/HTEMP, o ~/.wine/drive_c/HTEMP)\n"
#endif
    "  --json           informe final en formato JSON\n"
    "  --help           muestra esta ayuda\n"
    "\n"
    "Estado de salida (import, export): 0 terminado; 1 falta la carpeta o un archivo\n"
    "obligatorio; 2 un error detuvo el proceso o no se pudo escribir el informe; 64 uso\n"
    "incorrecto. Si el error lo caus\u00F3 un valor, una l\u00EDnea m\u00E1s dice d\u00F3nde\n"
    "est\u00E1: \"archivo:l\u00EDnea: columnas a-b\".\n"
    "\n"
    "Informe JSON de import y export (todas las claves, siempre):\n"
    "  command, siceFolder, workFolder; outcome: \"finished\" | \"stopped\" | \"missingFolder\";\n"
    "  exitStatus; messages: avisos en orden; error: texto o null; errorLocation:\n"
    "  {file, line (o null), place} o null. import a\u00F1ade requiredFileMissing y tables\n"
    "  [{table, rebuilt, rowsWritten, repeatedCodes}]; export a\u00F1ade writtenTo (o null),\n"
    "  writtenInPlace, linesWritten, fallbacks {groups, tasks, rooms, slots: {rows, emptyRows,\n"
    "  codes [{code, rows}]}} y dayCodingMismatch. Ambos a\u00F1aden filesLeftAside: los\n"
    "  archivos cuyo nombre solo difiere en may\u00FAsculas del que se us\u00F3; y warnings:\n"
    "  los avisos del trabajo, las mismas l\u00EDneas que el informe de texto da bajo \"Avisos:\"\n"
    "  y la ventana en un mensaje tras \"Proceso finalizado\".\n"
    "Informe JSON de check: command, siceFolder, workFolder (o null); outcome: \"checked\" |\n"
    "  \"missingFolder\"; exitStatus; files [{name, foundAs, neededBy}]; findings [{file, line,\n"
    "  text, stops, note}]; stopping; warnings; notes; emptyCodes {groups, tasks, rooms} o\n"
    "  null. Las notas (c\u00F3digos repetidos: vale la primera l\u00EDnea) no son hallazgos.\n";

} // namespace

int main(int argc, char** argv) {
    tts::platform::showUtf8OnConsoles();
    std::vector<std::string> args = tts::platform::commandLineArguments(argc, argv);
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
    int status = -1;
    if (command == "import")
        status = tts::cli::runImportCommand(args);
    else if (command == "export")
        status = tts::cli::runExportCommand(args);
    else if (command == "check")
        status = tts::cli::runCheckCommand(args);
    if (status >= 0) {
        // A report that did not reach its reader (a full disk, a closed pipe) is no success,
        // whatever the job did: what it did to the files stays as it is.
        if (!std::cout.flush()) {
            std::cerr << "No se ha podido escribir el informe en la salida est\u00E1ndar."
                      << std::endl;
            return tts::cli::ExitError;
        }
        return status;
    }
    std::cerr << "Orden desconocida: " << command << "\n\n" << kUsage;
    return tts::cli::ExitUsage;
}
