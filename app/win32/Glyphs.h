#pragma once

#include "app/Drives.h"
#include "app/FolderChooser.h"
#include "app/FormLayout.h"

#include <windows.h>

namespace tts::app::win32 {

// The program's pictures: the glyphs and icons drawn from their shapes with GDI (`grey` draws
// the disabled form of a glyph), the application icon taken from the resources.

void drawGlyph(HDC dc, int left, int top, layout::Glyph glyph, bool grey); // 18 x 18; None: nothing
void drawFolderIcon(HDC dc, int left, int top, FolderIcon kind);           // 16 x 14
void drawDriveIcon(HDC dc, int left, int top, DriveKind kind);             // 16 x 14

// The application icon from the program's resources, at the size of `metric` (SM_CXICON or
// SM_CXSMICON); none in a program built without them. Never destroyed.
HICON applicationIcon(HINSTANCE instance, int metric);

} // namespace tts::app::win32
