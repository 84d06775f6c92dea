#include "browser/source_open_dlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/browser_ids.h"
#include "skin/msg_dlg.h"
#include "skin/shell_files.h"
#include "skin/skin_check_button.h"
#include "skin/skin_resources.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

constexpr int kRowIds[3] = {kSourceRowDrive, kSourceRowFolder, kSourceRowFile};
constexpr int kRowTexts[3] = {133, 131, 130};

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

QString RunFileDialog(QWidget* owner, const QString& start, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, QString(), start, filter);
}

}  // namespace

CSourceOpenDlg::CSourceOpenDlg(QWidget* parent) : CSkinDialog(parent) {
    Build(RemovableDrives().roots);
}

CSourceOpenDlg::CSourceOpenDlg(QWidget* parent, std::vector<std::string> drives)
    : CSkinDialog(parent) {
    Build(std::move(drives));
}

QString CSourceOpenDlg::MovieFileFilter() {
    return QStringLiteral("Movie Files(*.%1);;All Files(*.*)").arg(QStringLiteral("mov"));
}

void CSourceOpenDlg::Build(std::vector<std::string> drives) {
    setWindowTitle(Ui(132));
    const QFont font = UiFont(kFontF10);
    for (int i = 0; i < 3; ++i) {
        auto* row = new CSkinCheckButton(this);
        row->Create(QRect(), kRowIds[i]);
        row->setText(Ui(kRowTexts[i]));
        row->setFont(font);
        row->SetImage(IDB_OPTION_MARK);
        connect(row, &CSkinButton::command, this, [this](int id) { SelectRow(id); });
        rows_[i] = row;
    }
    driveList_ = new QComboBox(this);
    driveList_->setObjectName(QStringLiteral("driveList"));
    StyleSkinComboBox(driveList_);
    folderEdit_ = new QLineEdit(this);
    fileEdit_ = new QLineEdit(this);
    for (QLineEdit* edit : {folderEdit_, fileEdit_}) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        StyleSkinLineEdit(edit);
    }
    folderButton_ = new QPushButton(QStringLiteral("..."), this);
    fileButton_ = new QPushButton(QStringLiteral("..."), this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    for (QPushButton* button : {folderButton_, fileButton_, ok_})
        StyleSkinPushButton(button);
    for (QWidget* child : std::initializer_list<QWidget*>{driveList_, folderEdit_, fileEdit_,
                                                          folderButton_, fileButton_, ok_})
        child->setFont(font);
    connect(folderButton_, &QPushButton::clicked, this, [this] { ChooseFolder(); });
    connect(fileButton_, &QPushButton::clicked, this, [this] { ChooseFile(); });
    connect(ok_, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(driveList_, &QComboBox::activated, this, [this](int index) { ChooseDrive(index); });

    selection_.SetDrives(drives);
    driveList_->blockSignals(true);
    for (const std::string& drive : drives)
        driveList_->addItem(QString::fromStdString(drive));
    driveList_->setCurrentIndex(selection_.DriveIndex());
    driveList_->blockSignals(false);
    selection_.Load();

    LayOutControls();
    CreateCloseButton(browser_ids::kSourceCancel);
    Refresh();
}

void CSourceOpenDlg::LayOutControls() {
    const double s = UiScale();
    auto R = [s](int x, int y, int w, int h) {
        return QRect(Scaled(x, s), Scaled(y, s), Scaled(w, s), Scaled(h, s));
    };
    setFixedSize(Scaled(540, s), Scaled(250, s));
    // The row buttons draw their label from their top and their mark 4 s below it: 3 s lower
    // than the edits, label and mark sit on the middle line of the edit beside them.
    const QPoint down(0, Scaled(3, s));
    rows_[0]->setGeometry(R(30, 50, 120, 26).translated(down));
    driveList_->setGeometry(R(150, 50, 300, 26));
    rows_[1]->setGeometry(R(30, 100, 120, 26).translated(down));
    folderEdit_->setGeometry(R(150, 100, 300, 26));
    folderButton_->setGeometry(R(470, 100, 40, 26));
    rows_[2]->setGeometry(R(30, 150, 120, 26).translated(down));
    fileEdit_->setGeometry(R(150, 150, 300, 26));
    fileButton_->setGeometry(R(470, 150, 40, 26));
    ok_->setGeometry(R(410, 200, 100, 26));
    // Centred on the monitor that holds the owner (or the primary one).
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void CSourceOpenDlg::Refresh() {
    // A long path shows its end (the folder's or the movie's name); the tooltip holds it all.
    folderEdit_->setText(QString::fromStdString(selection_.FolderPath()));
    folderEdit_->setToolTip(folderEdit_->text());
    fileEdit_->setText(QString::fromStdString(selection_.FilePath()));
    fileEdit_->setToolTip(fileEdit_->text());
    for (int i = 0; i < 3; ++i)
        rows_[i]->SetCheck(kRowIds[i] == selection_.Row());
    ok_->setEnabled(selection_.OkEnabled());
    for (CSkinCheckButton* row : rows_)
        row->update();
}

CSkinCheckButton* CSourceOpenDlg::RowButton(int row) const {
    for (int i = 0; i < 3; ++i)
        if (kRowIds[i] == row) return rows_[i];
    return nullptr;
}

void CSourceOpenDlg::SelectRow(int row) {
    selection_.SelectRow(row);
    Refresh();
}

void CSourceOpenDlg::ChooseDrive(int index) {
    selection_.ChooseDrive(index);
    Refresh();
}

void CSourceOpenDlg::ChooseFolder() {
    const std::string title = UiText(102);
    const std::string folder = folderDialog_
                                   ? PickFolderWith(folderDialog_, this, "SOURCE", "FOLDER", title)
                                   : PickFolder(this, "SOURCE", "FOLDER", title);
    selection_.ChooseFolder(folder);
    Refresh();
}

QString CSourceOpenDlg::FileDialogStart() const {
    const QFileInfo stored(QString::fromStdString(selection_.FilePath()));
    if (!selection_.FilePath().empty() && stored.absoluteDir().exists())
        return stored.absolutePath();
    return QCoreApplication::applicationDirPath();
}

void CSourceOpenDlg::ChooseFile() {
    const FileDialog& dialog = fileDialog_ ? fileDialog_ : FileDialog(RunFileDialog);
    const QString chosen = dialog(this, FileDialogStart(), MovieFileFilter());
    if (!chosen.isEmpty() && !selection_.ChooseFile(chosen.toStdString()))
        ShowMessage(this, UiText(96), "ERROR", 0);
    Refresh();
}

void CSourceOpenDlg::Confirm() {
    if (!selection_.OkEnabled()) return;
    selection_.Commit();
    done(browser_ids::kSourceOk);
}

void CSourceOpenDlg::OnCommand(int id) {
    if (id == browser_ids::kSourceOk) {
        Confirm();
        return;
    }
    CSkinDialog::OnCommand(id);
}

}  // namespace quorva
