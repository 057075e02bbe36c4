// A stand-in for Horvane in the Windows tests: opens a window of its own, starts the program
// with a job word and that window's handle, as Horvane does, and reports from the window
// system's side what became of the program's window: its parent, its style, its place and size,
// and where its job button is on the screen. Then it keeps its window alive until the program
// has ended, and exits with the program's exit status.
//
//   EmbeddingHost.exe <program.exe> <job word> [press]
//
// With "press" the host presses the job button itself (a click posted to it), for window systems
// that do not pass a click through to another process's child.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

struct Search {
    const char* caption;
    HWND found = nullptr;
};

BOOL CALLBACK findButton(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char className[32] = {}, text[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, text, sizeof text);
    if (::lstrcmpiA(className, "Button") == 0 && std::string(text) == search->caption &&
        ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: EmbeddingHost <program.exe> <job word> [press]\n");
        return 2;
    }
    const bool press = argc > 3 && std::string(argv[3]) == "press";
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = hostProc;
    hostClass.hInstance = ::GetModuleHandleA(nullptr);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    hostClass.lpszClassName = "HorvaneHost";
    ::RegisterClassA(&hostClass);
    HWND host = ::CreateWindowA("HorvaneHost", "Horvane host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 700, 400, nullptr, nullptr, hostClass.hInstance, nullptr);
    pump();

    char handle[32];
    std::snprintf(handle, sizeof handle, "%lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host)));
    std::string commandLine = std::string("\"") + argv[1] + "\" " + argv[2] + " " + handle;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::printf("cannot start %s\n", argv[1]);
        return 3;
    }

    HWND child = nullptr;
    for (int wait = 0; wait < 300 && !child; ++wait) {
        pump();
        ::Sleep(50);
        child = ::FindWindowExA(host, nullptr, "TTSMForm", nullptr);
    }
    if (!child) {
        std::printf("not embedded\n");
        ::TerminateProcess(process.hProcess, 1);
        return 4;
    }
    ::Sleep(300);
    pump();
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    RECT frame;
    ::GetWindowRect(child, &frame);
    POINT origin{frame.left, frame.top};
    ::ScreenToClient(host, &origin);
    std::printf("parent %s\n",
                ::GetParent(child) == host && ::IsChild(host, child) ? "host" : "other");
    std::printf("child %s caption %s\n", (style & WS_CHILD) ? "yes" : "no",
                (style & WS_CAPTION) ? "yes" : "no");
    std::printf("at %ld,%ld size %ldx%ld\n", origin.x, origin.y, frame.right - frame.left,
                frame.bottom - frame.top);
    Search search{"Aceptar"};
    ::EnumChildWindows(child, findButton, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
        RECT button;
        ::GetWindowRect(search.found, &button);
        std::printf("button %ld,%ld\n", (button.left + button.right) / 2,
                    (button.top + button.bottom) / 2);
        if (press)
            ::PostMessageA(search.found, BM_CLICK, 0, 0);
    }
    std::fflush(stdout);

    // The host stays responsive until the program has gone.
    for (;;) {
        const DWORD woken =
            ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            break;
        if (woken == WAIT_TIMEOUT) {
            std::printf("still running\n");
            ::TerminateProcess(process.hProcess, 1);
            return 5;
        }
        pump();
    }
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    std::printf("ended %lu\n", static_cast<unsigned long>(status));
    ::DestroyWindow(host);
    return static_cast<int>(status);
}
