#pragma once

#include <windows.h>

namespace tts::app::win32 {

// The application's own window: never seen (no size), titled with the application's title, it
// owns the form, so that the task bar names the program "transTalvorSice" rather than by the
// form's caption. It hands activation and the task bar's close on to the form.
class ApplicationWindow {
public:
    explicit ApplicationWindow(HINSTANCE instance);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND handle() const { return window_; }
    // The form it stands for; shown on the task bar only while the form is a window of its own.
    void setForm(HWND form) { form_ = form; }
    void show();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND form_ = nullptr;
};

} // namespace tts::app::win32
