// The movie context menu (CMovieMenu): a popup menu whose items the main window draws
// itself: int(20 s) high, int(220 s) wide in full-screen and int(70 s) otherwise, the text
// in F10 int(20 s) in from the left, blue with white text under the mouse.
#pragma once

#include <QColor>
#include <QMenu>
#include <QSize>

#include <memory>
#include <vector>

#include "road/playback_movie_menu.h"

namespace quorva {

// Size of one item.
QSize MovieMenuItemSize(double s, bool fullScreen);

struct MovieMenuColors {
    QColor fill;
    QColor text;
};
// The menu colour with default text, grey text RGB(127,127,127) when disabled; under the
// mouse RGB(195,195,255) with grey text when disabled, else RGB(0,0,255) with white text.
MovieMenuColors MovieMenuItemColors(bool selected, bool enabled);

class CMovieMenu : public QMenu {
    Q_OBJECT

  public:
    explicit CMovieMenu(QWidget* parent = nullptr);
    ~CMovieMenu() override;

    // Replaces the items; each action carries its command id as data.
    void SetItems(const std::vector<PlaybackMenuItem>& items, bool fullScreen, double s);
    bool FullScreen() const { return fullScreen_; }
    double Scale() const { return scale_; }

    // Shows the menu at the screen point and answers the chosen command id, 0 for none.
    int Track(QPoint screenPoint);

  private:
    class Style;
    std::unique_ptr<Style> style_;
    bool fullScreen_ = false;
    double scale_ = 1.0;
};

}  // namespace quorva
