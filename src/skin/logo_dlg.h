// The logo panel shown in the map's place: the logo picture stretched over the panel, framed,
// either alone or with the notice that the map needs an Internet connection.
#pragma once

#include <QWidget>

namespace quorva {

class CResourceImage;

class CLogoDlg : public QWidget {
    Q_OBJECT

  public:
    explicit CLogoDlg(QWidget* parent = nullptr, const CResourceImage* images = nullptr);

    void SetImageSet(const CResourceImage* images);
    // 1: the logo alone; 0: the logo with the no-connection notice.
    void SetLogoOnly(int flag);
    int LogoOnly() const { return logoOnly_; }
    int PictureId() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const CResourceImage* images_;
    int logoOnly_ = 1;
};

}  // namespace quorva
