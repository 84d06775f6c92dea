#include "online/update_dialog.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "online/update_rules.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

CUpdateDialog::CUpdateDialog(QWidget* parent) : CSkinDialog(parent) {
    setWindowTitle(QString::fromStdString(UiText(106)));
    const QFont font = UiFont(kFontF9);
    setFont(font);

    link_ = new QLabel(this);
    link_->setObjectName(QStringLiteral("notice"));
    link_->setFont(font);
    link_->setTextFormat(Qt::RichText);
    link_->setWordWrap(true);
    link_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    link_->setOpenExternalLinks(false);
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::TextSelectableByMouse);
    link_->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = link_->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Link, QColor(0x00, 0x55, 0xcc));
    link_->setPalette(pal);
    connect(link_, &QLabel::linkActivated, this, [](const QString& address) { OpenLink(address); });

    close_ = new QPushButton(QString::fromStdString(UiText(0)), this);
    close_->setObjectName(QStringLiteral("close"));
    StyleSkinPushButton(close_);
    close_->setFont(font);
    connect(close_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    const double s = UiScale();
    setFixedSize(Scaled(640, s), Scaled(480, s));
    CentreOn(nullptr);
    Relayout();
}

void CUpdateDialog::SetNoticeText(const std::string& notice) {
    notice_ = notice;
    link_->setText(NoticeMarkup(notice));
}

QString CUpdateDialog::NoticeMarkup(const std::string& notice) {
    // The notice's own line breaks and runs of spaces are kept; its links stay links.
    QString text = QString::fromStdString(notice);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("<div style=\"white-space:pre-wrap\">%1</div>").arg(text);
}

void CUpdateDialog::CentreOn(QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

bool CUpdateDialog::OpenLink(const QString& address) {
    const std::string text = address.toStdString();
    if (!IsWebLink(text)) return false;
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    QDesktopServices::openUrl(url);
    return true;
}

void CUpdateDialog::Relayout() {
    CSkinDialog::Relayout();
    if (!link_ || !close_) return;
    const double s = UiScale();
    const int w = width();
    const int h = height();
    link_->setGeometry(Scaled(10, s), Scaled(30, s), w - Scaled(20, s), h - Scaled(80, s));
    close_->setGeometry(w - Scaled(110, s), h - Scaled(40, s), Scaled(100, s), Scaled(30, s));
}

void CUpdateDialog::PaintBackground(QPainter& painter) {
    painter.fillRect(QRect(0, 0, width(), height() - Scaled(50, UiScale())), Qt::white);
}

}  // namespace quorva
