#include "app/win32/Glyphs.h"

#include "app/FormLayout.h"

#include <utility>

namespace tts::app::win32 {

namespace {

// Selects a pen and a brush for as long as it lives, then puts the old ones back.
class Pencil {
public:
    Pencil(HDC dc, COLORREF line, int width, COLORREF fill, bool hollow = false)
        : dc_(dc), pen_(::CreatePen(PS_SOLID, width, line)),
          brush_(hollow ? static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH))
                        : ::CreateSolidBrush(fill)),
          ownBrush_(!hollow), oldPen_(::SelectObject(dc, pen_)),
          oldBrush_(::SelectObject(dc, brush_)) {}
    ~Pencil() {
        ::SelectObject(dc_, oldPen_);
        ::SelectObject(dc_, oldBrush_);
        ::DeleteObject(pen_);
        if (ownBrush_)
            ::DeleteObject(brush_);
    }
    Pencil(const Pencil&) = delete;
    Pencil& operator=(const Pencil&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    bool ownBrush_;
    HGDIOBJ oldPen_, oldBrush_;
};

COLORREF colorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

template <size_t N> void polygon(HDC dc, int left, int top, const layout::Point (&points)[N]) {
    POINT moved[N];
    for (size_t i = 0; i < N; ++i)
        moved[i] = {left + points[i].x, top + points[i].y};
    ::Polygon(dc, moved, static_cast<int>(N));
}

void fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    const RECT area{left, top, left + width, top + height};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &area, brush);
    ::DeleteObject(brush);
}

COLORREF greyed(COLORREF colour, bool grey) {
    if (!grey)
        return colour;
    const int level =
        (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
    const int light = 128 + level / 2;
    return RGB(light, light, light);
}

} // namespace

void drawCheckGlyph(HDC dc, int left, int top, bool grey) {
    const POINT tick[] = {{left + 3, top + 9}, {left + 7, top + 13}, {left + 15, top + 4}};
    {
        Pencil dark(dc, greyed(colorRef(layout::kCheckDark), grey), 4, 0, true);
        ::Polyline(dc, tick, 3);
    }
    Pencil light(dc, greyed(colorRef(layout::kCheckLight), grey), 2, 0, true);
    ::Polyline(dc, tick, 3);
}

void drawDoorGlyph(HDC dc, int left, int top, bool grey) {
    for (auto [box, colour] : {std::pair{layout::kDoorFrame, layout::kDoorFrameColour},
                               std::pair{layout::kDoorInside, layout::kDoorInsideColour}})
        fill(dc, left + box.left, top + box.top, box.width, box.height,
             greyed(colorRef(colour), grey));
    {
        Pencil leaf(dc, greyed(colorRef(layout::kDoorLeafLine), grey), 1,
                    greyed(colorRef(layout::kDoorLeafFill), grey));
        polygon(dc, left, top, layout::kDoorLeaf);
    }
    for (const layout::Point& knob : layout::kDoorKnob)
        ::SetPixel(dc, left + knob.x, top + knob.y,
                   greyed(colorRef(layout::kDoorKnobColour), grey));
}

void drawFolderIcon(HDC dc, int left, int top, FolderIcon kind) {
    const COLORREF body =
        colorRef(kind == FolderIcon::Current ? layout::kFolderCurrent : layout::kFolderOther);
    const COLORREF outline = colorRef(layout::kFolderOutline);
    {
        Pencil back(dc, outline, 1, body);
        polygon(dc, left, top, layout::kFolderBack);
    }
    if (kind != FolderIcon::Closed) {
        Pencil flap(dc, outline, 1, RGB(255, 230, 120));
        polygon(dc, left, top, layout::kFolderFlap);
    }
    if (kind == FolderIcon::Current) {
        const layout::Box dot = layout::kFolderDot;
        Pencil pencil(dc, colorRef(layout::kFolderDotColour), 1,
                      colorRef(layout::kFolderDotColour));
        ::Ellipse(dc, left + dot.left, top + dot.top, left + dot.left + dot.width,
                  top + dot.top + dot.height);
    }
}

void drawDriveIcon(HDC dc, int left, int top, DriveKind kind) {
    switch (kind) {
    case DriveKind::CdRom: {
        Pencil disc(dc, RGB(96, 96, 96), 1, RGB(220, 220, 235));
        ::Ellipse(dc, left + 2, top, left + 14, top + 12);
        Pencil hole(dc, RGB(96, 96, 96), 1, RGB(255, 255, 255));
        ::Ellipse(dc, left + 6, top + 4, left + 10, top + 8);
        break;
    }
    case DriveKind::Network: {
        Pencil box(dc, RGB(64, 64, 64), 1, RGB(192, 192, 192));
        ::Rectangle(dc, left + 1, top + 1, left + 15, top + 8);
        ::MoveToEx(dc, left + 8, top + 8, nullptr);
        ::LineTo(dc, left + 8, top + 12);
        ::MoveToEx(dc, left + 2, top + 12, nullptr);
        ::LineTo(dc, left + 15, top + 12);
        ::SetPixel(dc, left + 12, top + 4, RGB(0, 160, 0));
        break;
    }
    case DriveKind::Ram: {
        Pencil board(dc, RGB(0, 80, 0), 1, RGB(40, 140, 60));
        ::Rectangle(dc, left + 1, top + 3, left + 15, top + 10);
        for (int x = 3; x < 14; x += 2)
            fill(dc, left + x, top + 10, 1, 2, RGB(230, 200, 60));
        break;
    }
    case DriveKind::Fixed:
    case DriveKind::Removable:
    case DriveKind::Home: {
        Pencil box(dc, RGB(64, 64, 64), 1,
                   kind == DriveKind::Removable ? RGB(170, 190, 220) : RGB(200, 200, 200));
        ::Rectangle(dc, left + 1, top + 4, left + 15, top + 11);
        fill(dc, left + 11, top + 7, 3, 1, RGB(0, 176, 0));
        break;
    }
    }
}

HICON applicationIcon(HINSTANCE instance, int metric) {
    const int size = ::GetSystemMetrics(metric);
    // Resource number 1, the ICON of resources.rc.in. Shared: loaded at a size of the system's
    // own, so it is never destroyed.
    return static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace tts::app::win32
