#include "skin/logo_dlg.h"

#include <QPainter>

#include "skin/resource_image.h"
#include "skin/skin_resources.h"

namespace quorva {

CLogoDlg::CLogoDlg(QWidget* parent, const CResourceImage* images)
    : QWidget(parent), images_(images) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLogoDlg::SetImageSet(const CResourceImage* images) {
    images_ = images;
    update();
}

void CLogoDlg::SetLogoOnly(int flag) {
    if (logoOnly_ == flag) return;
    logoOnly_ = flag;
    update();
}

int CLogoDlg::PictureId() const {
    return logoOnly_ ? IDB_LOGO : IDB_LOGO_OFFLINE;
}

void CLogoDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!images_) return;
    // The picture fills the panel without being distorted: it is fitted and the panel
    // around it takes the picture's own edge colour.
    const QSize design = SkinDesignSize(PictureId());
    if (!design.isEmpty()) {
        const QSize fitted = design.scaled(size(), Qt::KeepAspectRatio);
        const QPixmap picture = images_->Sized(PictureId(), fitted);
        if (!picture.isNull()) {
            const QImage& loaded = images_->Image(PictureId());
            if (!loaded.isNull()) painter.fillRect(rect(), loaded.pixelColor(0, 0));
            painter.drawPixmap((width() - fitted.width()) / 2, (height() - fitted.height()) / 2,
                               picture);
        }
    }
    painter.setPen(QPen(images_->FrameBrush(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quorva
