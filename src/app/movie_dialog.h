// CMovieDialog: the detached movie window, a skinned top-level window without border beside
// the main window. It holds the map window or, in its place, the logo panel, and the second
// movie view. The main window moves and sizes it; the user can move it by its caption band
// but not resize it. It tells the main window when it was painted (WM_APP_ZOOM_REFRESH) and
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
    // Sizes the window for the scale (it cannot be resized otherwise) and re-places the
    // children that fill the content rectangle.
    void ApplyScale(double s);
    double Scale() const { return scale_; }
    QRect ContentRect() const;
    // Children that fill the content rectangle (the map window, the logo panel, the second
    // movie view); the last one added lies on top.
    void AddContent(QWidget* child);

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
    std::vector<QPointer<QWidget>> content_;
};

}  // namespace quorva
