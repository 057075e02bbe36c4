#include "app/help/HtmlHelpLibrary.h"

#ifdef _WIN32

#include "base/Windows1252.h"
#include "base/platform/SharedLibrary.h"
#include "base/platform/win32/Wide.h"

#include <cstdint>
#include <string>

namespace tts::app {

namespace {

// "HHCtrl.ocx" and its entry HtmlHelpA, loaded for as long as this object lives. Called through
// its wide twin, HtmlHelpW: the help file's path is UTF-8 here and may hold letters that the
// ANSI code page lacks.
class HHCtrlLibrary : public HtmlHelpLibrary {
public:
    HHCtrlLibrary()
        : library_("HHCtrl.ocx"),
          function_(reinterpret_cast<HtmlHelpFunction>(library_.symbol("HtmlHelpW"))) {}

    HtmlHelpEntry entry() override {
        if (!function_)
            return {};
        auto function = function_;
        return [function](WindowHandle owner, const char* file, unsigned command,
                          std::uintptr_t data) {
            const std::wstring wideFile = file ? platform::widen(file) : std::wstring();
            // The index command's data is the keyword's text, one of ours.
            constexpr unsigned kDisplayIndex = 0x0002;
            std::wstring keyword;
            if (command == kDisplayIndex && data) {
                keyword = platform::widen(textForDisplay(reinterpret_cast<const char*>(data)));
                data = reinterpret_cast<std::uintptr_t>(keyword.c_str());
            }
            return reinterpret_cast<std::intptr_t>(function(
                reinterpret_cast<void*>(owner), file ? wideFile.c_str() : nullptr, command, data));
        };
    }

private:
    // HWND HtmlHelpW(HWND, LPCWSTR, UINT, DWORD_PTR), in the system's calling convention.
    using HtmlHelpFunction = void*(__stdcall*)(void*, const wchar_t*, unsigned, std::uintptr_t);
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
