#include "app/HandOffFile.h"

#include "app/ProfileString.h"
#include "app/Windows1252.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <string>

namespace tts::app {

QString handOffFilePath() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/Horvane.ini");
}

void writeHandOff(const QString& path, int32_t code) {
    if (!writeProfileString(QFile::encodeName(path).toStdString(), "Transformadores",
                            "Transformado", std::to_string(code)))
        throw Error("Unable to write to " + toWindows1252(path));
}

} // namespace tts::app
