#include "export/TimetableLines.h"

#include "sice/PaddedAppend.h"

namespace tts::exporting {

namespace {

const char* const kFileName = "SICE_HORARIO.TXT";

std::string headOrTail(char recordType, const std::string& headerCode, const std::string& stamp) {
    std::string line(1, recordType);
    sice::appendPadded(line, kFileName, 50);
    sice::appendPadded(line, headerCode, 8);
    line += stamp;
    return line;
}

} // namespace

std::string_view shortCodeFallback(std::string_view code) {
    return code.substr(0, 4);
}

DataValues dataLineValues(std::string_view siceDay, const SolucRow& row,
                          const Translations& found) {
    return {found.slot.value_or(std::string_view()),
            siceDay,
            row.teacher,
            found.group ? *found.group : shortCodeFallback(row.group),
            found.task.value_or(std::string_view(kLectureTask)),
            row.subject,
            found.room ? *found.room : shortCodeFallback(row.room)};
}

void timetableDataLine(DayCoding coding, const SolucRow& row, const Translations& found,
                       std::string& line) {
    const std::string day = siceDayCode(coding, row.day);
    const DataValues values = dataLineValues(day, row, found);
    line.assign(1, '1');
    for (size_t i = 0; i < values.size(); ++i)
        sice::appendPadded(line, values[i], static_cast<int>(kDataFields[i].width));
}

std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp) {
    return headOrTail('0', headerCode, stamp);
}

std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines) {
    return headOrTail('9', headerCode, stamp) + std::to_string(dataLines);
}

} // namespace tts::exporting
