#pragma once

#include "app/Drives.h"
#include "app/FolderChooser.h"
#include "app/FormLayout.h"
#include "app/Gradient.h"

#include <span>

namespace tts::app::pictures {

// The window's small pictures (the buttons' glyphs, the folder and drive icons) as shapes on a
// grid of pixels, which each front end draws in its own toolkit. Coordinates name pixels from the
// picture's top left corner; outlines and strokes run through the centres of the pixels they
// name, so a box {l, t, w, h} with an outline covers the pixels l to l + w and t to t + h, as a
// one-pixel pen draws it in every toolkit.

struct Point {
    int x, y;
};

struct Shape {
    enum class Kind {
        Fill,      // box: the w x h pixels from its corner, in `fill`
        Rectangle, // box: outlined in `line`, filled with `fill`
        Ellipse,   // box: the ellipse inside the rectangle's outline, likewise
        Polygon,   // points: outlined in `line`, filled with `fill`
        Polyline,  // points: a stroke `width` pixels wide in `line`, round at ends and joints
                   // (a toolkit that cannot blend takes the nearest whole width)
    };
    Kind kind;
    layout::Box box{};
    std::span<const Point> points{};
    Rgb line{}, fill{};
    double width = 1;
};

constexpr Shape fill(layout::Box box, Rgb colour) {
    return {Shape::Kind::Fill, box, {}, {}, colour};
}
constexpr Shape rectangle(layout::Box box, Rgb line, Rgb fill) {
    return {Shape::Kind::Rectangle, box, {}, line, fill};
}
constexpr Shape ellipse(layout::Box box, Rgb line, Rgb fill) {
    return {Shape::Kind::Ellipse, box, {}, line, fill};
}
constexpr Shape polygon(std::span<const Point> points, Rgb line, Rgb fill) {
    return {Shape::Kind::Polygon, {}, points, line, fill};
}
constexpr Shape polyline(std::span<const Point> points, Rgb line, double width) {
    return {Shape::Kind::Polyline, {}, points, line, {}, width};
}

struct Picture {
    int width, height;
    std::span<const Shape> shapes; // painted in this order on a transparent ground
    bool smooth = false;           // edges blended where the toolkit can
};

// The job buttons' check mark and the close button's door, kGlyphSize square.
inline constexpr Point kTick[] = {{3, 9}, {7, 13}, {15, 4}};
inline constexpr Shape kCheckShapes[] = {polyline(kTick, {0, 96, 0}, 4.2),
                                         polyline(kTick, {0, 176, 0}, 2.4)};

inline constexpr Point kDoorLeaf[] = {{5, 2}, {11, 4}, {11, 17}, {5, 16}}; // swung open to us
inline constexpr Shape kDoorShapes[] = {
    fill({4, 1, 10, 16}, {64, 64, 64}),              // frame
    fill({5, 2, 8, 15}, {16, 16, 16}),               // the dark inside
    polygon(kDoorLeaf, {96, 48, 0}, {176, 104, 32}), // leaf
    fill({9, 10, 1, 2}, {255, 224, 0}),              // knob
};

inline constexpr Picture kCheck{layout::kGlyphSize, layout::kGlyphSize, kCheckShapes, true};
inline constexpr Picture kDoor{layout::kGlyphSize, layout::kGlyphSize, kDoorShapes};

// The folder list's icons: a folder seen from the front, opened ones with their flap down, the
// current one brighter and marked with a dot.
inline constexpr int kFolderWidth = 16, kFolderHeight = 14;
inline constexpr Point kFolderBack[] = {{0, 2}, {5, 2}, {6, 3}, {13, 3}, {13, 12}, {0, 12}};
inline constexpr Point kFolderFlap[] = {{0, 12}, {3, 6}, {15, 6}, {13, 12}};
inline constexpr Rgb kFolderOutline{128, 96, 0}, kFolderFlapColour{255, 230, 120};
inline constexpr Rgb kFolderCurrent{255, 240, 140}, kFolderOther{248, 208, 80};

inline constexpr Shape kClosedFolderShapes[] = {polygon(kFolderBack, kFolderOutline, kFolderOther)};
inline constexpr Shape kOpenedFolderShapes[] = {
    polygon(kFolderBack, kFolderOutline, kFolderOther),
    polygon(kFolderFlap, kFolderOutline, kFolderFlapColour)};
inline constexpr Shape kCurrentFolderShapes[] = {
    polygon(kFolderBack, kFolderOutline, kFolderCurrent),
    polygon(kFolderFlap, kFolderOutline, kFolderFlapColour),
    ellipse({6, 7, 3, 3}, {0, 0, 160}, {0, 0, 160})};

inline constexpr Picture kOpenedFolder{kFolderWidth, kFolderHeight, kOpenedFolderShapes};
inline constexpr Picture kCurrentFolder{kFolderWidth, kFolderHeight, kCurrentFolderShapes};
inline constexpr Picture kClosedFolder{kFolderWidth, kFolderHeight, kClosedFolderShapes};

// The drive selector's icons, as big as the folders'.
inline constexpr Rgb kCaseLine{64, 64, 64};
inline constexpr Shape kFixedShapes[] = {rectangle({1, 4, 13, 6}, kCaseLine, {200, 200, 200}),
                                         fill({11, 7, 3, 1}, {0, 176, 0})};
inline constexpr Shape kRemovableShapes[] = {rectangle({1, 4, 13, 6}, kCaseLine, {170, 190, 220}),
                                             fill({11, 7, 3, 1}, {0, 176, 0})};
inline constexpr Shape kCdRomShapes[] = {ellipse({2, 0, 11, 11}, {96, 96, 96}, {220, 220, 235}),
                                         ellipse({6, 4, 3, 3}, {96, 96, 96}, {255, 255, 255})};
inline constexpr Shape kNetworkShapes[] = {
    rectangle({1, 1, 13, 6}, kCaseLine, {192, 192, 192}), // the server
    fill({8, 8, 1, 4}, kCaseLine),                        // its cable
    fill({2, 12, 13, 1}, kCaseLine),                      // the network
    fill({12, 4, 1, 1}, {0, 160, 0})};
inline constexpr Rgb kPin{230, 200, 60};
inline constexpr Shape kRamShapes[] = {rectangle({1, 3, 13, 6}, {0, 80, 0}, {40, 140, 60}),
                                       fill({3, 10, 1, 2}, kPin),
                                       fill({5, 10, 1, 2}, kPin),
                                       fill({7, 10, 1, 2}, kPin),
                                       fill({9, 10, 1, 2}, kPin),
                                       fill({11, 10, 1, 2}, kPin),
                                       fill({13, 10, 1, 2}, kPin)};
inline constexpr Point kHouse[] = {{2, 7},  {7, 2},   {8, 2},  {13, 7},
                                   {12, 7}, {12, 12}, {3, 12}, {3, 7}};
inline constexpr Shape kHomeShapes[] = {polygon(kHouse, {96, 48, 0}, {236, 180, 110}),
                                        fill({7, 9, 2, 4}, {120, 60, 20})}; // the door

inline constexpr Picture kFixed{kFolderWidth, kFolderHeight, kFixedShapes};
inline constexpr Picture kRemovable{kFolderWidth, kFolderHeight, kRemovableShapes};
inline constexpr Picture kCdRom{kFolderWidth, kFolderHeight, kCdRomShapes, true};
inline constexpr Picture kNetwork{kFolderWidth, kFolderHeight, kNetworkShapes};
inline constexpr Picture kRam{kFolderWidth, kFolderHeight, kRamShapes};
inline constexpr Picture kHome{kFolderWidth, kFolderHeight, kHomeShapes};

// The button's glyph; none for Glyph::None.
constexpr const Picture* glyph(layout::Glyph glyph) {
    switch (glyph) {
    case layout::Glyph::Check:
        return &kCheck;
    case layout::Glyph::Door:
        return &kDoor;
    case layout::Glyph::None:
        break;
    }
    return nullptr;
}

constexpr const Picture& folder(FolderIcon kind) {
    switch (kind) {
    case FolderIcon::Opened:
        return kOpenedFolder;
    case FolderIcon::Current:
        return kCurrentFolder;
    case FolderIcon::Closed:
        break;
    }
    return kClosedFolder;
}

constexpr const Picture& drive(DriveKind kind) {
    switch (kind) {
    case DriveKind::Removable:
        return kRemovable;
    case DriveKind::CdRom:
        return kCdRom;
    case DriveKind::Network:
        return kNetwork;
    case DriveKind::Ram:
        return kRam;
    case DriveKind::Home:
        return kHome;
    case DriveKind::Fixed:
        break;
    }
    return kFixed;
}

} // namespace tts::app::pictures
