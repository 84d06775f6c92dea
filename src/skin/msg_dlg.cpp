#include "skin/msg_dlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include <algorithm>

#include "appcore/ui_scale.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

CMsgDlg::CMsgDlg(QWidget* owner, const QString& text, const QString& caption, int kind)
    : CSkinDialog(owner ? owner->window() : nullptr), text_(text), kind_(kind) {
    setWindowTitle(caption);
    setModal(true);
    const QFont font = UiFont(kFontF10);
    setFont(font);

    message_ = new QLabel(this);
    message_->setTextFormat(Qt::PlainText);
    message_->setText(text);
    message_->setFont(font);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    message_->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = message_->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    message_->setPalette(pal);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    for (QPushButton* button : {ok_, cancel_}) {
        StyleSkinPushButton(button);
        button->setFont(font);
    }
    connect(ok_, &QPushButton::clicked, this, [this] { done(IDOK); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(IDCANCEL); });
    LayOut(owner ? owner->window() : nullptr);
}

QSize CMsgDlg::MeasureText(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    int width = 0;
    int height = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        width = std::max(width, metrics.horizontalAdvance(line));
        height += metrics.lineSpacing();
    }
    return {width, height};
}

void CMsgDlg::LayOut(QWidget* owner) {
    const double s = UiScale();
    // The font is already scaled, so the measured text is not scaled a second time.
    const QSize textSize = MeasureText(text_, font());
    const int blockWidth = textSize.width() + 2 * Scaled(40, s);
    const int blockHeight = textSize.height() + 2 * Scaled(30, s);
    const QSize size(blockWidth, blockHeight + Scaled(60, s) + Scaled(20, s));
    resize(size);

    QRect ownerRect;
    if (owner)
        ownerRect = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        ownerRect = screen->geometry();
    if (ownerRect.isValid()) {
        QRect frame(QPoint(0, 0), size);
        frame.moveCenter(ownerRect.center());
        move(frame.topLeft());
    }

    message_->setGeometry(Scaled(40, s), Scaled(30, s), blockWidth - Scaled(40, s),
                          blockHeight - Scaled(30, s));

    const QSize buttonSize(Scaled(100, s), Scaled(30, s));
    const int gap = Scaled(15, s);
    const QPoint corner(size.width() - gap - buttonSize.width(),
                        size.height() - gap - buttonSize.height());
    if (kind_ == kQuestion) {
        cancel_->setGeometry(QRect(corner, buttonSize));
        ok_->setGeometry(QRect(corner - QPoint(buttonSize.width() + gap, 0), buttonSize));
        cancel_->show();
    } else {
        // A message, or a kind this dialog does not know: OK alone, so it can be closed.
        ok_->setGeometry(QRect(corner, buttonSize));
        cancel_->hide();
    }
    ok_->show();
}

void CMsgDlg::PaintBackground(QPainter& painter) {
    painter.fillRect(QRect(0, 0, width(), height() - Scaled(60, UiScale())), Qt::white);
}

void CMsgDlg::closeEvent(QCloseEvent* event) {
    // Closed by the window manager: the answer is Cancel.
    event->accept();
    done(IDCANCEL);
}

int CMsgBox::Show(const std::string& text, const std::string& caption, int kind) const {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return 0;
    auto run = [this, &text, &caption, kind] {
        CMsgDlg dialog(owner_, QString::fromStdString(text), QString::fromStdString(caption), kind);
        return dialog.exec();
    };
    if (QThread::currentThread() == app->thread()) return run();
    int result = 0;
    QMetaObject::invokeMethod(
        app, [&] { result = run(); }, Qt::BlockingQueuedConnection);
    return result;
}

int ShowMessage(QWidget* owner, const std::string& text, const std::string& caption, int kind) {
    return CMsgBox(owner).Show(text, caption, kind);
}

}  // namespace quorva
