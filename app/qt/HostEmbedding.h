#pragma once

// The window inside the host's window, on Linux.

#include <QPointer>
#include <QWindow>

#include <cstdint>

class QWidget;

namespace tts::app {

// Puts a top-level widget inside another program's window, named by its native handle (an X11
// window id, an HWND on Windows): no border, no title bar, at (2, 2) of the host's client area.
class HostEmbedding {
public:
    HostEmbedding() = default;
    HostEmbedding(const HostEmbedding&) = delete;
    HostEmbedding& operator=(const HostEmbedding&) = delete;
    ~HostEmbedding();

    // False when the handle names no window that the window system knows: the widget then
    // stays a top-level window, borderless at (2, 2) of the screen, as it would on Windows.
    bool embed(QWidget& window, uint32_t handle);

    // Undoes the link before the widget's native window goes, so that the host's foreign
    // window object does not take ours with it.
    void release(QWidget& window);

private:
    QPointer<QWindow> host_;
};

// Whether a native window with this handle exists; true where we cannot tell.
bool nativeWindowExists(uint32_t handle);

} // namespace tts::app
