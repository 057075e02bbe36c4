#pragma once

#include <string>
#include <vector>

namespace tts::sice {

// Line-by-line reading. The file is read with one buffered read at open; LF ends a line, a CR
// before LF is dropped, any other CR is dropped, Ctrl-Z at the start of a line ends the file,
// Ctrl-Z inside a line cuts that line, NUL stays. Open failures raise the Spanish I/O messages
// by error code ("No se encuentra el archivo", "Acceso al archivo denegado", "Error de E/S %d").
// The file is open only during that read, for reading while others may only read; the codes
// are in sice/IoError.h. A folder, device or FIFO raises "Cannot open file "%s". %s".
class LineReader {
public:
    explicit LineReader(const std::string& path);
    static LineReader fromBytes(std::string bytes); // for tests and fuzzing

    bool atEnd() const;
    std::string nextLine();
    void nextLine(std::string& line); // the same into a buffer that keeps its capacity
    void close();

private:
    LineReader() = default;
    std::string bytes_;
    size_t pos_ = 0;
};

} // namespace tts::sice
