#include "export/SolucDay.h"

#include "base/Numbers.h"
#include "sice/Field.h"

#include <algorithm>

namespace tts::exporting {

int32_t solucDayNumber(tables::WorkTable& soluc, const tables::ColumnHandle& dia,
                       std::string_view row, const std::string& dayText) {
    const std::string trimmed = sice::trimControls(dayText);
    if (trimmed.empty())
        return 0;
    const size_t sign = trimmed[0] == '+' || trimmed[0] == '-' ? 1 : 0;
    const bool digitsOnly = trimmed.size() > sign &&
                            std::all_of(trimmed.begin() + static_cast<long>(sign), trimmed.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
    return digitsOnly ? toInteger(trimmed) : soluc.readStoredInteger(dia, row);
}

std::string solucDayText(const std::string& dayText, int32_t dayNumber) {
    if (dayText.find_first_of(".,eE") != std::string::npos)
        return std::to_string(dayNumber);
    return dayText;
}

} // namespace tts::exporting
