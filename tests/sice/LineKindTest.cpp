#include "sice/LineKind.h"

#include <gtest/gtest.h>
#include <string>

namespace tts::sice {
namespace {

TEST(LineKind, ClassifiesByTypeCharacterThenHeaderName) {
    const std::string pad51 = std::string(51, ' ');
    const struct {
        std::string line;
        const char* reader;
        LineKind kind;
    } table[] = {
        {"0", "SICE_PROF.TXT", LineKind::HeaderOrTrailer},
        {"0  GAR Garc\xED"
         "a",
         "SICE_PROF.TXT", LineKind::HeaderOrTrailer},
        {"9SICE_PROF.TXT  37999042", "SICE_PROF.TXT", LineKind::HeaderOrTrailer},
        {"", "SICE_PROF.TXT", LineKind::Data},
        {" 0  GAR", "SICE_PROF.TXT", LineKind::Data}, // a space in column 1 is data
        {"1SICE_PROF.TXT", "SICE_PROF.TXT", LineKind::HeaderName},
        {"   sice_Prof.txt    ", "SICE_PROF.TXT", LineKind::HeaderName},
        {"   sice_Prof.txt    ", "SICE_AULAS.TXT", LineKind::Data},
        {"xSICE_PROF.TXT.", "SICE_PROF.TXT", LineKind::Data},
        {pad51 + "SICE_PROF.TXT", "SICE_PROF.TXT", LineKind::Data}, // past column 51
        {" SICE_GRUPO.TXT", "SICE_GRUPOS.TXT", LineKind::Data},
        {"1SICE_PROF.TXT  x", "SICE_PROF.TXT", LineKind::Data}, // more after the name
        {"1\t\x01SICE_PROF.TXT\x1F", "SICE_PROF.TXT", LineKind::HeaderName},
        {"1" + std::string(40, ' ') + "SICE_PROF.TXT", "SICE_PROF.TXT", LineKind::Data}, // cut
        {"1" + std::string(37, ' ') + "SICE_PROF.TXT" + "xyz", "SICE_PROF.TXT",
         LineKind::HeaderName}, // what lies past column 51 does not count
        {" sice_grupos.txt", "SICE_GRUPOS.TXT", LineKind::HeaderName},
        // Only a-z are raised: ñ (0xF1) stays lower case and no longer matches Ñ (0xD1).
        {" sice_a\xF1o.txt", "SICE_A\xD1O.TXT", LineKind::Data},
        {" sice_a\xD1o.txt", "SICE_A\xD1O.TXT", LineKind::HeaderName},
    };
    for (const auto& row : table)
        EXPECT_EQ(classifyLine(row.line, row.reader), row.kind)
            << '"' << row.line << "\" " << row.reader;
}

} // namespace
} // namespace tts::sice
