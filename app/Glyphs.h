#pragma once

#include <QIcon>
#include <QPixmap>

namespace tts::app {

// The program's pictures, drawn rather than shipped as image files.

QIcon checkGlyph(); // the job buttons
QIcon doorGlyph();  // the close button
QIcon applicationIcon();

enum class FolderIcon { Opened, Current, Closed };
QPixmap folderIcon(FolderIcon kind);

enum class DriveKind { Fixed, Removable, CdRom, Network, Ram, Home };
QPixmap driveIcon(DriveKind kind);

} // namespace tts::app
