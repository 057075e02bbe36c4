// The example school's SICE folder is what the Quick start and later tests import: it must be
// made of well-formed SICE record files as this layer reads them.

#include "sice/CodeList.h"
#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"

#include "SiceTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tts::sice {
namespace {

const std::string kFolder = std::string(TTS_SOURCE_DIR) + "/examples/sice/";

struct ExampleFile {
    const char* name;        // as the import opens it
    const char* ownName;     // in its header and trailer lines
    const char* readerName;  // what its header-name test compares with
    int codeFirst, codeLast; // columns of the de-duplicated code, 0 when there is none
};

const ExampleFile kFiles[] = {
    {"sice_asignat.txt", "SICE_ASIGNAT.TXT", "SICE_ASIGNAT.TXT", 2, 5},
    {"SICE_ACTIVIDADES.TXT", "SICE_ACTIVIDADES.TXT", "SICE_ACTIVIDADES.TXT", 2, 5},
    {"sice_prof.txt", "SICE_PROF.TXT", "SICE_PROF.TXT", 2, 5},
    {"sice_aulas.txt", "SICE_AULAS.TXT", "SICE_AULAS.TXT", 0, 0},
    {"sice_grupo.txt", "SICE_GRUPO.TXT", "SICE_GRUPOS.TXT", 0, 0},
    {"sice_asignatgrupo.txt", "SICE_ASIGNATGRUPO.TXT", "SICE_ASIGNATGRUPO.TXT", 0, 0},
    {"sice_asignatcurso.txt", "SICE_ASIGNATCURSO.TXT", "SICE_ASIGNATCURSO.TXT", 0, 0},
    {"sice_sesiones.txt", "SICE_SESIONES.TXT", "SICE_SESIONES.TXT", 0, 0},
};

std::vector<std::string> readLineByLine(const std::string& path) {
    LineReader reader(path);
    std::vector<std::string> lines;
    while (!reader.atEnd())
        lines.push_back(std::string(reader.next()));
    return lines;
}

bool isDateTime(const std::string& text) {
    if (text.size() != 12 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    int day = std::stoi(text.substr(0, 2)), month = std::stoi(text.substr(2, 2));
    int hour = std::stoi(text.substr(8, 2)), minute = std::stoi(text.substr(10, 2));
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 && hour <= 23 && minute <= 59;
}

TEST(ExampleFolder, EveryFileIsAWellFormedSiceRecordFile) {
    bool windows1252Letters = false;
    for (const ExampleFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        FoundFile found = findFile(kFolder, file.name);
        ASSERT_TRUE(found.exists);
        EXPECT_EQ(found.path, kFolder + file.name);

        const std::string bytes = test::readBytes(found.path);
        size_t crlf = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF without CR at byte " << i;
            } else if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
            }
            crlf += bytes[i] == '\n';
            windows1252Letters |= static_cast<unsigned char>(bytes[i]) >= 0xC0;
        }
        EXPECT_EQ(bytes.find_first_of(std::string("\0\x1A", 2)), std::string::npos);

        const std::vector<std::string> lines = test::readLines(found.path);
        EXPECT_EQ(readLineByLine(found.path), lines);
        ASSERT_EQ(lines.size(), crlf);
        ASSERT_GE(lines.size(), 3u);

        const std::string& header = lines.front();
        const std::string& trailer = lines.back();
        const std::string name50 =
            std::string(file.ownName) + std::string(50 - std::string(file.ownName).size(), ' ');
        EXPECT_EQ(header.substr(0, 59), "0" + name50 + "37999042");
        EXPECT_TRUE(isDateTime(rawField(header, 60, 71))) << header;
        EXPECT_EQ(header.size(), 71u);

        size_t dataLines = 0;
        CodeList codes;
        size_t repeats = 0;
        for (size_t i = 1; i + 1 < lines.size(); ++i) {
            LineKind kind = classifyLine(lines[i], file.readerName);
            EXPECT_NE(kind, LineKind::HeaderOrTrailer) << "line " << i + 1;
            if (kind != LineKind::Data)
                continue;
            ++dataLines;
            if (file.codeFirst) {
                std::string code = field(lines[i], file.codeFirst, file.codeLast);
                repeats += !codes.addOrFind(code).second;
            }
        }
        EXPECT_EQ(trailer, "9" + name50 + rawField(header, 52, 71) + std::to_string(dataLines));
        if (std::string(file.name) == "sice_asignat.txt" ||
            std::string(file.name) == "sice_prof.txt") {
            EXPECT_GE(repeats, 1u) << "the example shows a repeated code";
        }
    }
    EXPECT_TRUE(windows1252Letters);
}

TEST(ExampleFolder, SessionsUseDayLettersFromTheSecondLine) {
    const std::vector<std::string> lines = test::readLines(kFolder + "sice_sesiones.txt");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(rawField(lines[1], 9, 9), "L");
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        EXPECT_NE(std::string("LMXJV").find(field(lines[i], 9, 9)), std::string::npos) << lines[i];
        EXPECT_EQ(field(lines[i], 10, 13).size(), 4u) << lines[i];
        EXPECT_EQ(field(lines[i], 14, 17).size(), 4u) << lines[i];
    }
}

} // namespace
} // namespace tts::sice
