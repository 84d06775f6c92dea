// The small helpers: child scaling, the off-screen surface, the
// logo panel, the UI fonts and the file-system routines.
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "skin/logo_dlg.h"
#include "skin/off_screen_dc.h"
#include "skin/resource_image.h"
#include "skin/scale_children.h"
#include "skin/shell_files.h"
#include "skin/skin_resources.h"
#include "skin/tree_badge.h"
#include "skin/ui_fonts.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

TEST(ScaleChildren, ScalesDirectChildrenOnly) {
    QWidget parent;
    auto* child = new QWidget(&parent);
    child->setGeometry(10, 20, 100, 30);
    auto* grandchild = new QWidget(child);
    grandchild->setGeometry(3, 3, 10, 10);
    ScaleChildren(&parent, 1.5);
    EXPECT_EQ(child->geometry(), QRect(15, 30, 150, 45));
    EXPECT_EQ(grandchild->geometry(), QRect(3, 3, 10, 10));
    ScaleChildren(&parent, 0.99);  // truncated, as every scaled length
    EXPECT_EQ(child->geometry(), QRect(14, 29, 148, 44));
}

TEST(RectInMainWindow, IsRelativeToTheWindowAndOnePixelHigher) {
    QWidget main(nullptr, Qt::FramelessWindowHint);
    main.setGeometry(300, 200, 800, 600);
    auto* child = new QWidget(&main);
    child->setGeometry(6, 24, 656, 370);
    main.show();
    EXPECT_EQ(RectInMainWindow(&main, child), QRect(6, 23, 656, 370));
}

TEST(OffScreenDC, OwnsItsPixelsAndEndsEachDrawing) {
    COffScreenDC surface(QSize(40, 20), Qt::black);
    ASSERT_TRUE(surface.IsValid());
    {
        COffScreenDC::Painter painter(surface);
        painter->fillRect(QRect(0, 0, 10, 10), Qt::red);
        EXPECT_TRUE(surface.Image().paintingActive());
    }
    EXPECT_FALSE(surface.Image().paintingActive());
    EXPECT_EQ(QColor(surface.Image().pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(surface.Image().pixel(20, 5)), QColor(Qt::black));

    QImage screen(40, 20, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        surface.CopyTo(painter, QRect(10, 0, 10, 10), QPoint(0, 0));
    }
    EXPECT_EQ(QColor(screen.pixel(15, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(screen.pixel(5, 5)), QColor(Qt::white));

    EXPECT_FALSE(surface.EnsureSize(QSize(40, 20)));
    EXPECT_TRUE(surface.EnsureSize(QSize(80, 20)));
    EXPECT_EQ(surface.Size(), QSize(80, 20));
    surface.Create(QSize(0, 0));
    EXPECT_FALSE(surface.IsValid());
}

TEST(LogoDlg, ShowsTheChosenLogoUndistorted) {
    CResourceImage images;
    images.Load(1.0);
    CLogoDlg logo(nullptr, &images);
    logo.resize(450, 347);
    logo.show();
    EXPECT_EQ(logo.PictureId(), IDB_LOGO);
    const QImage alone = logo.grab().toImage();
    logo.SetLogoOnly(0);
    EXPECT_EQ(logo.PictureId(), IDB_LOGO_OFFLINE);
    const QImage notice = logo.grab().toImage();
    EXPECT_NE(alone, notice);
    // Framed with the set's frame brush, filled around the fitted picture.
    EXPECT_EQ(QColor(alone.pixel(0, 100)), images.FrameBrush().color());
    EXPECT_EQ(QColor(alone.pixel(5, 100)), images.Image(IDB_LOGO).pixelColor(0, 0));

    CLogoDlg empty;
    empty.resize(100, 100);
    empty.show();
    EXPECT_EQ(QColor(empty.grab().toImage().pixel(50, 50)), QColor(Qt::black));
}

TEST(UiFonts, JapaneseTextFindsAFaceAndHeightsFollowTheFontScale) {
    const QFont font = UiFontFor(kFontF10, 1.0, 96);
    EXPECT_EQ(font.pixelSize(), 13);  // MulDiv(10, 96, 72)
    EXPECT_EQ(UiFontFor(kFontF9, 2.0, 96).pixelSize(), 24);
    EXPECT_EQ(UiFontFor(kFontF22, 1.5, 120).pixelSize(), 55);  // MulDiv(33, 120, 72)
    const QFontInfo info(font);
    EXPECT_TRUE(info.family().contains("CJK") || info.family().contains("JP"))
        << info.family().toStdString();
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("ファイル名参照先録画"))
        EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
}

TEST(TreeBadge, ComposesOneLayerPerKindOnTheBasePlate) {
    EXPECT_TRUE(ComposeTreeBadge(0, 1.0).isNull());
    const QColor impact(0xd3, 0x2f, 0x2f), manual(0xf5, 0x7c, 0x00), parking(0x7b, 0x1f, 0xa2),
        parkingImpact(0xc2, 0x18, 0x5b);
    struct Case {
        int value;
        std::vector<QColor> shown, absent;
    };
    const Case cases[] = {
        {1, {}, {impact, manual, parking, parkingImpact}},  // continuous only: the base plate
        {4, {impact}, {manual, parking, parkingImpact}},
        {2 | 16, {manual, parkingImpact}, {impact, parking}},
        {2 | 4 | 8 | 16, {impact, manual, parking, parkingImpact}, {}},
    };
    for (double s : {1.0, 2.0}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.value);
            const QImage badge = ComposeTreeBadge(c.value, s).toImage();
            ASSERT_EQ(badge.size(), QSize(Scaled(39, s), Scaled(26, s)));
            EXPECT_EQ(QColor(badge.pixel(0, 0)), QColor(Qt::white));  // composed on white
            for (const QColor& colour : c.shown)
                EXPECT_TRUE(test::HasColorNear(badge, badge.rect(), colour, 8));
            for (const QColor& colour : c.absent)
                EXPECT_FALSE(test::HasColorNear(badge, badge.rect(), colour, 8));
            // Nothing but white above the layers' top, int(5 s).
            EXPECT_FALSE(test::HasColorNear(badge, QRect(0, 0, badge.width(), Scaled(5, s)),
                                            QColor(0x9a, 0xa0, 0xa8), 20));
        }
    }
}

TEST(SkinPictures, ZoomCursorIconAndBackground) {
    const QCursor cursor = ZoomCursor(2.0);
    EXPECT_EQ(cursor.pixmap().size(), QSize(64, 64));
    EXPECT_EQ(cursor.hotSpot(), QPoint(26, 26));
    EXPECT_FALSE(ApplicationIcon().isNull());
    EXPECT_GE(ApplicationIcon().availableSizes().size(), 4);

    CResourceImage images;
    images.Load(1.0);
    QImage window(1120, 697, QImage::Format_RGB32);
    window.fill(Qt::magenta);
    {
        QPainter painter(&window);
        images.DrawSkinBackground(painter, window.rect());
    }
    const QColor caption = images.Image(IDB_CAPTION_BAND).pixelColor(500, 10);
    const QColor bar = images.Image(IDB_BOTTOM_BAR).pixelColor(500, 20);
    EXPECT_EQ(window.pixelColor(500, 10), caption);
    EXPECT_EQ(window.pixelColor(500, 697 - 20), bar);
    EXPECT_NE(window.pixelColor(500, 300), caption);
    EXPECT_FALSE(test::HasColorNear(window, window.rect(), Qt::magenta, 0));  // all covered
}

TEST(ShellFiles, RecycleMovesToTheTrashAndFreeSpaceAnswers) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/AG__-240131-083015-000123M.MOV";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("movie");
    file.close();
    EXPECT_TRUE(RecycleFile(path.toStdString()));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(RecycleFile(path.toStdString()));  // gone already
    EXPECT_FALSE(RecycleFile(""));

    EXPECT_GT(FreeDiskSpace(dir.path().toStdString()), 0u);
    EXPECT_EQ(FreeDiskSpace(dir.path().toStdString() + "/missing/folder"), 0u);

    const RemovableDriveList drives = RemovableDrives();
    EXPECT_EQ(drives.last, static_cast<int>(drives.roots.size()) - 1);
}

}  // namespace
}  // namespace quorva
