// Looks at the program's window from another process, as a tester's inspector would, and prints
// what it finds on one line:
//
//   WindowProbe.exe focus     the control that has the keyboard focus ("none" when none has)
//   WindowProbe.exe taskbar   the titles that the task bar shows for the program, one per line
//   WindowProbe.exe drives    the drive selector's size, "137x19"
//   WindowProbe.exe box       the program's message box on show: its icon ("none",
//                             "information", "stop") on the first line, its text (UTF-8) after
//
// The program's window is found by its caption. Exit status 1 when it is not there.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char* kCaption = "Exportar e importar datos entre Horvane y SICE";

// The controls by the identifiers the window gives them, in their creation order.
const char* controlName(int id) {
    static const char* const names[] = {"BExportar", "BImportar",   "BClose",
                                        "Button1",   "Directorios", "Unidades"};
    return id >= 101 && id <= 106 ? names[id - 101] : nullptr;
}

struct Child {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK findChild(HWND window, LPARAM data) {
    auto* child = reinterpret_cast<Child*>(data);
    if (::GetDlgCtrlID(window) == child->id) {
        child->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TaskBar {
    DWORD process;
};

// A window stands on the task bar when it is visible and either unowned and no tool window,
// or asks for it.
BOOL CALLBACK listTaskBar(HWND window, LPARAM data) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != reinterpret_cast<TaskBar*>(data)->process || !::IsWindowVisible(window))
        return TRUE;
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool owned = ::GetWindow(window, GW_OWNER) != nullptr;
    if ((exStyle & WS_EX_APPWINDOW) || (!owned && !(exStyle & WS_EX_TOOLWINDOW))) {
        char title[256] = {};
        ::GetWindowTextA(window, title, sizeof title);
        std::printf("%s\n", title);
    }
    return TRUE;
}

struct MessageBoxFound {
    HWND box = nullptr;
};

// A message box is a dialog of its own class captioned with the application title.
BOOL CALLBACK findMessageBox(HWND window, LPARAM data) {
    char className[16] = {}, title[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    if (::IsWindowVisible(window) && std::string(className) == "#32770" &&
        std::string(title) == "transTalvorSice") {
        reinterpret_cast<MessageBoxFound*>(data)->box = window;
        return FALSE;
    }
    return TRUE;
}

// The box's parts by the identifiers the system gives them: 0xFFFF its text, 20 its icon.
int printMessageBox() {
    MessageBoxFound found;
    ::EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&found));
    if (!found.box) {
        std::printf("no box\n");
        return 1;
    }
    HWND icon = ::GetDlgItem(found.box, 20);
    const char* kind = "none";
    if (icon && ::IsWindowVisible(icon)) {
        const HICON shown = reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0));
        kind = shown == ::LoadIconA(nullptr, IDI_INFORMATION) ? "information"
               : shown == ::LoadIconA(nullptr, IDI_HAND)      ? "stop"
                                                              : "other";
    }
    wchar_t text[4096] = {};
    ::GetDlgItemTextW(found.box, 0xFFFF, text, 4096);
    char utf8[16384] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n%s\n", kind, utf8);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "box")
        return printMessageBox();
    HWND form = ::FindWindowA(nullptr, kCaption);
    if (!form) {
        std::printf("no window\n");
        return 1;
    }
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(form, &process);
    if (what == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(thread, &info);
        const char* name = info.hwndFocus ? controlName(::GetDlgCtrlID(info.hwndFocus)) : "none";
        // The drive selector's own parts stand for it.
        if (!name && info.hwndFocus && ::GetParent(info.hwndFocus))
            name = controlName(::GetDlgCtrlID(::GetParent(info.hwndFocus)));
        std::printf("%s\n", name ? name : info.hwndFocus == form ? "form" : "other");
    } else if (what == "taskbar") {
        TaskBar taskBar{process};
        ::EnumWindows(listTaskBar, reinterpret_cast<LPARAM>(&taskBar));
    } else if (what == "drives") {
        Child unidades{106};
        ::EnumChildWindows(form, findChild, reinterpret_cast<LPARAM>(&unidades));
        RECT area{};
        ::GetWindowRect(unidades.found, &area);
        std::printf("%ldx%ld\n", area.right - area.left, area.bottom - area.top);
    } else {
        std::fprintf(stderr, "usage: WindowProbe focus|taskbar|drives|box\n");
        return 2;
    }
    std::fflush(stdout);
    return 0;
}
