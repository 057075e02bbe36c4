#pragma once

#include "app/qt/MessagePresenter.h"

namespace tts::app {

// The real thing: QMessageBox, captioned with the application title.
class MessageBoxPresenter : public MessagePresenter {
public:
    void notice(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
};

} // namespace tts::app
