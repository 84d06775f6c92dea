// The movie windows: the relay of the player's notices, the delayed single click and the
// double click, the context-menu request; the detached window's fixed size and its notices;
// the owner-drawn movie context menu.
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/movie_dialog.h"
#include "app/movie_menu.h"
#include "app/movie_static.h"
#include "appcore/ui_scale.h"

namespace quorva {
namespace {

using ::testing::ElementsAre;

struct Relayed {
    uint32_t id;
    uintptr_t w;
    intptr_t l;
    friend bool operator==(const Relayed&, const Relayed&) = default;
};

class RecordingOwner : public MovieWindowOwner {
  public:
    std::vector<Relayed> relayed;
    std::vector<int> doubleClicks;
    bool subOpened = true;
    void OnMovieMessage(uint32_t id, uintptr_t w, intptr_t l) override {
        relayed.push_back({id, w, l});
    }
    void OnMovieDoubleClick(int index) override { doubleClicks.push_back(index); }
    bool SubSlotOpened() const override { return subOpened; }
    void OnMovieErase(int) override {}
    bool SlotOpen(int) const override { return false; }
    uintptr_t currentSerial = 0;  // the serial of the engine open in the slot
    bool NoticeIsCurrent(int, uintptr_t serial) const override { return serial == currentSerial; }
};

void Deliver(QObject* o) {
    QCoreApplication::sendPostedEvents(o);
}

void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint local) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

TEST(MovieStatic, RelaysTheReadyNoticeOncePerRecording) {
    struct Row {
        int index;
        uint32_t notice;
        bool subOpened;
        uint32_t relayed;  // 0: dropped
    };
    const Row rows[] = {
        {1, WM_APP_SESSION_READY, true, WM_APP_PLAYER_READY},
        {0, WM_APP_SESSION_READY, true, 0},                     // both cameras: window 1 reports
        {0, WM_APP_SESSION_READY, false, WM_APP_PLAYER_READY},  // one camera
        {0, WM_APP_SESSION_ENDED, true, WM_APP_PLAYER_ENDED},
        {1, WM_APP_SESSION_ENDED, true, 0},  // the sub slot's end is never relayed
        {0, WM_APP_GRAPH_EVENT, true, WM_APP_GRAPH_EVENT},
        {1, WM_APP_GRAPH_EVENT, true, 0},
        {-1, WM_APP_SESSION_READY, false, 0},  // an index other than 0 or 1 is inert
        {2, WM_APP_SESSION_ENDED, false, 0},
    };
    for (const Row& r : rows) {
        RecordingOwner owner;
        owner.subOpened = r.subOpened;
        CMovieStatic movie;
        movie.SetOwner(&owner);
        movie.SetIndex(r.index);
        movie.MessageTarget()->PostAppMessage(r.notice, 0, 0);  // as the engine does
        Deliver(&movie);
        if (r.relayed)
            EXPECT_THAT(owner.relayed, ElementsAre(Relayed{r.relayed, 0, 0}))
                << "window " << r.index << " notice " << std::hex << r.notice;
        else
            EXPECT_TRUE(owner.relayed.empty())
                << "window " << r.index << " notice " << std::hex << r.notice;
    }
    // Without an owner nothing happens (and nothing breaks).
    CMovieStatic orphan;
    orphan.SetIndex(0);
    orphan.MessageTarget()->PostAppMessage(WM_APP_SESSION_ENDED, 0, 0);
    Deliver(&orphan);
}

// A notice still on its way from a movie closed since (an earlier recording, or the second
// camera of one that failed) would start or end the recording open now.
TEST(MovieStatic, DropsTheNoticesOfAnEarlierMovie) {
    for (int index : {0, 1}) {
        RecordingOwner owner;
        owner.subOpened = false;
        owner.currentSerial = 7;
        CMovieStatic movie;
        movie.SetOwner(&owner);
        movie.SetIndex(index);
        movie.MessageTarget()->PostAppMessage(WM_APP_SESSION_READY, 6, 0);
        movie.MessageTarget()->PostAppMessage(WM_APP_SESSION_ENDED, 6, 0);
        movie.MessageTarget()->PostAppMessage(WM_APP_SESSION_READY, 7, 0);
        movie.MessageTarget()->PostAppMessage(WM_APP_SESSION_ENDED, 8, 0);
        Deliver(&movie);
        EXPECT_THAT(owner.relayed, ElementsAre(Relayed{WM_APP_PLAYER_READY, 7, 0}))
            << "window " << index;
    }
}

TEST(MovieStatic, ASingleClickArrivesAfterTheDoubleClickTime) {
    RecordingOwner owner;
    CMovieStatic movie;
    movie.resize(320, 180);
    movie.SetOwner(&owner);
    movie.SetIndex(1);
    movie.SetDoubleClickTime(40);
    Mouse(&movie, QEvent::MouseButtonPress, {30, 40});
    Mouse(&movie, QEvent::MouseButtonRelease, {31, 41});
    EXPECT_TRUE(owner.relayed.empty()) << "not before the double-click time";
    Wait(150);
    ASSERT_THAT(owner.relayed, ElementsAre(Relayed{WM_APP_MOVIE_CLICK, 1,
                                                   static_cast<intptr_t>(PackPoint({30, 40}))}));
    EXPECT_FALSE(movie.ClickHandled()) << "cleared again by the release timer";
    EXPECT_TRUE(owner.doubleClicks.empty());
}

TEST(MovieStatic, ADoubleClickGivesNoSingleClick) {
    RecordingOwner owner;
    CMovieStatic movie;
    movie.resize(320, 180);
    movie.SetOwner(&owner);
    movie.SetIndex(0);
    movie.SetDoubleClickTime(40);
    Mouse(&movie, QEvent::MouseButtonPress, {10, 10});
    Mouse(&movie, QEvent::MouseButtonRelease, {10, 10});
    Mouse(&movie, QEvent::MouseButtonDblClick, {10, 10});
    EXPECT_TRUE(movie.DoubleClickSeen());
    Mouse(&movie, QEvent::MouseButtonRelease, {10, 10});
    EXPECT_FALSE(movie.DoubleClickSeen());
    Wait(150);
    EXPECT_TRUE(owner.relayed.empty());
    EXPECT_THAT(owner.doubleClicks, ElementsAre(0));
    // The next single click works again.
    Mouse(&movie, QEvent::MouseButtonPress, {5, 6});
    Mouse(&movie, QEvent::MouseButtonRelease, {5, 6});
    Wait(150);
    EXPECT_EQ(owner.relayed.size(), 1u);
}

TEST(MovieStatic, TheContextMenuRequestCarriesTheScreenPointAndTheWindow) {
    RecordingOwner owner;
    CMovieStatic movie;
    movie.SetOwner(&owner);
    movie.SetIndex(1);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(-40, 1300));
    QApplication::sendEvent(&movie, &event);
    ASSERT_EQ(owner.relayed.size(), 1u);
    EXPECT_EQ(owner.relayed[0].id, static_cast<uint32_t>(WM_APP_MOVIE_MENU));
    EXPECT_EQ(UnpackPoint(owner.relayed[0].w), QPoint(-40, 1300));
    EXPECT_EQ(owner.relayed[0].l, 1);
    // An inert window relays no click either.
    RecordingOwner none;
    CMovieStatic inert;
    inert.SetOwner(&none);
    inert.SetDoubleClickTime(20);
    Mouse(&inert, QEvent::MouseButtonPress, {1, 1});
    Mouse(&inert, QEvent::MouseButtonRelease, {1, 1});
    QApplication::sendEvent(&inert, &event);
    Wait(80);
    EXPECT_TRUE(none.relayed.empty());
}

TEST(MovieStatic, PointsSurviveThePacking) {
    for (QPoint p : {QPoint(0, 0), QPoint(-5, 7), QPoint(70000, -3), QPoint(-1, -1)})
        EXPECT_EQ(UnpackPoint(PackPoint(p)), p);
}

TEST(MovieStatic, PaintsBlackWhileThePictureIsSwitchedOff) {
    CMovieStatic movie;
    movie.resize(160, 90);
    const QImage idle = movie.grab().toImage();
    movie.SetPicturePainting(false);
    const QImage off = movie.grab().toImage();
    EXPECT_EQ(off.pixelColor(80, 45), QColor(Qt::black));
    EXPECT_EQ(off.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_NE(idle, off) << "with nothing open the idle picture is shown";
}

// A receiver of the detached window's notices.
class Parent : public QObject {
  public:
    std::vector<uint32_t> ids;
    bool event(QEvent* e) override {
        if (e->type() == AppMessageEvent::EventType()) {
            ids.push_back(static_cast<AppMessageEvent*>(e)->id());
            return true;
        }
        return QObject::event(e);
    }
};

TEST(MovieDialog, KeepsItsSizeAndTellsItsParentAboutPaintsAndBandDoubleClicks) {
    Parent parent;
    CMovieDialog dialog(&parent);
    dialog.ApplyScale(1.0);
    EXPECT_EQ(dialog.size(), QSize(452, 368));
    dialog.resize(900, 900);
    EXPECT_EQ(dialog.size(), QSize(452, 368)) << "the user cannot resize it";
    // Placed beside a main window of the design size: the second camera above the map.
    dialog.PlaceAt(QRect(1220, 100, 452, 697));
    EXPECT_EQ(dialog.geometry(), QRect(1220, 100, 452, 697));
    QWidget content, map;
    dialog.SetSubCamera(&content);
    dialog.AddMapContent(&map);
    EXPECT_EQ(content.geometry(), QRect(1, 20, 450, 253));
    EXPECT_EQ(map.geometry(), QRect(1, 277, 450, 419));
    dialog.resize(900, 900);
    EXPECT_EQ(dialog.size(), QSize(452, 697)) << "the user cannot resize it";

    const QImage picture = dialog.grab().toImage();
    QCoreApplication::sendPostedEvents(&parent);
    EXPECT_THAT(parent.ids, ::testing::Contains(WM_APP_ZOOM_REFRESH));
    EXPECT_EQ(picture.pixelColor(0, 200), QColor(0xCF, 0xCF, 0xCF));
    EXPECT_EQ(picture.pixelColor(451, 200), QColor(0xCF, 0xCF, 0xCF));

    parent.ids.clear();
    Mouse(&dialog, QEvent::MouseButtonDblClick, {100, 10});
    Mouse(&dialog, QEvent::MouseButtonDblClick, {100, 200});
    QCoreApplication::sendPostedEvents(&parent);
    EXPECT_EQ(std::count(parent.ids.begin(), parent.ids.end(), WM_APP_MOVIE_REPOSITION), 1);
    content.setParent(nullptr);
    map.setParent(nullptr);
}

TEST(MovieMenu, ItemsAreMeasuredAndColouredByTheirState) {
    EXPECT_EQ(MovieMenuItemSize(1.0, false), QSize(70, 20));
    EXPECT_EQ(MovieMenuItemSize(1.0, true), QSize(220, 20));
    EXPECT_EQ(MovieMenuItemSize(2.0, true), QSize(440, 40));
    EXPECT_EQ(MovieMenuItemColors(true, true).fill, QColor(0, 0, 255));
    EXPECT_EQ(MovieMenuItemColors(true, true).text, QColor(255, 255, 255));
    EXPECT_EQ(MovieMenuItemColors(true, false).fill, QColor(195, 195, 255));
    EXPECT_EQ(MovieMenuItemColors(true, false).text, QColor(127, 127, 127));
    EXPECT_EQ(MovieMenuItemColors(false, false).text, QColor(127, 127, 127));
    EXPECT_NE(MovieMenuItemColors(false, true).text, QColor(127, 127, 127));
    // An item not under the mouse has the system's menu colours: the application's palette.
    EXPECT_EQ(MovieMenuItemColors(false, true).fill,
              QApplication::palette().color(QPalette::Window));
    EXPECT_EQ(MovieMenuItemColors(false, true).text,
              QApplication::palette().color(QPalette::WindowText));
}

TEST(MovieMenu, DrawsTheItemUnderTheMouseInBlue) {
    CMovieMenu menu;
    menu.SetItems({{38002, "再生", true, false},
                   PlaybackMenuItem::Separator(),
                   {38006, "静止画", false, false}},
                  false, 1.0);
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->data().toInt(), 38002);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_FALSE(actions[2]->isEnabled());
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    EXPECT_GE(menu.actionGeometry(actions[0]).width(), 70);
    EXPECT_EQ(menu.actionGeometry(actions[0]).height(), 20);

    menu.setActiveAction(actions[0]);
    QImage image = menu.grab().toImage();
    const QRect first = menu.actionGeometry(actions[0]);
    EXPECT_EQ(image.pixelColor(first.left() + 2, first.top() + 2), QColor(0, 0, 255));
    const QRect third = menu.actionGeometry(actions[2]);
    EXPECT_NE(image.pixelColor(third.left() + 2, third.top() + 2), QColor(0, 0, 255));
}

}  // namespace
}  // namespace quorva
