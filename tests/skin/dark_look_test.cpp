// The dark look of Qt's own windows and Qt's translations for the chosen text slot.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <gtest/gtest.h>

#include "skin/dark_look.h"
#include "skin/qt_translations.h"

namespace quorva {
namespace {

// The application's look is process-wide: each test puts the previous one back.
class DarkLookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        palette_ = QApplication::palette();
        tipPalette_ = QToolTip::palette();
        style_ = QApplication::style()->name();
    }
    void TearDown() override {
        QApplication::setStyle(style_);
        QApplication::setPalette(palette_);
        QToolTip::setPalette(tipPalette_);
        UseQtTranslationsFor(1);
    }

    // Mean lightness (0..255) of a widget's picture.
    static int Lightness(QWidget& widget) {
        const QImage image = widget.grab().toImage();
        long long sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += QColor(image.pixel(x, y)).lightness();
        const long long n = static_cast<long long>(image.width()) * image.height();
        return n > 0 ? static_cast<int>(sum / n) : -1;
    }

    QPalette palette_, tipPalette_;
    QString style_;
};

TEST_F(DarkLookTest, TheSkinPaletteIsDarkWithLightTextAndDimmedDisabledText) {
    const QPalette p = DarkPalette();
    for (QPalette::ColorRole role :
         {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::ToolTipBase})
        EXPECT_LT(p.color(QPalette::Active, role).lightness(), 70) << role;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::ToolTipText, QPalette::HighlightedText})
        EXPECT_GT(p.color(QPalette::Active, role).lightness(), 200) << role;
    EXPECT_LT(p.color(QPalette::Disabled, QPalette::Text).lightness(),
              p.color(QPalette::Active, QPalette::Text).lightness() - 80);
    EXPECT_GT(p.color(QPalette::Disabled, QPalette::Text).lightness(),
              p.color(QPalette::Disabled, QPalette::Base).lightness() + 30);
}

TEST_F(DarkLookTest, QtsOwnWindowsTurnDarkAndOwnColoursStay) {
    ApplyDarkLook();
    EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
    EXPECT_LT(QToolTip::palette().color(QPalette::ToolTipBase).lightness(), 70);

    QScrollBar bar(Qt::Vertical);
    bar.resize(16, 200);
    bar.setRange(0, 100);
    EXPECT_LT(Lightness(bar), 90);

    QFileDialog chooser(nullptr, QStringLiteral("folder"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.resize(600, 400);
    EXPECT_LT(Lightness(chooser), 90);

    // A list that sets its own colours (as the recording list does) keeps them.
    QListView list;
    QPalette white = list.palette();
    white.setColor(QPalette::Base, Qt::white);
    list.setPalette(white);
    list.resize(200, 200);
    EXPECT_EQ(list.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_GT(Lightness(list), 200);
}

TEST_F(DarkLookTest, QtsButtonsSpeakTheLanguageOfTheTextSlot) {
    ASSERT_TRUE(UseQtTranslationsFor(0))
        << "Qt's translations in " << QtTranslationsFolder().toStdString();
    {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }
    ASSERT_TRUE(UseQtTranslationsFor(1));
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), "Cancel");
}

}  // namespace
}  // namespace quorva
