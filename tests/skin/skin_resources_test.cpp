// The picture table: every picture the windows and panels ask for by id exists, renders
// at UI scales 1 and 2, and loads at the scaled size; strips show four different frames.
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>

#include "appcore/ui_scale.h"
#include "skin/image_strip.h"
#include "skin/resource_image.h"
#include "skin/skin_resources.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

using test::MeanLuminance;
using test::OpaquePixels;

// Every picture id the viewer's windows, panels, browser and map page use.
const std::vector<int> kUsedIds = {
    128, 129, 137, 138, 139, 142, 144, 145, 146, 147, 148, 150, 151, 153, 154, 155, 156, 157, 158,
    159, 160, 161, 162, 167, 168, 169, 170, 171, 174, 182, 183, 185, 186, 190, 191, 200, 201, 202,
    203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 307, 309,
    312, 313, 315, 316, 317, 318, 319, 320, 321, 325, 327, 331, 332, 333, 334, 335, 336, 337, 338,
    339, 340, 341, 342, 343, 344, 345, 348, 349, 350, 351, 352, 357, 362, 364, 368, 369, 372, 373};

// The main window's buttons: 14 bottom buttons, the pause face, the caption buttons.
const std::vector<int> kStrips = {154, 144, 148, 147, 142, 139, 145, 153, 150, 200, 146, 138,
                                  151, 137, 357, 155, 157, 158, 156, 362, 352, 217, 327};

TEST(SkinTable, IsSortedWithoutDuplicates) {
    const auto table = SkinResources();
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].id, table[i].id);
}

TEST(SkinTable, EveryUsedIdHasAPicture) {
    for (int id : kUsedIds) {
        SCOPED_TRACE(id);
        const SkinResource* r = FindSkinResource(id);
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(QFile::exists(SkinResourcePath(id))) << SkinResourcePath(id).toStdString();
        EXPECT_FALSE(SkinDesignSize(id).isEmpty());
    }
    EXPECT_EQ(FindSkinResource(130), nullptr);
    EXPECT_TRUE(SkinResourcePath(130).isEmpty());
    EXPECT_TRUE(RenderSkinImage(130, QSize(10, 10)).isNull());
}

TEST(SkinTable, NoTwoIdsShareAFile) {
    std::set<std::string> files;
    for (const SkinResource& r : SkinResources())
        EXPECT_TRUE(files.insert(r.file).second) << r.file;
}

class SkinPictureAtScale : public ::testing::TestWithParam<double> {};

TEST_P(SkinPictureAtScale, RendersNonEmptyAtTheScaledSize) {
    const double s = GetParam();
    for (const SkinResource& r : SkinResources()) {
        SCOPED_TRACE(r.file);
        const QPixmap pixmap = LoadScaledBitmap(r.id, s);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), ScaledBitmapSize(QSize(r.width, r.height), s));
        // Something is drawn: at least a tenth of a percent of the pixels, and never less
        // than a handful.
        const QImage image = pixmap.toImage();
        const int drawn = OpaquePixels(image);
        EXPECT_GE(drawn, std::max(4, image.width() * image.height() / 1000));
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinPictureAtScale, ::testing::Values(1.0, 2.0));

TEST(ScaledBitmapSize, KeepsSquareFramesSquareAndTruncates) {
    struct Case {
        QSize design;
        double s;
        QSize expected;
    };
    const Case cases[] = {
        {{128, 32}, 1.5, {192, 48}},   // four 48 x 48 frames
        {{25, 10}, 1.5, {37, 15}},     // int(25 * 1.5)
        {{800, 10}, 1.5, {1200, 15}},  // a multiple of its height: 80 frames of 15
        {{52, 12}, 1.5, {78, 18}},     // not a multiple: int(52 * 1.5)
        {{128, 32}, 1.37, {172, 43}},  // 4 * int(32 * 1.37), not int(128 * 1.37) = 175
        {{184, 18}, 1.0, {184, 18}},  {{0, 10}, 1.0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(ScaledBitmapSize(c.design, c.s), c.expected);
    }
    EXPECT_EQ(LoadScaledBitmap(IDB_PLAY, 1.5).size(), QSize(192, 48));
    EXPECT_EQ(LoadScaledBitmap(IDB_SEEK_THUMB, 1.5).size(), QSize(37, 15));
}

TEST(SkinStrips, FourDistinctFramesAtBothScales) {
    for (double s : {1.0, 2.0}) {
        for (int id : kStrips) {
            SCOPED_TRACE(id);
            const SkinResource* r = FindSkinResource(id);
            ASSERT_NE(r, nullptr);
            ASSERT_EQ(r->frames, 4);
            const QSize design(r->width / 4, r->height);
            const QSize frame(static_cast<int>(design.width() * s),
                              static_cast<int>(design.height() * s));
            const ImageStrip strip = ImageStrip::FromResource(id, frame, s);
            ASSERT_EQ(strip.Count(), 4);
            for (int a = 0; a < 4; ++a)
                for (int b = a + 1; b < 4; ++b)
                    EXPECT_NE(strip.Frame(a).toImage(), strip.Frame(b).toImage())
                        << "frames " << a << " and " << b;
            // The disabled face is the dimmest of the four.
            const double disabled = MeanLuminance(strip.Frame(kFrameDisabled).toImage());
            const double normal = MeanLuminance(strip.Frame(kFrameNormal).toImage());
            if (normal >= 0 && disabled >= 0) {
                EXPECT_LT(disabled, normal);
            }
        }
    }
}

TEST(ImageStrip, CutsFramesOfTheGivenSizeAndIgnoresBadIndices) {
    QPixmap strip(40, 10);
    strip.fill(Qt::red);
    const ImageStrip frames(strip, QSize(12, 12));
    EXPECT_EQ(frames.Count(), 3);                      // 40 / 12
    EXPECT_EQ(frames.Frame(0).size(), QSize(12, 10));  // no taller than the strip
    EXPECT_TRUE(frames.Frame(3).isNull());
    EXPECT_TRUE(frames.Frame(-1).isNull());
    EXPECT_TRUE(ImageStrip(QPixmap(), QSize(12, 12)).IsEmpty());
    EXPECT_TRUE(ImageStrip::FromResource(130, QSize(32, 32)).IsEmpty());
}

TEST(ResourceImage, LoadsTheWholeSetAndLaysPicturesOnTheirMatte) {
    CResourceImage images;
    ASSERT_TRUE(images.Load(2.0));
    for (int id : CResourceImage::LoadOrder()) {
        SCOPED_TRACE(id);
        const QSize design = SkinDesignSize(id);
        EXPECT_EQ(images.Image(id).size(), QSize(design.width() * 2, design.height() * 2));
    }
    EXPECT_EQ(CResourceImage::LoadOrder().size(), 51u);
    EXPECT_FALSE(images.WindowIcon().isNull());
    // An over-white picture is white where the artwork is transparent, an over-black one
    // black.
    const QImage overWhite = images.Bitmap(IDB_BATTERY_ICON).toImage();
    EXPECT_EQ(QColor(overWhite.pixel(0, 0)), QColor(Qt::white));
    const QImage overBlack = images.Bitmap(IDB_VOLUME_ICON).toImage();
    EXPECT_EQ(QColor(overBlack.pixel(0, 0)), QColor(Qt::black));
    EXPECT_TRUE(images.Image(IDB_PLAY).isNull());  // a button strip, not part of the set
    EXPECT_TRUE(images.Bitmap(999).isNull());

    // Sized pictures are rendered at exactly the asked size and reused.
    const QPixmap sized = images.Sized(IDB_LOGO, QSize(450, 347));
    EXPECT_EQ(sized.size(), QSize(450, 347));
    EXPECT_EQ(images.Sized(IDB_LOGO, QSize(450, 347)).cacheKey(), sized.cacheKey());
    images.Free();
    EXPECT_FALSE(images.IsLoaded());
    EXPECT_TRUE(images.Sized(IDB_LOGO, QSize(450, 347)).isNull());
}

TEST(GdiDrawer, DrawsAtTheScaledSizeOfTheFactor) {
    SetUiScaleFactors(2.0, 2.0);
    const QImage png = CGdiDrawer::LoadPngResource(IDB_KIND_IMPACT);
    EXPECT_EQ(png.size(), QSize(16, 16));
    QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        CGdiDrawer::DrawImageScaled(painter, 10, 10, 1.5, png);  // 16 * 1.5 * 2 = 48
    }
    EXPECT_GT(qAlpha(canvas.pixel(10 + 24, 10 + 24)), 0);
    EXPECT_EQ(qAlpha(canvas.pixel(10 + 49, 10 + 24)), 0);
    EXPECT_EQ(qAlpha(canvas.pixel(10 + 24, 10 + 49)), 0);
    SetUiScaleFactors(1.0, 1.0);
}

}  // namespace
}  // namespace quorva
