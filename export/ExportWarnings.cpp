#include "export/ExportWarnings.h"

#include "base/WarningText.h"
#include "export/TimetableLines.h"

#include <algorithm>

namespace tts::exporting {

namespace {

// "1 lección tiene", "3 lecciones tienen": the subject of a warning about rows of the timetable.
std::string lessonsHave(int64_t n) {
    return std::to_string(n) + (n == 1 ? " lecci\xF3n tiene" : " lecciones tienen");
}

std::vector<std::string> frequentCodes(const Fallback& fallback) {
    std::vector<std::string> codes;
    for (size_t i : fallback.byFrequency()) {
        if (codes.size() == kCodesNamed)
            break;
        codes.push_back(fallback.codes[i]);
    }
    return codes;
}

void addFallback(const Fallback& fallback, const std::string& what, const std::string& written,
                 std::vector<std::string>& out) {
    if (fallback.rows == 0)
        return;
    out.push_back(lessonsHave(fallback.rows) + " " + what + " (" +
                  namedCodes(frequentCodes(fallback), int64_t(fallback.codes.size())) +
                  "): " + (fallback.rows == 1 ? "se escribe " : "se escriben ") + written);
}

std::string longValuesText(const FieldValues& long_) {
    // Each named value with its field, so that the user knows which code to shorten.
    std::string named;
    const size_t shown = std::min(long_.values.size(), kCodesNamed);
    for (size_t i = 0; i < shown; ++i)
        named += std::string(i == 0 ? "" : ", ") + kDataFields[long_.values[i].field].what + " '" +
                 long_.values[i].value + "'";
    if (long_.values.size() > shown)
        named += " y " + std::to_string(long_.values.size() - shown) + " m\xE1s";
    return lessonsHave(long_.rows) + " c\xF3" + "digos m\xE1s largos que su columna (" + named +
           "): se escriben enteros, desplazan el resto de la l\xEDnea y SICE leer\xE1 mal esas "
           "l\xEDneas";
}

} // namespace

std::vector<std::string> exportWarnings(const ExportReport& report) {
    std::vector<std::string> out;
    if (report.solucRows == 0)
        out.push_back(
            "SOLUC no tiene filas: el horario anterior se ha sustituido por uno vac\xEDo");
    else if (report.linesWritten == 0)
        out.push_back("Ninguna fila de SOLUC tiene d\xED"
                      "a: el horario anterior se ha sustituido por uno vac\xEDo");
    addFallback(report.groups, "un grupo que no est\xE1 en GRUPOST",
                "con sus 4 primeros caracteres", out);
    addFallback(report.tasks, "una tarea que no est\xE1 en ASIGNOMT", "como LEC", out);
    addFallback(report.rooms, "un aula que no est\xE1 en AULAT", "con sus 4 primeros caracteres",
                out);
    if (report.dayCodingMismatch)
        out.push_back("sice_sesiones.txt y DIASHORAST escriben los d\xED"
                      "as de forma distinta (letras y n\xFAmeros): ninguna lecci\xF3n lleva "
                      "c\xF3"
                      "digo de tramo; vuelva a importar la carpeta SICE");
    else
        addFallback(report.slots,
                    "un d\xED"
                    "a y hora sin tramo en DIASHORAST",
                    "sin c\xF3"
                    "digo de tramo",
                    out);
    if (report.longValues.rows > 0)
        out.push_back(longValuesText(report.longValues));
    for (const std::string& leftAside : report.filesLeftAside)
        out.push_back("Nombres que solo difieren en may\xFAsculas: " + leftAside);
    return out;
}

} // namespace tts::exporting
