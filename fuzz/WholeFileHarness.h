#pragma once

#include "fuzz/BrokenInvariant.h"
#include "fuzz/ReferenceReading.h"
#include "fuzz/ScratchFolder.h"
#include "sice/FileWriter.h"
#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"
#include "tests/support/SiceLines.h"

#include <string>
#include <string_view>
#include <vector>

namespace tts::fuzz {

// Bytes of one SICE file read whole. The split must agree with the reference; the lines, written
// back as a SICE file and read again both ways, must come back unchanged.
class WholeFileHarness {
public:
    void run(std::string_view bytes) {
        const std::vector<std::string> lines = test::splitLines(bytes);
        require(lines == reference::readWhole(bytes), "the whole-file split differs");

        const std::string path = folder_.prefix() + "SICE_HORARIO.TXT";
        sice::LineFileWriter file(path);
        for (const std::string& line : lines)
            file.add(line);
        file.commit();
        std::string back;
        sice::WholeFile::load(path, back);
        require(test::splitLines(back) == lines, "a written file reads back differently");

        // Line-by-line reading agrees as long as no line holds a Ctrl-Z, its one special byte.
        bool hasCtrlZ = false;
        for (const auto& line : lines)
            hasCtrlZ = hasCtrlZ || line.find('\x1A') != std::string::npos;
        if (!hasCtrlZ) {
            sice::LineReader reader(path);
            std::vector<std::string> again;
            while (!reader.atEnd())
                again.push_back(std::string(reader.next()));
            reader.close();
            require(again == lines, "a written file reads back differently line by line");
        }
    }

private:
    ScratchFolder folder_{"whole-file"};
};

} // namespace tts::fuzz
