#pragma once

#include "import/ImportContext.h"

namespace tts::import {

// The six conversions, in the order the run calls them. Each returns normally whether or not
// its SICE file was there; any other failure is a tts::Error that ends the run.
void TransformaAsignaturas(ImportContext& context);      // ASIGNOMT
void TransformaProfesores(ImportContext& context);       // PROFT
void TransformaAulas(ImportContext& context);            // AULAT
void TransformaGrupos(ImportContext& context);           // GRUPOST
void TransformaAsignaturasGrupo(ImportContext& context); // ASIGT (reads GRUPOST)
void TransformaSesiones(ImportContext& context);         // DIASHORAST

} // namespace tts::import
