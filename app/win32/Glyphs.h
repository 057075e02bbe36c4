#pragma once

#include "app/Drives.h"
#include "app/FolderChooser.h"

#include <windows.h>

namespace tts::app::win32 {

// The program's pictures, drawn with GDI rather than shipped as resources. `grey` draws the
// disabled form of a glyph.

void drawCheckGlyph(HDC dc, int left, int top, bool grey);       // the job buttons, 18 x 18
void drawDoorGlyph(HDC dc, int left, int top, bool grey);        // the close button, 18 x 18
void drawFolderIcon(HDC dc, int left, int top, FolderIcon kind); // 16 x 14
void drawDriveIcon(HDC dc, int left, int top, DriveKind kind);   // 16 x 14

// The application icon, 32 x 32; the caller destroys it.
HICON createApplicationIcon();

} // namespace tts::app::win32
