#include "app/qt/HostEmbedding.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TTS_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace tts::app {

bool nativeWindowExists(uint32_t handle) {
#ifdef TTS_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return true;
        xcb_connection_t* connection = x11->connection();
        xcb_generic_error_t* error = nullptr;
        xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, handle), &error);
        const bool exists = reply != nullptr;
        std::free(reply);
        std::free(error);
        return exists;
    }
#endif
    // Without a window system that names windows by number (the tests' offscreen platform)
    // there is no host to find.
    return QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QGuiApplication::platformName() != QLatin1String("minimal");
}

HostEmbedding::~HostEmbedding() {
    delete host_.data();
}

bool HostEmbedding::embed(QWidget& window, uint32_t handle) {
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const bool exists = handle != 0 && nativeWindowExists(handle);
    if (exists) {
        host_ = QWindow::fromWinId(static_cast<WId>(handle));
        window.winId(); // the native window, to be given its new parent
        window.windowHandle()->setParent(host_);
    }
    window.move(2, 2);
    return exists;
}

void HostEmbedding::release(QWidget& window) {
    if (host_ && window.windowHandle() && window.windowHandle()->parent() == host_)
        window.windowHandle()->setParent(nullptr);
}

} // namespace tts::app
