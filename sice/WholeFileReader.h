#pragma once

#include <string>
#include <string_view>

namespace tts::sice {

// Whole-file reading: CR LF, LF and CR each end a line, LF CR gives an empty line, NUL ends the
// text, Ctrl-Z is a character.

// The lines of bytes read whole, one after another, each a view into those bytes: nothing is
// copied or kept per line, so a file costs its own size whatever its lines (a file of bare line
// ends is as cheap as any other).
class WholeFileLines {
public:
    explicit WholeFileLines(std::string_view bytes);
    // The next line into `line`; false after the last.
    bool next(std::string_view& line);

private:
    size_t find(char c, size_t from) const;
    std::string_view bytes_;
    size_t start_ = 0;
    size_t nextCr_ = 0;
    size_t nextLf_ = 0;
};

// A SICE file read whole: its bytes, and its lines through lines(), processed from the first.
// A file that cannot be opened raises "Cannot open file "%s". %s".
class WholeFile {
public:
    explicit WholeFile(const std::string& path);
    WholeFileLines lines() const { return WholeFileLines(bytes_); }
    // The file's bytes into `bytes`, whose capacity is kept, raising as the constructor does.
    static void load(const std::string& path, std::string& bytes);

private:
    std::string bytes_;
};

} // namespace tts::sice
