#pragma once

#include "app/Drives.h"
#include "app/FolderChooser.h"
#include "app/FormLayout.h"

#include <QIcon>
#include <QPixmap>

namespace tts::app {

// The program's pictures: the glyphs and icons drawn from their shapes, the application icon
// from the resources.

QIcon glyphIcon(layout::Glyph glyph); // empty for Glyph::None
QIcon applicationIcon();

QPixmap folderIcon(FolderIcon kind);

QPixmap driveIcon(DriveKind kind);

} // namespace tts::app
