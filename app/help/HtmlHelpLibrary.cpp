#include "app/help/HtmlHelpLibrary.h"

#ifdef _WIN32

#include <windows.h>

namespace tts::app {

namespace {

// "HHCtrl.ocx" and its entry HtmlHelpA, loaded for as long as this object lives.
class HHCtrlLibrary : public HtmlHelpLibrary {
public:
    HHCtrlLibrary() : module_(::LoadLibraryA("HHCtrl.ocx")) {
        if (module_)
            function_ = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(::GetProcAddress(module_, "HtmlHelpA")));
    }
    ~HHCtrlLibrary() override {
        if (module_)
            ::FreeLibrary(module_);
    }
    HHCtrlLibrary(const HHCtrlLibrary&) = delete;
    HHCtrlLibrary& operator=(const HHCtrlLibrary&) = delete;

    HtmlHelpEntry entry() override {
        if (!function_)
            return {};
        auto function = function_;
        return [function](WindowHandle owner, const char* file, unsigned command, std::uintptr_t data) {
            return reinterpret_cast<std::intptr_t>(
                function(reinterpret_cast<HWND>(owner), file, command, static_cast<DWORD_PTR>(data)));
        };
    }

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    HMODULE module_;
    HtmlHelpFunction function_ = nullptr;
};

} // namespace

std::unique_ptr<HtmlHelpLibrary> loadHtmlHelpLibrary() { return std::make_unique<HHCtrlLibrary>(); }

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
