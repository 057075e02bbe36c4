#include "app/help/HtmlHelpLibrary.h"

#ifdef _WIN32

#include "base/platform/SharedLibrary.h"
#include "base/platform/win32/Wide.h"

#include <cstdint>

namespace tts::app {

namespace {

// "HHCtrl.ocx" and its entry HtmlHelpA, loaded for as long as this object lives.
class HHCtrlLibrary : public HtmlHelpLibrary {
public:
    HHCtrlLibrary()
        : library_("HHCtrl.ocx"),
          function_(reinterpret_cast<HtmlHelpFunction>(library_.symbol("HtmlHelpA"))) {}

    HtmlHelpEntry entry() override {
        if (!function_)
            return {};
        auto function = function_;
        return [function](WindowHandle owner, const char* file, unsigned command,
                          std::uintptr_t data) {
            // Our paths are UTF-8; the entry takes the ANSI code page's bytes.
            const std::string ansi = file ? platform::ansiPath(file) : std::string();
            return reinterpret_cast<std::intptr_t>(function(
                reinterpret_cast<void*>(owner), file ? ansi.c_str() : nullptr, command, data));
        };
    }

private:
    // HWND HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR), in the system's calling convention.
    using HtmlHelpFunction = void*(__stdcall*)(void*, const char*, unsigned, std::uintptr_t);
    platform::SharedLibrary library_;
    HtmlHelpFunction function_;
};

} // namespace

std::unique_ptr<HtmlHelpLibrary> loadHtmlHelpLibrary() {
    return std::make_unique<HHCtrlLibrary>();
}

} // namespace tts::app

#else

#include "app/help/XchmHtmlHelp.h"

#include <cstdlib>

namespace tts::app {

std::unique_ptr<HtmlHelpLibrary> loadHtmlHelpLibrary() {
    const char* path = std::getenv("PATH");
    return std::make_unique<XchmHtmlHelp>(path ? path : "");
}

} // namespace tts::app

#endif
