#include "browser/filer_container_dlg.h"

#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "appcore/app_messages.h"
#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/browser_ids.h"
#include "browser/file_list_ctrl.h"
#include "browser/file_list_rules.h"
#include "browser/folder_tree_ctrl.h"
#include "browser/folder_tree_rules.h"
#include "platform/qt/app_message_event.h"
#include "platform/qt/volumes.h"
#include "skin/skin_check_button.h"
#include "skin/skin_resources.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

// The filter labels, in the order of the buttons.
constexpr int kLabelTexts[5] = {152, 156, 155, 157, 158};

QRect ToQRect(const BoxRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace

CFilerContainerDlg::CFilerContainerDlg(QWidget* parent, SourceEnvironment environment,
                                       std::chrono::milliseconds watchInterval)
    : QWidget(parent), catalogue_(std::move(environment)), filters_(kAllKindsShown) {
    setFont(UiFont(kFontF10));
    tree_ = new CFolderTreeCtrl(this);
    tree_->setObjectName(QStringLiteral("folderTree"));
    list_ = new CFileListCtrl(this);
    list_->setObjectName(QStringLiteral("fileList"));
    pathLine_ = new QLineEdit(this);
    pathLine_->setReadOnly(true);
    pathLine_->hide();
    for (int k = 0; k < browser_ids::kFilterCount; ++k) {
        auto* button = new CSkinCheckButton(this);
        button->Create(QRect(), browser_ids::kFilterFirst + k);
        button->SetImage(IDB_CHECK_MARK);
        button->SetCheck(filters_[k]);
        connect(button, &CSkinButton::command, this, [this, k](int) { OnFilterClicked(k); });
        buttons_[k] = button;
    }
    connect(tree_, &CFolderTreeCtrl::nodeSelected, this,
            [this](quint64 serial) { OnNodeSelected(serial); });
    connect(list_, &CFileListCtrl::rowSelected, this, [this](int row) { OnRowSelected(row); });
    connect(list_, &CFileListCtrl::headerClicked, this,
            [this](int column) { SortByColumn(column); });
    connect(list_, &CFileListCtrl::contextMenuRequested, this, [this](int row, QPoint at) {
        if (listener_ && !busy_) listener_->OnRecordingContextMenu(row, at.x(), at.y());
    });

    auto present = [this](const std::string& path) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) return false;
        return !requireVolumeRoot_.load() || platform::IsVolumeRoot(path);
    };
    // The watcher's thread only posts; the message reaches the owner from this object's own
    // thread, so the owner may change the target at any time.
    watcher_ = std::make_unique<SourceWatcher>(
        [this] { PostAppMessage(this, WM_APP_SOURCE_REMOVED); }, present, watchInterval);
    LayOut();
}

CFilerContainerDlg::~CFilerContainerDlg() {
    watcher_.reset();
}

QObject* CFilerContainerDlg::MessageTarget() const {
    return target_ ? target_ : parent();
}

bool CFilerContainerDlg::event(QEvent* event) {
    if (event->type() == AppMessageEvent::EventType()) {
        const auto* message = static_cast<AppMessageEvent*>(event);
        if (message->id() == WM_APP_SOURCE_REMOVED) {
            if (QObject* target = MessageTarget()) PostAppMessage(target, WM_APP_SOURCE_REMOVED);
        }
        return true;
    }
    return QWidget::event(event);
}

// ---- the source ------------------------------------------------------------------------------

bool CFilerContainerDlg::ChooseStartSource() {
    busy_ = true;
    const bool found = catalogue_.ChooseStartSource(ReadSetting("SOURCE", "FOLDER"),
                                                    ReadSetting("SOURCE", "FILE"));
    if (found) {
        ShowCatalogue();
        Watch(catalogue_.SourcePath(), catalogue_.Kind());
    }
    busy_ = false;
    return found;
}

int CFilerContainerDlg::LoadSource(const std::string& path, int kind) {
    busy_ = true;
    catalogue_.ScanSource(path, kind);
    if (kind != kSourceFile) catalogue_.SelectFirstGroup();
    ShowCatalogue();
    Watch(catalogue_.SourcePath(), kind);
    busy_ = false;
    return RowCount();
}

void CFilerContainerDlg::ShowCatalogue() {
    tree_->ShowTree(catalogue_.Tree());
    if (const GroupNode* node = catalogue_.SelectedNode()) tree_->SelectNode(node->serial, false);
    pathLine_->setText(QString::fromStdString(catalogue_.ShownPath()));
    FillList();
}

int CFilerContainerDlg::LoadFolder(uint64_t serial) {
    GroupNode* node = catalogue_.Tree().FindBySerial(serial);
    if (!node) return 0;
    busy_ = true;
    const int count = catalogue_.FillFromNode(node);
    tree_->ShowChildren(catalogue_.Tree(), node);
    if (tree_->SelectedSerial() != serial) tree_->SelectNode(serial, false);
    pathLine_->setText(QString::fromStdString(catalogue_.ShownPath()));
    FillList();
    busy_ = false;
    return count;
}

bool CFilerContainerDlg::SelectFolder(uint64_t serial, bool notify) {
    return tree_->SelectNode(serial, notify);
}

bool CFilerContainerDlg::SelectNextFolder() {
    const GroupNode* node = catalogue_.Tree().FindBySerial(tree_->SelectedSerial());
    if (!node) return false;
    const auto& siblings = node->parent ? node->parent->children : catalogue_.Tree().Roots();
    for (size_t i = 0; i + 1 < siblings.size(); ++i) {
        if (siblings[i].get() == node) return SelectFolder(siblings[i + 1]->serial);
    }
    return false;
}

void CFilerContainerDlg::ClearSource() {
    watcher_->Watch("");
    catalogue_.ClearSource();
    tree_->ClearTree();
    pathLine_->clear();
    list_->ClearRows();
    currentIndex_ = -1;
    update();
}

std::string CFilerContainerDlg::PathText() const {
    return pathLine_->text().toStdString();
}

void CFilerContainerDlg::Watch(const std::string& path, int kind) {
    // Stop watching the old path before the rule changes, so that it is never judged by
    // the new source's rule.
    watcher_->Watch("");
    requireVolumeRoot_.store(kind == kSourceDrive && platform::IsVolumeRoot(path));
    watcher_->Watch(path);
}

void CFilerContainerDlg::OnNodeSelected(uint64_t serial) {
    if (busy_) return;
    const GroupNode* node = catalogue_.Tree().FindBySerial(serial);
    if (!IsFolderSelectionItem(node)) return;
    if (!listener_) {
        LoadFolder(serial);
        return;
    }
    FolderSelection selection;
    selection.serial = serial;
    selection.path = catalogue_.Tree().PathOf(node);
    selection.isGroup = node->isGroup;
    selection.plainFolderItem = true;
    listener_->OnFolderSelected(selection);
}

// ---- the list --------------------------------------------------------------------------------

const std::vector<RecordingEntry>& CFilerContainerDlg::Rows() const {
    return list_->Rows();
}

int CFilerContainerDlg::RowCount() const {
    return list_->RowCount();
}

void CFilerContainerDlg::FillList() {
    list_->SetRows(FilterRows(catalogue_.Catalogue(), filters_));
    currentIndex_ = -1;
    update();
}

bool CFilerContainerDlg::Filter(int k) const {
    return k >= 0 && k < browser_ids::kFilterCount && filters_[k];
}

void CFilerContainerDlg::SetFilter(int k, bool on) {
    if (k < 0 || k >= browser_ids::kFilterCount) return;
    filters_[k] = on;
    buttons_[k]->SetCheck(on);
    reopen_ = true;
    FillList();
    if (RowCount() > 0) {
        currentIndex_ = 0;
        list_->SetCurrentRow(0);
        list_->SelectRow(0);
    }
}

void CFilerContainerDlg::OnFilterClicked(int k) {
    if (listener_) {
        listener_->OnFilterCommand(k);
        return;
    }
    SetFilter(k, !filters_[k]);
}

void CFilerContainerDlg::SelectRecordingRow(int index, bool continuousMark) {
    continuousMark_ = continuousMark;
    if (index < 0 || index >= RowCount()) return;
    currentIndex_ = index;
    list_->SetCurrentRow(index);
    list_->SelectRow(index);
}

void CFilerContainerDlg::SortByColumn(int column) {
    const std::string before =
        currentIndex_ >= 0 && currentIndex_ < RowCount() ? Rows()[currentIndex_].path : "";
    list_->SortByColumn(column);
    if (RowCount() == 0) return;
    if (Rows()[0].path != before) reopen_ = true;
    currentIndex_ = 0;
    list_->SetCurrentRow(0);
    list_->SelectRow(0);
}

void CFilerContainerDlg::ClearMarks() {
    currentIndex_ = -1;
    list_->SetCurrentRow(-1);
    list_->ClearRowSelection();
}

void CFilerContainerDlg::OnRowSelected(int row) {
    currentIndex_ = row;
    list_->SetCurrentRow(row);
    if (listener_) listener_->OnRecordingSelected(row);
}

bool CFilerContainerDlg::TakeReopen() {
    const bool was = reopen_;
    reopen_ = false;
    return was;
}

bool CFilerContainerDlg::TakeContinuousMark() {
    const bool was = continuousMark_;
    continuousMark_ = false;
    return was;
}

CSkinCheckButton* CFilerContainerDlg::FilterButton(int k) const {
    return k >= 0 && k < browser_ids::kFilterCount ? buttons_[k] : nullptr;
}

QString CFilerContainerDlg::CountText() const {
    return QString::fromStdString(RecordingCountText(RowCount()));
}

// ---- look ------------------------------------------------------------------------------------

void CFilerContainerDlg::SetZoomHint(bool on) {
    zoomHint_ = on;
    LayOut();
    update();
}

void CFilerContainerDlg::SetControlsEnabled(bool enabled) {
    tree_->setEnabled(enabled);
    list_->setEnabled(enabled);
    for (CSkinCheckButton* button : buttons_)
        button->setEnabled(enabled);
}

void CFilerContainerDlg::LayOut() {
    const double s = UiScale();
    const QFont panelFont = UiFont(kFontF10);
    if (font() != panelFont) setFont(panelFont);
    if (tree_->Scale() != s || tree_->font() != panelFont) tree_->ApplyScale();
    if (list_->Scale() != s || list_->font() != panelFont) list_->ApplyScale();
    const QFontMetrics metrics(panelFont);
    std::array<int, browser_ids::kFilterCount> labelWidths{};
    for (int k = 0; k < browser_ids::kFilterCount; ++k)
        labelWidths[k] = metrics.horizontalAdvance(QString::fromStdString(UiText(kLabelTexts[k])));
    layout_ = LayOutFiler({0, 0, width(), height()}, s, metrics.height(), labelWidths);
    tree_->setGeometry(ToQRect(layout_.tree));
    list_->setGeometry(ToQRect(layout_.list));
    pathLine_->setGeometry(ToQRect(layout_.pathLine));
    pathLine_->hide();
    for (int k = 0; k < browser_ids::kFilterCount; ++k) {
        // The button reaches over its label, so that a click on the label works it too; its
        // mark is drawn 4 s below its top, on the mark's place.
        const BoxRect& mark = layout_.buttons[k];
        const int limit = k + 1 < browser_ids::kFilterCount
                              ? layout_.buttons[k + 1].x - Scaled(2, s)
                              : layout_.count.x;
        const int right = std::min(limit, layout_.labels[k].x + labelWidths[k] + Scaled(2, s));
        buttons_[k]->setGeometry(QRect(mark.x, mark.y - Scaled(4, s),
                                       std::max(mark.width, right - mark.x),
                                       Scaled(4, s) + mark.height));
        if (buttons_[k]->Strip().FrameSize().width() != mark.width)
            buttons_[k]->SetImage(IDB_CHECK_MARK);
    }
    UpdateVisibility();
}

void CFilerContainerDlg::UpdateVisibility() {
    const bool shown = !zoomHint_;
    tree_->setVisible(shown);
    list_->setVisible(shown);
    for (CSkinCheckButton* button : buttons_)
        button->setVisible(shown);
}

void CFilerContainerDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void CFilerContainerDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (zoomHint_) {
        PaintZoomHint(painter);
        return;
    }
    painter.fillRect(rect(), BackgroundColour());
    painter.setPen(FrameColour());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(font());
    painter.setPen(Qt::white);
    const QRect count = ToQRect(layout_.count);
    painter.fillRect(count, BackgroundColour());
    painter.drawText(count, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, CountText());
    for (int k = 0; k < browser_ids::kFilterCount; ++k) {
        painter.drawText(ToQRect(layout_.labels[k]),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString::fromStdString(UiText(kLabelTexts[k])));
    }
    list_->viewport()->update();
}

void CFilerContainerDlg::PaintZoomHint(QPainter& painter) {
    if (zoomPicture_.size() != size()) {
        zoomPicture_ = QImage(size(), QImage::Format_RGB32);
        zoomPicture_.fill(Qt::black);
        const QImage picture = RenderSkinImage(IDB_ZOOM_HINT, size());
        if (!picture.isNull()) {
            QPainter onBlack(&zoomPicture_);
            onBlack.drawImage(0, 0, picture);
        }
    }
    painter.drawImage(0, 0, zoomPicture_);
    const BoxRect box = ZoomHintTextBox(width(), height(), UiScale());
    painter.setFont(tree_->font());
    painter.setPen(Qt::white);
    painter.drawText(ToQRect(box), Qt::AlignCenter, QString::fromStdString(UiText(173)));
}

}  // namespace quorva
