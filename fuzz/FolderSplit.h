#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tts::fuzz {

// The eight SICE files an import reads, in the order their contents follow each other in one
// fuzz input.
inline constexpr std::array<std::string_view, 8> kImportFiles = {
    "sice_asignat.txt", "SICE_ACTIVIDADES.TXT",  "sice_prof.txt",         "sice_aulas.txt",
    "sice_grupo.txt",   "sice_asignatgrupo.txt", "sice_asignatcurso.txt", "sice_sesiones.txt"};

// One input is the eight files one after the other, each followed by this marker line. A file
// whose whole content is kMissing is left out; one whose content is kFolder becomes a folder of
// that name; files past the end of the input are missing.
inline constexpr std::string_view kFileEnd = "\n@@END@@\n";
inline constexpr std::string_view kMissing = "@@MISSING@@";
inline constexpr std::string_view kFolder = "@@FOLDER@@";

struct FuzzedFile {
    enum class Kind { File, Missing, Folder } kind = Kind::Missing;
    std::string bytes;
};

inline std::array<FuzzedFile, 8> splitIntoFiles(std::string_view input) {
    std::array<FuzzedFile, 8> files{};
    for (size_t i = 0; i < files.size() && !input.empty(); ++i) {
        const size_t end = input.find(kFileEnd);
        const std::string_view bytes = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view()
                                              : input.substr(end + kFileEnd.size());
        if (bytes == kMissing)
            continue;
        files[i].kind = bytes == kFolder ? FuzzedFile::Kind::Folder : FuzzedFile::Kind::File;
        files[i].bytes = std::string(bytes);
    }
    return files;
}

} // namespace tts::fuzz
