// transTalvorSice: moves timetable data between SICE's text files and Horvane's work tables.
// Started by a user it offers both jobs; started by Horvane with a job word and the handle of
// one of its windows it lives inside that window and hands the outcome back in Horvane.ini.

#include "app/HelpRequests.h"
#include "app/ProcessState.h"
#include "app/qt/TMForm.h"
#include "app/qt/TopLevelApplication.h"
#include "app/qt/QStringConversion.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace tts::app;

    // The arguments as given, before Qt takes out the ones it knows: the host's two must
    // count as two whatever they say.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(toWindows1252(QString::fromLocal8Bit(argv[i])));

    TopLevelApplication application(argc, argv);
    ApplicationHelpFile = HelpFileName;
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    // The desktops match the window to its menu entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("transTalvorSice"));

#ifdef TTS_HAVE_APPHELP
    std::unique_ptr<HelpRequests> help = createHelp();
#endif

    TMForm form(std::move(arguments));
    MForm = &form;
#ifdef TTS_HAVE_APPHELP
    form.setHelpRequests(help.get());
#endif
    // Closing the window ends the program, embedded too, where Qt would not count our window
    // as a top-level one.
    QObject::connect(&form, &TMForm::formClosed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    form.show();
    const int status = QApplication::exec();
    return form.logic().handOffUnwritten() ? 1 : status;
}
