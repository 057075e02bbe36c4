#pragma once

#include "app/Drives.h"
#include "app/FolderChooser.h"

#include <QIcon>
#include <QPixmap>

namespace tts::app {

// The program's pictures: the glyphs drawn here, the application icon from the resources.

QIcon checkGlyph(); // the job buttons
QIcon doorGlyph();  // the close button
QIcon applicationIcon();

QPixmap folderIcon(FolderIcon kind);

QPixmap driveIcon(DriveKind kind);

} // namespace tts::app
