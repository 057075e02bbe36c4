// A stand-in for the system's HHCtrl.ocx in the Windows window's test: put next to the program,
// it takes the program's help requests. Each call of HtmlHelpA adds a line to the file named by
// TTS_HELP_LOG: the command, the data and the control that had the keyboard focus when the
// request came ("context 3 Directorios"). A request for a topic or the contents opens a
// window of its own, titled "Ayuda de prueba", that takes the activation as the viewer's would,
// until it is closed.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void openViewer() {
    static bool registered = false;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA viewer{};
        viewer.lpfnWndProc = viewerProc;
        viewer.hInstance = instance;
        viewer.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        viewer.lpszClassName = "TTSHelpRecorder";
        registered = ::RegisterClassA(&viewer) != 0;
    }
    HWND window = ::CreateWindowExA(0, "TTSHelpRecorder", "Ayuda de prueba", WS_OVERLAPPEDWINDOW,
                                    600, 100, 300, 200, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
}

} // namespace

extern "C" __declspec(dllexport) HWND WINAPI
    HtmlHelpA(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
    constexpr UINT kDisplayToc = 0x0001, kHelpContext = 0x000F;
    const char* names[] = {"BExportar", "BImportar",   "BClose",
                           "Button1",   "Directorios", "Unidades"};
    HWND focus = ::GetFocus();
    int id = focus ? ::GetDlgCtrlID(focus) : 0;
    if ((id < 101 || id > 106) && focus && ::GetParent(focus))
        id = ::GetDlgCtrlID(::GetParent(focus));
    const char* focused = id >= 101 && id <= 106 ? names[id - 101] : focus ? "other" : "none";
    if (const char* log = std::getenv("TTS_HELP_LOG")) {
        if (FILE* out = std::fopen(log, "a")) {
            const char* what = command == kHelpContext  ? "context"
                               : command == kDisplayToc ? "contents"
                                                        : "command";
            std::fprintf(out, "%s %lu %s %s\n", what, static_cast<unsigned long>(data), focused,
                         file ? file : "");
            std::fclose(out);
        }
    }
    if (command == kHelpContext || command == kDisplayToc)
        openViewer();
    return nullptr;
}
