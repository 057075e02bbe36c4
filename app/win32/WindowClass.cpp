#include "app/win32/WindowClass.h"

#include "app/win32/Glyphs.h"

namespace tts::app::win32 {

void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, bool withIcon,
                         HBRUSH background) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    if (withIcon) {
        windowClass.hIcon = applicationIcon(instance, SM_CXICON);
        windowClass.hIconSm = applicationIcon(instance, SM_CXSMICON);
    }
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    ::RegisterClassExA(&windowClass);
}

} // namespace tts::app::win32
