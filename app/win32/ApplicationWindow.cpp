#include "app/win32/ApplicationWindow.h"

#include "app/ProcessState.h"
#include "app/win32/WindowClass.h"

namespace tts::app::win32 {

namespace {

constexpr const char* kApplicationClass = "TTSApplication";

} // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance) {
    // The task bar shows this window, so it carries the program's icon too.
    registerWindowClass(instance, kApplicationClass, windowProc, true);
    // A popup without a sizing frame keeps the size it is given, none; in the middle of the
    // screen, where its owned boxes would be centred.
    window_ = ::CreateWindowExA(
        0, kApplicationClass, ApplicationTitle,
        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU, ::GetSystemMetrics(SM_CXSCREEN) / 2,
        ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, this);
}

ApplicationWindow::~ApplicationWindow() {
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
}

void ApplicationWindow::show() {
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK ApplicationWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ApplicationWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    HWND form = self ? self->form_ : nullptr;
    switch (message) {
    case WM_SETFOCUS:
        // Chosen on the task bar: the form takes the keyboard (not while a box waits).
        if (form && ::IsWindowVisible(form) && ::IsWindowEnabled(form) &&
            !(::GetWindowLongPtrA(form, GWL_STYLE) & WS_CHILD)) {
            ::SetActiveWindow(form);
            return 0;
        }
        break;
    case WM_CLOSE:
        // The task bar's close closes the form, which may refuse.
        if (form)
            ::PostMessageA(form, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace tts::app::win32
