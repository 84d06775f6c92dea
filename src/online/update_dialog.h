// CUpdateDialog: the update notice. A skin dialog of 640 s x 480 s owned by the desktop,
// titled with UI text 106, showing the notice of the update check in a white text area
// with its download pages as links, and a close button. A click on a link opens the page in
// the user's browser, and only an http or https page: the notice's text is shown as text.
#pragma once

#include <QString>

#include <string>

#include "skin/skin_dialog.h"

class QLabel;
class QPushButton;
class QScreen;

namespace quorva {

class CUpdateDialog : public CSkinDialog {
    Q_OBJECT

  public:
    explicit CUpdateDialog(QWidget* parent = nullptr);

    // The notice (BuildUpdateNotice): plain text with CR LF line breaks and <a href="...">
    // links, its versions and addresses escaped.
    void SetNoticeText(const std::string& notice);
    const std::string& NoticeText() const { return notice_; }
    // Centres the dialog on the screen (the primary one when null).
    void CentreOn(QScreen* screen);

    QLabel* LinkControl() const { return link_; }
    QPushButton* CloseButton2() const { return close_; }

    // Hands an http or https address to the desktop's browser; refuses everything else.
    // True when the address was handed over.
    static bool OpenLink(const QString& address);

    // The rich text the link control shows for a notice.
    static QString NoticeMarkup(const std::string& notice);

  protected:
    void PaintBackground(QPainter& painter) override;
    void Relayout() override;

  private:
    std::string notice_;
    QLabel* link_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace quorva
