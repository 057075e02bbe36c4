// The glyphs and icons as shapes: GDI draws them straight onto the button or the list row, so a
// shape that strays out of its picture paints over its neighbours there, while Qt cuts it off.

#include "app/Pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tts::app::pictures {
namespace {

struct Named {
    std::string name;
    const Picture* picture;
};

std::vector<Named> everyPicture() {
    std::vector<Named> all = {{"check", glyph(layout::Glyph::Check)},
                              {"door", glyph(layout::Glyph::Door)}};
    for (FolderIcon kind : {FolderIcon::Opened, FolderIcon::Current, FolderIcon::Closed})
        all.push_back({"folder " + std::to_string(int(kind)), &folder(kind)});
    for (DriveKind kind : {DriveKind::Fixed, DriveKind::Removable, DriveKind::CdRom,
                           DriveKind::Network, DriveKind::Ram, DriveKind::Home})
        all.push_back({"drive " + std::to_string(int(kind)), &drive(kind)});
    return all;
}

// The pixels from `low` to `high` (centres of outline pixels, or a stroke's reach) lie inside.
void expectInside(double low, double high, int size, const char* axis) {
    EXPECT_GE(low, 0) << axis;
    EXPECT_LE(high, size) << axis;
}

TEST(Pictures, EveryShapeStaysInsideItsPicture) {
    for (const auto& [name, picture] : everyPicture()) {
        ASSERT_NE(picture, nullptr) << name;
        for (size_t i = 0; i < picture->shapes.size(); ++i) {
            SCOPED_TRACE(name + ", shape " + std::to_string(i));
            const Shape& shape = picture->shapes[i];
            const layout::Box& box = shape.box;
            switch (shape.kind) {
            case Shape::Kind::Fill:
                EXPECT_GT(box.width, 0);
                EXPECT_GT(box.height, 0);
                expectInside(box.left, box.left + box.width, picture->width, "x");
                expectInside(box.top, box.top + box.height, picture->height, "y");
                break;
            case Shape::Kind::Rectangle:
            case Shape::Kind::Ellipse: // the outline covers one pixel more than the box's size
                expectInside(box.left, box.left + box.width + 1, picture->width, "x");
                expectInside(box.top, box.top + box.height + 1, picture->height, "y");
                break;
            case Shape::Kind::Polygon:
            case Shape::Kind::Polyline: {
                EXPECT_GE(shape.points.size(), shape.kind == Shape::Kind::Polygon ? 3u : 2u);
                // A stroke reaches half its width beyond the centres of its end pixels.
                const double reach = shape.width / 2;
                for (const Point& point : shape.points) {
                    expectInside(point.x + 0.5 - reach, point.x + 0.5 + reach, picture->width, "x");
                    expectInside(point.y + 0.5 - reach, point.y + 0.5 + reach, picture->height,
                                 "y");
                }
                break;
            }
            }
        }
    }
}

} // namespace
} // namespace tts::app::pictures
