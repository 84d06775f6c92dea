#include "tools/settings_dlg.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "appcore/viewer_version.h"
#include "platform/qt/app_message_event.h"
#include "skin/skin_check_button.h"
#include "skin/skin_resources.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

QRect ToQRect(const SettingsRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QGroupBox* MakeGroup(QWidget* parent, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setStyleSheet(QStringLiteral(
        "QGroupBox { color: #ffffff; border: 1px solid #4a5059; border-radius: 3px;"
        " margin-top: 0.7em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 10px; padding: 0 4px; }"));
    return group;
}

}  // namespace

CSettingsDlg::CSettingsDlg(QWidget* parent) : CSkinDialog(parent) {
    setObjectName(QStringLiteral("settings dialog"));
    setModal(false);
    setWindowTitle(Ui(123));
    // The frames first, so that the controls inside them lie above them.
    detectorGroup_ = MakeGroup(this, Ui(128));
    versionGroup_ = MakeGroup(this, Ui(127));
    for (int k = 0; k < kSettingsItemCount; ++k) {
        auto* button = new CSkinCheckButton(this);
        button->Create(QRect(), kSettingsItemFirst + k);
        button->setText(Ui(SettingsItemText(k)));
        button->SetCheck(ticked_[static_cast<size_t>(k)]);
        connect(button, &CSkinButton::command, this, [this](int id) { OnCommand(id); });
        items_[static_cast<size_t>(k)] = button;
    }
    version_ = new QLabel(this);
    version_->setObjectName(QString::number(kSettingsVersionTextId));
    version_->setTextFormat(Qt::PlainText);
    version_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    version_->setText(QString::fromStdString(SettingsVersionText(kViewerVersion, BuildDate())));
    QPalette pal = version_->palette();
    pal.setColor(QPalette::WindowText, SkinColors::kText);
    version_->setPalette(pal);
    CreateCloseButton(kSettingsCloseCommand);
    ApplyScale();
    Centre();
}

void CSettingsDlg::ApplyScale() {
    const double s = UiScale();
    const SettingsLayout layout = SettingsLayoutAt(s);
    const QFont font = UiFont(kFontF10);
    setFont(font);
    setFixedSize(layout.width, layout.height);
    detectorGroup_->setGeometry(ToQRect(layout.detectorGroup));
    versionGroup_->setGeometry(ToQRect(layout.versionGroup));
    for (int k = 0; k < kSettingsItemCount; ++k) {
        CSkinCheckButton* button = items_[static_cast<size_t>(k)];
        button->setGeometry(ToQRect(layout.items[k]));
        button->SetImage(IDB_CHECK_MARK, s);
        button->setFont(font);
        button->update();
    }
    version_->setGeometry(ToQRect(layout.versionText));
    for (QWidget* child : {static_cast<QWidget*>(detectorGroup_),
                           static_cast<QWidget*>(versionGroup_), static_cast<QWidget*>(version_)})
        child->setFont(font);
    Relayout();  // the close button
}

void CSettingsDlg::Centre() {
    const SettingsLayout layout = SettingsLayoutAt(UiScale());
    setFixedSize(layout.width, layout.height);
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = owner ? QGuiApplication::screenAt(owner->frameGeometry().topLeft()) : nullptr;
    if (!screen && owner) screen = owner->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect monitor = screen->geometry();
    move(monitor.center() - QPoint(width() / 2, height() / 2));
}

bool CSettingsDlg::Ticked(int item) const {
    return item >= 0 && item < kSettingsItemCount && ticked_[static_cast<size_t>(item)];
}

CSkinCheckButton* CSettingsDlg::ItemButton(int item) const {
    return item >= 0 && item < kSettingsItemCount ? items_[static_cast<size_t>(item)] : nullptr;
}

void CSettingsDlg::OnCommand(int id) {
    if (id >= kSettingsItemFirst && id <= kSettingsItemLast) {
        Toggle(id - kSettingsItemFirst);
        return;
    }
    CSkinDialog::OnCommand(id);  // the close button hides the dialog
}

void CSettingsDlg::Toggle(int item) {
    if (item < 0 || item >= kSettingsItemCount) return;  // no such check button
    bool& ticked = ticked_[static_cast<size_t>(item)];
    ticked = !ticked;
    items_[static_cast<size_t>(item)]->SetCheck(ticked);
    items_[static_cast<size_t>(item)]->update();
    QObject* target = target_ ? target_.data() : parentWidget();
    if (target)
        PostAppMessage(target, WM_APP_SETTING_CHANGED, static_cast<uintptr_t>(item),
                       ticked ? 1 : 0);
}

}  // namespace quorva
