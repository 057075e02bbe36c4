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

void show(HWND form, const std::string& text, UINT style) {
    activation = ::SetWindowsHookExA(WH_CBT, onActivate, nullptr, ::GetCurrentThreadId());
    HWND focused = ::GetFocus();
    // Owned by the form, or by the host's window when the form lives inside it: the task bar
    // then shows no button of the box's own, and the owner takes no input while it is up.
    HWND owner = form ? ::GetAncestor(form, GA_ROOT) : nullptr;
    // The embedded form is no top-level window: it is disabled by itself too, so that it takes
    // no keys should the host give it the focus.
    const bool formWasEnabled = form && form != owner && ::IsWindowEnabled(form);
    if (formWasEnabled)
        ::EnableWindow(form, FALSE);
    // Without a form (start-up failed) every window of the program waits for the box.
    ::MessageBoxW(owner, screenText(text).c_str(), screenText(ApplicationTitle).c_str(),
                  style | MB_OK | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND);
    if (formWasEnabled)
        ::EnableWindow(form, TRUE);
    if (focused && ::IsWindow(focused) && ::IsWindowEnabled(focused))
        ::SetFocus(focused);
    if (activation) {
        ::UnhookWindowsHookEx(activation);
        activation = nullptr;
    }
}

} // namespace

void showNotice(HWND form, const std::string& text) {
    show(form, text, 0);
}

void showInformation(HWND form, const std::string& text) {
    show(form, text, MB_ICONINFORMATION);
}

void showErrorBox(HWND form, const std::string& text) {
    show(form, text, MB_ICONSTOP);
}

} // namespace tts::app::win32
