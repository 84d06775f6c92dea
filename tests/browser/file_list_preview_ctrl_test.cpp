// The recording list's hover preview: with the thumbnail flag on, hovering a row places
// the popup left of it, shows it and reports the row once; leaving, a press, the wheel, a
// place without a row and new rows hide it; with the flag off a hover does nothing.
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "appcore/app_messages.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser_fixture.h"
#include "gui_fixture.h"
#include "platform/qt/app_message_event.h"

namespace quorva {
namespace {

using test::Name;

// The rows reported with WM_APP_PREVIEW_ITEM.
class PreviewReceiver : public QObject {
  public:
    std::vector<uintptr_t> rows;

  protected:
    bool event(QEvent* e) override {
        if (e->type() != AppMessageEvent::EventType()) return QObject::event(e);
        const auto* m = static_cast<AppMessageEvent*>(e);
        if (m->id() == WM_APP_PREVIEW_ITEM) rows.push_back(m->wParam());
        return true;
    }
};

class ListPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SourceEnvironment env;
        env.removableVolumes = [] { return std::vector<std::string>{}; };
        browser = std::make_unique<CFilerContainerDlg>(nullptr, env);
        browser->resize(452, 630);
        browser->move(600, 100);
        for (int n = 10; n < 30; ++n)
            test::WriteMovie(dir / ("run/" + Name("A___", "240131", n)));
        browser->LoadSource(dir / "run", kSourceFolder);
        browser->LoadFolder(browser->Catalogue().Tree().Roots()[0]->children[0]->serial);
        browser->show();
        list = browser->List();
        popup.setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);  // as the preview window
        popup.resize(220, 123);
        list->SetPreviewPopup(&popup);
        list->SetPreviewTarget(&receiver);
        list->SetPreviewEnabled(true);
    }
    void TearDown() override { browser.reset(); }

    QPoint RowPoint(int row) const {
        return list->visualItemRect(list->topLevelItem(row)).center();
    }
    void Move(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
    }
    void Deliver() { QCoreApplication::sendPostedEvents(&receiver); }

    test::SettingsScope settings;
    test::TempFolder dir;
    std::unique_ptr<CFilerContainerDlg> browser;
    CFileListCtrl* list = nullptr;
    QWidget popup;
    PreviewReceiver receiver;
};

TEST_F(ListPreviewTest, HoveringARowShowsThePopupBesideIt) {
    ASSERT_EQ(list->RowCount(), 20);
    Move(RowPoint(3));
    Move(RowPoint(3) + QPoint(5, 2));  // the same row: nothing new
    Deliver();
    EXPECT_EQ(receiver.rows, std::vector<uintptr_t>{3});
    ASSERT_TRUE(popup.isVisible());
    const QRect row = list->visualItemRect(list->topLevelItem(3));
    const QPoint rowCentre = list->viewport()->mapToGlobal(row.center());
    const QPoint listLeft = list->viewport()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(popup.geometry().right() + 1, listLeft.x());
    EXPECT_LE(std::abs(popup.geometry().center().y() - rowCentre.y()), 1);

    // The next row: reported and followed.
    Move(RowPoint(4));
    Deliver();
    EXPECT_EQ(receiver.rows, (std::vector<uintptr_t>{3, 4}));
    EXPECT_EQ(list->PreviewRow(), 4);

    // Near the bottom the popup ends at the list's bottom.
    const int last = list->RowCount() - 1;
    list->scrollToItem(list->topLevelItem(last));
    Move(RowPoint(last));
    const int listBottom = list->viewport()->mapToGlobal(QPoint(0, list->viewport()->height())).y();
    EXPECT_LE(popup.geometry().bottom() + 1, listBottom);
}

TEST_F(ListPreviewTest, WhatHidesThePopup) {
    auto shownOn = [&](int row) {
        Move(RowPoint(row));
        return popup.isVisible();
    };
    ASSERT_TRUE(shownOn(1));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list->viewport(), &leave);
    EXPECT_FALSE(popup.isVisible());

    ASSERT_TRUE(shownOn(2));
    QMouseEvent press(QEvent::MouseButtonPress, RowPoint(2),
                      list->viewport()->mapToGlobal(RowPoint(2)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    EXPECT_FALSE(popup.isVisible());

    ASSERT_TRUE(shownOn(3));
    QWheelEvent wheel(RowPoint(3), list->viewport()->mapToGlobal(RowPoint(3)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    EXPECT_FALSE(popup.isVisible());

    // Below the last row there is no row.
    ASSERT_TRUE(shownOn(4));
    list->SetRows(
        std::vector<RecordingEntry>(browser->Rows().begin(), browser->Rows().begin() + 2));
    EXPECT_FALSE(popup.isVisible());  // new rows: the row under the mouse changed
    Move(QPoint(20, list->viewport()->height() - 3));
    EXPECT_FALSE(popup.isVisible());

    // The source gone (its rows cleared).
    ASSERT_TRUE(shownOn(1));
    browser->ClearSource();
    EXPECT_FALSE(popup.isVisible());
}

TEST_F(ListPreviewTest, NothingWhileTheThumbnailFlagIsOff) {
    ASSERT_TRUE((Move(RowPoint(2)), popup.isVisible()));
    list->SetPreviewEnabled(false);
    EXPECT_FALSE(popup.isVisible());
    receiver.rows.clear();
    Deliver();
    receiver.rows.clear();
    Move(RowPoint(5));
    Move(RowPoint(6));
    Deliver();
    EXPECT_TRUE(receiver.rows.empty());
    EXPECT_FALSE(popup.isVisible());
}

}  // namespace
}  // namespace quorva
