#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tts::sice {

// Line-by-line reading. The file is read with one buffered read at open; LF ends a line, a CR
// before LF is dropped, any other CR is dropped, Ctrl-Z at the start of a line ends the file,
// Ctrl-Z inside a line cuts that line, NUL stays. Open failures raise the Spanish I/O messages
// by error code ("No se encuentra el archivo", "Acceso al archivo denegado", "Error de E/S %d")
// followed by the file and the reason (sice/IoError.h). The file is open only during that read,
// for reading while others may only read. A folder, device or FIFO raises
// "Cannot open file "%s". %s".
// Lines are views into the file's bytes (only a line that loses a stray CR inside is put
// together in a buffer of the reader), so reading costs the file's size and one line, whatever
// the lines are like.
class LineReader {
public:
    explicit LineReader(const std::string& path);
    // The file's bytes into `bytes`, whose capacity is kept, raising as the constructor does:
    // with over(), steps that read one file after another reuse one buffer.
    static void load(const std::string& path, std::string& bytes);
    // Reads `bytes`, which the caller keeps alive and unchanged while the reader lives.
    static LineReader over(std::string_view bytes);

    bool atEnd() const;
    // The next line, valid until the next call or the reader's end.
    std::string_view next();
    void close();

private:
    LineReader() = default;
    std::string_view bytes() const { return borrowed_ ? borrowedBytes_ : std::string_view(owned_); }
    std::string owned_;
    std::string_view borrowedBytes_;
    bool borrowed_ = false;
    size_t pos_ = 0;
    size_t nextCtrlZ_ = 0; // where the next Ctrl-Z at or after pos_ lies (the end when none)
    bool ctrlZKnown_ = false;
    std::string joined_; // a line without its stray CRs
};

} // namespace tts::sice
