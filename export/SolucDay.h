#pragma once

#include "tables/WorkTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tts::exporting {

// DIA (`dia`) of a SOLUC row held as stored (`row`) as a whole number, `dayText` being it read as
// text. A blank DIA reads 0, like an empty number column; a number column holding a fraction is
// rounded, as any whole-number read of it is, so 0.4 is no day; a text that is not a whole
// number raises.
int32_t solucDayNumber(tables::WorkTable& soluc, const tables::ColumnHandle& dia,
                       std::string_view row, const std::string& dayText);

// The day text the line shows and the slot is looked up by: a day held with decimals ("1.5")
// becomes its rounded whole number; any other text stays as it is.
std::string solucDayText(const std::string& dayText, int32_t dayNumber);

} // namespace tts::exporting
