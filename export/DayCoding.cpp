#include "export/DayCoding.h"

#include "base/Error.h"
#include "base/LocatedError.h"
#include "sice/IoError.h"
#include "sice/SiceLayouts.h"

#include <string_view>

namespace tts::exporting {

DayCoding dayCodingFrom(sice::WholeFileLines sessionLines) {
    // The first line is the header; the first slot line tells how this school codes its days.
    std::string_view line;
    if (!sessionLines.next(line) || !sessionLines.next(line))
        throw Error("List index out of bounds (1)");
    const std::string_view day = sice::layout::Sessions::day.in(line);
    if (day.size() == 1 && day[0] >= '1' && day[0] <= '7')
        return DayCoding::Numbers;
    return DayCoding::Letters;
}

DayCoding dayCodingOfFile(const std::string& path, sice::WholeFileLines sessionLines) {
    try {
        return dayCodingFrom(sessionLines);
    } catch (const Error& error) {
        throw LocatedError(error.message() + "." + sice::fileContext(path, kDayCodingNeeds),
                           ValueLocation{path, 0, kDayCodingNeeds});
    }
}

std::string_view siceDayCode(DayCoding coding, std::string_view day) {
    static constexpr std::string_view kLetters = "LMXJVSD";
    if (coding == DayCoding::Letters && day.size() == 1 && day[0] >= '1' && day[0] <= '7')
        return kLetters.substr(static_cast<size_t>(day[0] - '1'), 1);
    return day;
}

} // namespace tts::exporting

namespace tts::exporting {

namespace {

bool isDayDigit(const std::string& day) {
    return day.size() == 1 && day[0] >= '1' && day[0] <= '7';
}

bool isDayLetter(const std::string& day) {
    return day.size() == 1 && std::string_view("LMXJVSD").find(day[0]) != std::string_view::npos;
}

} // namespace

bool slotDaysDisagree(DayCoding coding, const std::vector<std::string>& slotDays) {
    bool expected = false, other = false;
    for (const std::string& day : slotDays) {
        expected = expected || (coding == DayCoding::Letters ? isDayLetter(day) : isDayDigit(day));
        other = other || (coding == DayCoding::Letters ? isDayDigit(day) : isDayLetter(day));
    }
    return other && !expected;
}

} // namespace tts::exporting
