#include "app/TopLevelApplication.h"

#include "app/MessageBoxPresenter.h"
#include "app/TMForm.h"
#include "app/UserText.h"
#include "app/Windows1252.h"

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
