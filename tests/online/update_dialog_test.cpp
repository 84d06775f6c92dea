// The update notice window: its size and places, the notice shown as text with only its own
// links, and the links handed to the desktop's browser only when they are http or https
// (the desktop services' handlers stand in for the browser).
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "online/update_dialog.h"
#include "online/update_rules.h"

namespace quorva {
namespace {

// Stands in for the browser of every scheme a link could name.
class BrowserStandIn : public QObject {
    Q_OBJECT

  public:
    BrowserStandIn() {
        for (const char* scheme : {"http", "https", "javascript", "file", "data"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~BrowserStandIn() override {
        for (const char* scheme : {"http", "https", "javascript", "file", "data"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> opened;

  public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

// The text and the link targets a rich text shows.
struct Shown {
    QString text;
    QStringList links;
};
Shown Render(const QString& markup) {
    QTextDocument doc;
    doc.setHtml(markup);
    Shown shown{doc.toPlainText(), {}};
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !shown.links.contains(format.anchorHref()))
                shown.links.append(format.anchorHref());
        }
    }
    return shown;
}

TEST(UpdateDialog, LooksAsItShould) {
    SetUiScaleFactors(1.0, 1.0);
    CUpdateDialog dialog;
    dialog.SetNoticeText(BuildUpdateNotice(
        {{UpdateItemKind::kViewer, "1.0.0", "1.1.0", "http://updates.test/viewer.html"}}));
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(640, 480));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());  // cannot be resized
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(UiText(106)));
    EXPECT_EQ(dialog.LinkControl()->geometry(), QRect(10, 30, 620, 400));
    EXPECT_EQ(dialog.CloseButton2()->geometry(), QRect(530, 440, 100, 30));
    EXPECT_EQ(dialog.CloseButton2()->text(), QString::fromStdString(UiText(0)));
    const QImage picture = dialog.grab().toImage();
    EXPECT_EQ(picture.pixelColor(5, 100), QColor(Qt::white));  // the text area
    EXPECT_NE(picture.pixelColor(5, 470), QColor(Qt::white));  // the button band
    // The lines, the spaces around the arrow and the link as the notice has them.
    const Shown shown = Render(dialog.LinkControl()->text());
    EXPECT_TRUE(shown.text.contains(QString::fromUtf8("1.0.0   \u2192   ")));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("URL : http://updates.test/viewer.html")));
    EXPECT_GE(shown.text.count(QLatin1Char('\n')), 5);
    EXPECT_EQ(shown.links, QStringList{QStringLiteral("http://updates.test/viewer.html")});
    dialog.CloseButton2()->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(UpdateDialog, ServerTextStaysText) {
    CUpdateDialog dialog;
    const std::string offered = "<b>2.0</b><a href=\"javascript:alert(1)\">x</a><img src=y>";
    dialog.SetNoticeText(BuildUpdateNotice(
        {{UpdateItemKind::kViewer, "1.0.0", offered, "http://updates.test/viewer.html"}}));
    const Shown shown = Render(dialog.LinkControl()->text());
    EXPECT_TRUE(shown.text.contains(QString::fromStdString(offered))) << shown.text.toStdString();
    EXPECT_EQ(shown.links, QStringList{QStringLiteral("http://updates.test/viewer.html")});
}

TEST(UpdateDialog, OnlyWebLinksAreOpened) {
    BrowserStandIn browser;
    CUpdateDialog dialog;
    dialog.SetNoticeText(BuildUpdateNotice(
        {{UpdateItemKind::kViewer, "1.0.0", "1.1.0", "https://updates.test/viewer.html"}}));
    // A click on a link of the text: the label reports it, the dialog opens it.
    emit dialog.LinkControl()->linkActivated(QStringLiteral("https://updates.test/viewer.html"));
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), QUrl(QStringLiteral("https://updates.test/viewer.html")));

    for (const char* refused : {"javascript:alert(1)", "file:///etc/passwd", "data:text/html,x",
                                "JavaScript:alert(1)", "http:relative", ""}) {
        emit dialog.LinkControl()->linkActivated(QString::fromLatin1(refused));
        EXPECT_FALSE(CUpdateDialog::OpenLink(QString::fromLatin1(refused))) << refused;
    }
    EXPECT_EQ(browser.opened.size(), 1);
    EXPECT_TRUE(CUpdateDialog::OpenLink(QStringLiteral("HTTP://updates.test/a.html")));
    EXPECT_EQ(browser.opened.size(), 2);
}

}  // namespace
}  // namespace quorva

#include "update_dialog_test.moc"
