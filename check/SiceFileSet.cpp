#include "check/SiceFileSet.h"

namespace tts::check {

const std::vector<SiceFileUse>& siceFileUses() {
    static const std::vector<SiceFileUse> uses = {
        {"sice_asignat.txt", "SICE_ASIGNAT.TXT", Reading::LineByLine, true,
         "la importaci\xF3n (ASIGNOMT) y la exportaci\xF3n"},
        {"SICE_ACTIVIDADES.TXT", "SICE_ACTIVIDADES.TXT", Reading::LineByLine, false,
         "la importaci\xF3n (ASIGNOMT, opcional)"},
        {"sice_prof.txt", "SICE_PROF.TXT", Reading::LineByLine, true, "la importaci\xF3n (PROFT)"},
        {"sice_aulas.txt", "SICE_AULAS.TXT", Reading::LineByLine, true,
         "la importaci\xF3n (AULAT)"},
        {"sice_grupo.txt", "SICE_GRUPOS.TXT", Reading::LineByLine, true,
         "la importaci\xF3n (GRUPOST)"},
        {"sice_asignatgrupo.txt", "SICE_ASIGNATGRUPO.TXT", Reading::LineByLine, true,
         "la importaci\xF3n (ASIGT)"},
        {"sice_asignatcurso.txt", "SICE_ASIGNATCURSO.TXT", Reading::WholeFile, false,
         "la importaci\xF3n (horas de ASIGT, opcional)"},
        {"sice_sesiones.txt", "SICE_SESIONES.TXT", Reading::WholeFile, true,
         "la importaci\xF3n (DIASHORAST) y la exportaci\xF3n"},
    };
    return uses;
}

} // namespace tts::check
