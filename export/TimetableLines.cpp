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

void timetableDataLine(DayCoding coding, const SolucRow& row, const Translations& found,
                       std::string& line) {
    struct Field {
        std::string_view value;
        int width;
    };
    const Field fields[] = {
        {"1", 1},
        {found.slot.value_or(std::string_view()), 4},
        {siceDayCode(coding, row.day), 1},
        {row.teacher, 4},
        {found.group ? *found.group : shortCodeFallback(row.group), 4},
        {found.task.value_or(std::string_view(kLectureTask)), 4},
        {row.subject, 4},
        {found.room ? *found.room : shortCodeFallback(row.room), 4},
    };
    // Sized once, then written in place: a line costs no growth and no copy.
    size_t size = 0;
    for (const Field& field : fields)
        size += sice::paddedSize(field.value, field.width);
    const size_t start = line.size();
    line.resize(start + size);
    char* at = line.data() + start;
    for (const Field& field : fields)
        at = sice::writePadded(at, field.value, field.width);
}

std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp) {
    return headOrTail('0', headerCode, stamp);
}

std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines) {
    return headOrTail('9', headerCode, stamp) + std::to_string(dataLines);
}

} // namespace tts::exporting
