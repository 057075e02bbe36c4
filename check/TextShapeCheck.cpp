#include "check/TextShapeCheck.h"

#include "base/Windows1252.h"

#include <string_view>

namespace tts::check {

namespace {

constexpr char kCtrlZ = '\x1A';

bool isBlank(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > 32 && c != kCtrlZ)
            return false;
    return true;
}

// Lines (by LF) with something in them, from `from` to the end.
int64_t linesWithData(std::string_view bytes, size_t from) {
    int64_t count = 0;
    while (from < bytes.size()) {
        size_t lf = bytes.find('\n', from);
        if (lf == std::string_view::npos)
            lf = bytes.size();
        if (!isBlank(bytes.substr(from, lf - from)))
            ++count;
        from = lf + 1;
    }
    return count;
}

std::string linesText(int64_t n) {
    return std::to_string(n) + (n == 1 ? " l\xEDnea" : " l\xEDneas");
}

void checkEncoding(const SiceFile& file, Findings& out) {
    std::string_view bytes = file.bytes;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        out.push_back({file.storedName, 1,
                       "empieza con la marca de orden de bytes de UTF-8 (EF BB BF): la primera "
                       "l\xEDnea deja de ser cabecera y las columnas se desplazan",
                       true});
    int64_t line = 1, firstLine = 0, count = 0, lastCounted = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            continue;
        }
        if (static_cast<unsigned char>(bytes[i]) < 0x80 || (i < 3 && bytes[0] == '\xEF'))
            continue;
        const size_t length = utf8SequenceAt(bytes, i);
        if (length == 0)
            continue;
        if (lastCounted != line) {
            ++count;
            lastCounted = line;
            if (firstLine == 0)
                firstLine = line;
        }
        i += length - 1;
    }
    if (count > 0)
        out.push_back({file.storedName, firstLine,
                       "texto en UTF-8 donde se espera Windows-1252: cada letra acentuada ocupa "
                       "dos bytes y desplaza las columnas (" +
                           linesText(count) + " as\xED)",
                       true});
}

void checkLineEnds(const SiceFile& file, Findings& out) {
    std::string_view bytes = file.bytes;
    int64_t crlf = 0, lf = 0, loneCr = 0, firstLoneCrLine = 0, line = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lf;
            ++line;
        } else if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++crlf;
                --lf; // counted again at the LF
            } else {
                ++loneCr;
                if (firstLoneCrLine == 0)
                    firstLoneCrLine = line;
            }
        }
    }
    if (loneCr == 0 && (crlf == 0 || lf == 0))
        return;
    if (crlf == 0 && lf == 0) {
        // Only CR: whole-file reading splits it right, line-by-line reading sees one line.
        if (file.use->reading == sice::FileReading::LineByLine)
            out.push_back({file.storedName, 0,
                           "los finales de l\xEDnea son s\xF3lo CR: la lectura l\xEDnea a "
                           "l\xEDnea lo toma como una sola l\xEDnea y se pierden " +
                               linesText(loneCr),
                           true});
        return;
    }
    if (loneCr > 0) {
        const bool lineByLine = file.use->reading == sice::FileReading::LineByLine;
        out.push_back(
            {file.storedName, firstLoneCrLine,
             std::string("CR suelto dentro de la l\xEDnea: ") +
                 (lineByLine ? "se borra y une lo que separaba" : "parte la l\xEDnea en dos") +
                 " (" + std::to_string(loneCr) + " en el archivo)",
             !lineByLine});
        return;
    }
    out.push_back({file.storedName, 0,
                   "finales de l\xEDnea mezclados: " + std::to_string(crlf) + " CR LF y " +
                       std::to_string(lf) + " LF solos",
                   false});
}

void checkEarlyEnd(const SiceFile& file, Findings& out) {
    CappedFindings cuts(out, "Ctrl-Z m\xE1s dentro de l\xEDneas, que pierden su resto");
    std::string_view bytes = file.bytes;
    if (file.use->reading == sice::FileReading::Whole) {
        const size_t nul = bytes.find('\0');
        if (nul == std::string_view::npos)
            return;
        const bool atLineStart = nul == 0 || bytes[nul - 1] == '\n' || bytes[nul - 1] == '\r';
        int64_t linesRead = 0; // as the import reads them, up to the NUL
        forEachLine(file, [&](int64_t n, std::string_view) { linesRead = n; });
        const int64_t line = linesRead + (atLineStart ? 1 : 0);
        const int64_t lost = linesWithData(bytes, nul + 1);
        if (lost > 0)
            out.push_back({file.storedName, line,
                           "byte NUL: la lectura del archivo termina aqu\xED y se pierden " +
                               linesText(lost) + " con datos",
                           true});
        return;
    }
    int64_t line = 1;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view physical = bytes.substr(start, end - start);
        const size_t ctrlZ = physical.find(kCtrlZ);
        if (ctrlZ == 0) {
            const int64_t lost = linesWithData(bytes, start + 1);
            if (lost > 0)
                out.push_back({file.storedName, line,
                               "Ctrl-Z al principio de la l\xEDnea: la lectura termina aqu\xED y "
                               "se pierden " +
                                   linesText(lost) + " con datos",
                               true});
            return;
        }
        if (ctrlZ != std::string_view::npos && !isBlank(physical.substr(ctrlZ + 1)))
            cuts.add({file.storedName, line,
                      "Ctrl-Z en la columna " + std::to_string(ctrlZ + 1) +
                          ": se pierde el resto de la l\xEDnea",
                      true});
        ++line;
        start = end + 1;
    }
}

} // namespace

void checkTextShape(const SiceFile& file, Findings& findings) {
    checkEncoding(file, findings);
    checkLineEnds(file, findings);
    checkEarlyEnd(file, findings);
}

} // namespace tts::check
