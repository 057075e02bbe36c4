#include "app/win32/Glyphs.h"

#include "app/Pictures.h"

#include <cmath>
#include <vector>

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

// GDI's pixels are the shapes' own: a box's outline runs through its edge pixels and the
// rectangle that GDI is given ends one pixel past them. It cannot blend edges, so it draws every
// picture sharp.
void draw(HDC dc, int left, int top, const pictures::Picture& picture, bool grey) {
    using Kind = pictures::Shape::Kind;
    for (const pictures::Shape& shape : picture.shapes) {
        const layout::Box& box = shape.box;
        const int x = left + box.left, y = top + box.top;
        const COLORREF fillColour = greyed(colorRef(shape.fill), grey);
        if (shape.kind == Kind::Fill) {
            fill(dc, x, y, box.width, box.height, fillColour);
            continue;
        }
        std::vector<POINT> points;
        for (const pictures::Point& point : shape.points)
            points.push_back({left + point.x, top + point.y});
        Pencil pencil(dc, greyed(colorRef(shape.line), grey),
                      static_cast<int>(std::lround(shape.width)), fillColour,
                      shape.kind == Kind::Polyline);
        switch (shape.kind) {
        case Kind::Rectangle:
            ::Rectangle(dc, x, y, x + box.width + 1, y + box.height + 1);
            break;
        case Kind::Ellipse:
            ::Ellipse(dc, x, y, x + box.width + 1, y + box.height + 1);
            break;
        case Kind::Polygon:
            ::Polygon(dc, points.data(), static_cast<int>(points.size()));
            break;
        case Kind::Polyline:
            ::Polyline(dc, points.data(), static_cast<int>(points.size()));
            break;
        case Kind::Fill:
            break;
        }
    }
}

} // namespace

void drawGlyph(HDC dc, int left, int top, layout::Glyph glyph, bool grey) {
    if (const pictures::Picture* picture = pictures::glyph(glyph))
        draw(dc, left, top, *picture, grey);
}

void drawFolderIcon(HDC dc, int left, int top, FolderIcon kind) {
    draw(dc, left, top, pictures::folder(kind), false);
}

void drawDriveIcon(HDC dc, int left, int top, DriveKind kind) {
    draw(dc, left, top, pictures::drive(kind), false);
}

HICON applicationIcon(HINSTANCE instance, int metric) {
    const int size = ::GetSystemMetrics(metric);
    // Resource number 1, the ICON of resources.rc.in. Shared: loaded at a size of the system's
    // own, so it is never destroyed.
    return static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace tts::app::win32
