// CMovieDialog: the detached movie window (the companion window), a skinned top-level window
// without border docked beside the main window. It holds the second movie view above the map
// window or, in the map's place, the logo panel, so both cameras and the map are seen
// together. The main window places and sizes it (companion_layout.h); the user cannot resize
// it. It tells the main window when it was painted (WM_APP_ZOOM_REFRESH) and
// when its band was double-clicked (WM_APP_MOVIE_REPOSITION).
#pragma once

#include <QPointer>
#include <QRect>

#include <vector>

#include "skin/skin_dialog.h"

namespace quorva {

class CMovieDialog : public CSkinDialog {
    Q_OBJECT

  public:
    static constexpr int kEndCommand = 21;

    explicit CMovieDialog(QObject* messageOwner = nullptr);

    void SetMessageOwner(QObject* owner) { owner_ = owner; }
    // Sizes the window for the scale (its design size until it is placed) and re-places its
    // children.
    void ApplyScale(double s);
    double Scale() const { return scale_; }
    // Moves and sizes the window (it cannot be resized otherwise).
    void PlaceAt(const QRect& rect);
    // Where the second movie view goes (the top of the window).
    QRect ContentRect() const;
    // Where the map window and the logo panel go (below the second movie view).
    QRect MapRect() const;
    void SetSubCamera(QWidget* child);
    // Children of the map's place; the last one added lies on top.
    void AddMapContent(QWidget* child);

    // The window rectangle last seen while visible.
    QRect RememberedRect() const { return remembered_; }
    QColor BorderColour() const { return QColor(0xCF, 0xCF, 0xCF); }
    int BorderWidth() const;

  protected:
    void OnCommand(int id) override;
    void Relayout() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QPointer<QObject> owner_;
    double scale_ = 1.0;
    QRect remembered_;
    QPointer<QWidget> sub_;
    std::vector<QPointer<QWidget>> mapContent_;
};

}  // namespace quorva
