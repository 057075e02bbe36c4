#include "app/qt/TopLevelApplication.h"

#include "app/qt/MessageBoxPresenter.h"
#include "app/qt/TMForm.h"
#include "app/qt/UserText.h"
#include "app/qt/QStringConversion.h"

#include "base/ErrorText.h"

namespace tts::app {

bool TopLevelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (MForm)
            MForm->showError(error);
        else
            MessageBoxPresenter().error(userText(withFullStop(error.what())));
    }
    return false;
}

} // namespace tts::app
