#include "export/TimetableLines.h"

#include "sice/PaddedAppend.h"

#include <cstdio>

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

bool breaksTheFile(char controlByte) {
    return controlByte == '\r' || controlByte == '\n' || controlByte == 0x1A;
}

char worstControlByte(std::string_view value) {
    char first = 0;
    for (const char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            if (breaksTheFile(c))
                return c;
            if (!first)
                first = c;
        }
    return first;
}

std::string controlByteName(char controlByte) {
    switch (controlByte) {
    case '\r':
        return "un retorno de carro (CR)";
    case '\n':
        return "un salto de l\xEDnea (LF)";
    case 0x1A:
        return "una marca de fin de archivo (Ctrl-Z)";
    default:
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(controlByte));
        return std::string("el byte de control ") + hex;
    }
}

std::string_view shortCodeFallback(std::string_view code) {
    return code.substr(0, 4);
}

TimetableDataLine::TimetableDataLine(const DataValues& values) : values_(values), size_(1) {
    for (size_t i = 0; i < values_.size(); ++i)
        size_ += sice::paddedSize(values_[i], static_cast<int>(kDataFields[i].width));
}

void TimetableDataLine::write(char* at) const {
    *at++ = '1';
    for (size_t i = 0; i < values_.size(); ++i)
        at = sice::writePadded(at, values_[i], static_cast<int>(kDataFields[i].width));
}

std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp) {
    return headOrTail('0', headerCode, stamp);
}

std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines) {
    return headOrTail('9', headerCode, stamp) + std::to_string(dataLines);
}

} // namespace tts::exporting
