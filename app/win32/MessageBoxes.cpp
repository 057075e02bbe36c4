#include "app/win32/MessageBoxes.h"

#include "app/ProcessState.h"
#include "app/win32/ScreenText.h"

namespace tts::app::win32 {

namespace {

HHOOK activation = nullptr;

// The box's one button says "Aceptar" whatever the system's language, and the notice stands in
// the middle of the screen, not of a window that may be a small child of the host's.
LRESULT CALLBACK onActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        ::SetDlgItemTextA(box, IDOK, "Aceptar");
        RECT frame;
        ::GetWindowRect(box, &frame);
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        ::SetWindowPos(box, nullptr, work.left + (work.right - work.left - width) / 2,
                       work.top + (work.bottom - work.top - height) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::UnhookWindowsHookEx(activation);
        activation = nullptr;
        return 0;
    }
    return ::CallNextHookEx(activation, code, wParam, lParam);
}

void show(HWND owner, const std::string& text, UINT style) {
    activation = ::SetWindowsHookExA(WH_CBT, onActivate, nullptr, ::GetCurrentThreadId());
    // An embedded window is no top-level window, so the box would not disable it by itself.
    HWND focused = ::GetFocus();
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    ::MessageBoxW(nullptr, screenText(text).c_str(), screenText(ApplicationTitle).c_str(),
                  style | MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (focused && ::IsWindow(focused) && ::IsWindowEnabled(focused))
        ::SetFocus(focused);
    if (activation) {
        ::UnhookWindowsHookEx(activation);
        activation = nullptr;
    }
}

} // namespace

void showNotice(HWND owner, const std::string& text) {
    show(owner, text, 0);
}

void showInformation(HWND owner, const std::string& text) {
    show(owner, text, MB_ICONINFORMATION);
}

void showErrorBox(HWND owner, const std::string& text) {
    show(owner, text, MB_ICONSTOP);
}

} // namespace tts::app::win32
