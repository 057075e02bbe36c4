#include "base/platform/Console.h"

#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

namespace tts::platform {

namespace {

// Gathers the UTF-8 bytes of a stream and writes whole characters to the console as UTF-16.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
        pending_.push_back(traits_type::to_char_type(c));
        if (c == '\n' || pending_.size() >= 4096)
            sync();
        return c;
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        pending_.append(bytes, static_cast<size_t>(count));
        if (pending_.find('\n') != std::string::npos || pending_.size() >= 4096)
            sync();
        return count;
    }

    int sync() override {
        // A character cut at the end waits for its other bytes.
        size_t whole = pending_.size();
        size_t back = 0;
        while (back < 3 && back < whole &&
               (static_cast<unsigned char>(pending_[whole - 1 - back]) & 0xC0) == 0x80)
            ++back;
        if (back < whole) {
            const auto lead = static_cast<unsigned char>(pending_[whole - 1 - back]);
            const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (length > back + 1)
                whole -= back + 1;
        }
        if (whole == 0)
            return 0;
        const int wideLength =
            ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(whole), nullptr, 0);
        std::wstring wide(static_cast<size_t>(wideLength), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(whole), wide.data(),
                              wideLength);
        DWORD written = 0;
        const bool ok = ::WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()),
                                        &written, nullptr) != 0;
        pending_.erase(0, whole);
        return ok ? 0 : -1;
    }

private:
    HANDLE console_;
    std::string pending_;
};

void useConsoleFor(std::ostream& stream, DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !::GetConsoleMode(handle, &mode))
        return; // a file or a pipe: the bytes go as they are
    stream.flush();
    // Never freed: the streams are flushed at exit, after every object of ours is gone.
    stream.rdbuf(new ConsoleBuffer(handle));
}

} // namespace

void showUtf8OnConsoles() {
    useConsoleFor(std::cout, STD_OUTPUT_HANDLE);
    useConsoleFor(std::cerr, STD_ERROR_HANDLE);
}

} // namespace tts::platform
