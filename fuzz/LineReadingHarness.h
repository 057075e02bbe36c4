#pragma once

#include "fuzz/BrokenInvariant.h"
#include "fuzz/ReferenceReading.h"
#include "sice/Field.h"
#include "sice/LineKind.h"
#include "sice/LineReader.h"

#include <array>
#include <string>
#include <string_view>

namespace tts::fuzz {

// The names the line-by-line readers compare header-name lines with.
inline constexpr std::array<std::string_view, 7> kReaderNames = {
    "SICE_ASIGNAT.TXT", "SICE_ACTIVIDADES.TXT",  "SICE_PROF.TXT",        "SICE_AULAS.TXT",
    "SICE_GRUPOS.TXT",  "SICE_ASIGNATGRUPO.TXT", "SICE_ASIGNATCURSO.TXT"};

// Columns the conversions take fields from, plus a few that run off any real line.
inline constexpr std::array<std::array<int, 2>, 10> kColumnRanges = {{{1, 1},
                                                                      {2, 5},
                                                                      {2, 51},
                                                                      {6, 55},
                                                                      {25, 34},
                                                                      {35, 37},
                                                                      {52, 59},
                                                                      {60, 71},
                                                                      {100, 250},
                                                                      {1, 400}}};

// Bytes of one SICE file, read line by line; every line classified for every reader and cut
// into fields. The reader must agree with the reference reading byte for byte.
inline void runLineReading(std::string_view bytes) {
    const auto expected = reference::readLineByLine(bytes);
    auto reader = sice::LineReader::over(bytes);
    size_t index = 0;
    while (!reader.atEnd()) {
        const std::string line = std::string(reader.next());
        require(index < expected.size(), "more lines than the file holds");
        if (line != expected[index])
            throw BrokenInvariant("line " + std::to_string(index + 1) + " differs");

        for (std::string_view name : kReaderNames) {
            const auto kind = sice::classifyLine(line, name);
            if (static_cast<int>(kind) != static_cast<int>(reference::classify(line, name)))
                throw BrokenInvariant("line " + std::to_string(index + 1) +
                                      " classified wrongly for " + std::string(name));
        }
        for (const auto& range : kColumnRanges) {
            if (sice::field(line, range[0], range[1]) != reference::field(line, range[0], range[1]))
                throw BrokenInvariant("line " + std::to_string(index + 1) + ", columns " +
                                      std::to_string(range[0]) + "-" + std::to_string(range[1]) +
                                      " differ");
        }
        ++index;
    }
    require(index == expected.size(), "the reader stopped early");
    reader.close();
    require(reader.atEnd(), "a closed reader still has lines");
}

} // namespace tts::fuzz
