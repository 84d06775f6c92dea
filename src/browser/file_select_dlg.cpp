#include "browser/file_select_dlg.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "recordings/recording_name.h"
#include "skin/msg_dlg.h"
#include "skin/skin_check_button.h"
#include "skin/skin_list_ctrl.h"
#include "skin/skin_resources.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

}  // namespace

CFileSelectDlg::CFileSelectDlg(QWidget* parent) : CSkinDialog(parent) {
    const QFont font = UiFont(kFontF10);
    list_ = new CSkinListCtrl(this);
    list_->setObjectName(QStringLiteral("file selection list"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({Ui(46), Ui(47)});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->SetStateImages(IDB_CHECK_MARK);
    // Dark like the dialog, so that the skin's check boxes read as they do on its switches.
    list_->setStyleSheet(QStringLiteral(
        "QTreeView { background: #121417; color: #ffffff; border: 1px solid #3a3f46;"
        " selection-background-color: #2463c7; selection-color: #ffffff; outline: 0; }"
        "QHeaderView { background: #2b2f35; }"
        "QHeaderView::section { background: #2b2f35; color: #ffffff; border: none;"
        " border-right: 1px solid #3a3f46; border-bottom: 1px solid #3a3f46; padding: 0 4px; }"));
    connect(list_, &CSkinListCtrl::checkChanged, this, [this](int row, bool) {
        // The list flipped the box itself; the rules decide what else changes.
        selection_.Click(row);
        ShowTicks();
        ShowTotal();
    });

    showAll_ = new CSkinCheckButton(this);
    showAll_->Create(QRect(), kShowAll);
    showAll_->setText(Ui(52));
    selectAll_ = new CSkinCheckButton(this);
    selectAll_->Create(QRect(), kSelectAllShown);
    selectAll_->setText(Ui(51));
    for (CSkinCheckButton* button : {showAll_, selectAll_}) {
        button->setFont(font);
        button->SetImage(IDB_CHECK_MARK);
        connect(button, &CSkinButton::command, this, [this](int id) { OnCommand(id); });
    }

    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("total size"));
    total_->setFont(font);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ok_ = new QPushButton(this);
    ok_->setFont(font);
    StyleSkinPushButton(ok_);
    connect(ok_, &QPushButton::clicked, this, [this] { Confirm(); });

    CreateCloseButton(kCancel);
    const double s = UiScale();
    setFixedSize(Scaled(520, s), Scaled(500, s));
    Relayout();
    // Centred on the monitor that holds the owner (or the primary one).
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
}

void CFileSelectDlg::Relayout() {
    CSkinDialog::Relayout();
    if (!list_) return;
    const double s = UiScale();
    const int w = width();
    const int h = height();
    list_->setGeometry(Scaled(10, s), Scaled(30, s), w - Scaled(20, s), h - Scaled(140, s));
    list_->setColumnWidth(0, Scaled(270, s));
    list_->setColumnWidth(1, Scaled(120, s));
    // The switches under the list, the total and OK at the bottom right.
    showAll_->setGeometry(Scaled(10, s), h - Scaled(100, s), Scaled(300, s), Scaled(20, s));
    selectAll_->setGeometry(Scaled(10, s), h - Scaled(75, s), Scaled(300, s), Scaled(20, s));
    total_->setGeometry(w - Scaled(160, s), h - Scaled(70, s), Scaled(140, s), Scaled(20, s));
    ok_->setGeometry(w - Scaled(130, s), h - Scaled(40, s), Scaled(120, s), Scaled(30, s));
}

bool CFileSelectDlg::Prepare(FileSelectMode mode, const std::vector<RecordingEntry>& group,
                             const std::vector<RecordingEntry>& all) {
    const bool complete = selection_.Prepare(mode, group, all);
    const bool join = mode == FileSelectMode::kJoin;
    setWindowTitle(Ui(join ? 40 : 43));
    ok_->setText(Ui(join ? 41 : 43));
    showAll_->setVisible(!join);
    result_.clear();
    FillList();
    return complete;
}

void CFileSelectDlg::FillList() {
    list_->clear();
    const bool join = selection_.Mode() == FileSelectMode::kJoin;
    for (const RecordingEntry& e : selection_.Rows()) {
        const int row =
            list_->AddRow({QString::fromStdString(std::string(FileNameOf(e.path))),
                           QString::fromStdString(FileSelection::SizeText(e.movieSize))});
        if (join && e.joinedMark != 0) {
            QTreeWidgetItem* item = list_->topLevelItem(row);
            for (int c = 0; c < 2; ++c) {
                item->setForeground(c, JoinedText());
                item->setBackground(c, JoinedBackground());
            }
        }
    }
    showAll_->SetCheck(selection_.ShowAll());
    selectAll_->SetCheck(selection_.SelectAllShown());
    ShowTicks();
    ShowTotal();
}

void CFileSelectDlg::ShowTicks() {
    for (int r = 0; r < list_->RowCount(); ++r) {
        const bool ticked = selection_.Ticked(r);
        if (ticked != list_->IsChecked(r)) list_->SetChecked(r, ticked);
    }
    list_->viewport()->update();
}

void CFileSelectDlg::ShowTotal() {
    total_->setText(QString::fromStdString(selection_.TotalText()));
    ok_->setEnabled(selection_.OkEnabled());
}

void CFileSelectDlg::ClickRow(int row) {
    selection_.Click(row);
    ShowTicks();
    ShowTotal();
}

void CFileSelectDlg::ClickShowAll() {
    selection_.SetShowAll(!selection_.ShowAll());
    FillList();
}

void CFileSelectDlg::ClickSelectAllShown() {
    selection_.SetSelectAllShown(!selection_.SelectAllShown());
    FillList();
}

void CFileSelectDlg::Confirm() {
    const FileSelectAnswer answer = selection_.Confirm(&result_);
    if (answer == FileSelectAnswer::kAccept) {
        done(kOk);
        return;
    }
    result_.clear();
    const int text = answer == FileSelectAnswer::kTooBig    ? 138
                     : answer == FileSelectAnswer::kTooMany ? 140
                                                            : 0;
    if (text == 0) return;
    if (message_)
        message_(this, UiText(text));
    else
        ShowMessage(this, UiText(text), "ERROR", 0);
}

void CFileSelectDlg::OnCommand(int id) {
    switch (id) {
        case kShowAll:
            ClickShowAll();
            return;
        case kSelectAllShown:
            ClickSelectAllShown();
            return;
        case kOk:
            Confirm();
            return;
        default:
            CSkinDialog::OnCommand(id);
    }
}

}  // namespace quorva
