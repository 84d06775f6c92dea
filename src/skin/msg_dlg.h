// The skinned message dialog behind every user-visible failure: a white text area under the
// caption band, OK (kind 0) or OK and Cancel (kind 1) at the bottom right, sized to its
// text. Keys do nothing: the user answers with a button.
#pragma once

#include <QString>

#include <string>

#include "skin/skin_dialog.h"

class QLabel;
class QPushButton;

namespace quorva {

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

class CMsgDlg : public CSkinDialog {
    Q_OBJECT

  public:
    enum Kind { kMessage = 0, kQuestion = 1 };

    CMsgDlg(QWidget* owner, const QString& text, const QString& caption, int kind);

    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* MessageStatic() const { return message_; }
    QString Text() const { return text_; }
    int Kind() const { return kind_; }

    // Width of the widest line and the sum of the line heights in the font.
    static QSize MeasureText(const QString& text, const QFont& font);

  protected:
    void PaintBackground(QPainter& painter) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void LayOut(QWidget* owner);

    QString text_;
    int kind_;
    QLabel* message_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The one-call wrapper: shows the dialog modally over its owner (the desktop when none).
class CMsgBox {
  public:
    explicit CMsgBox(QWidget* owner = nullptr) : owner_(owner) {}
    // 1 (OK) or 2 (Cancel). May be called from any thread: the dialog always runs on the
    // user-interface thread, and a caller on another thread waits for the answer (so the
    // user-interface thread must not be waiting for that caller meanwhile).
    int Show(const std::string& text, const std::string& caption, int kind = 0) const;

  private:
    QWidget* owner_;
};

int ShowMessage(QWidget* owner, const std::string& text, const std::string& caption = "ERROR",
                int kind = 0);

}  // namespace quorva
