#include "skin/skin_style.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace quorva {

void StyleSkinPushButton(QPushButton* button) {
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: #2a2e34; color: #ffffff; border: 1px solid #4a5059;"
        " border-radius: 4px; padding: 0 8px; }"
        "QPushButton:hover { background: #353b44; border-color: #3d8bff; }"
        "QPushButton:pressed { background: #2463c7; border-color: #3d8bff; }"
        "QPushButton:disabled { background: #202327; color: #5d626a; border-color: #2c3036; }"));
}

void StyleSkinLineEdit(QLineEdit* edit) {
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { background: #121417; color: #ffffff; border: 1px solid #3a3f46;"
                       " border-radius: 3px; padding: 0 4px; }"
                       "QLineEdit:disabled { color: #5d626a; }"));
}

void StyleSkinComboBox(QComboBox* combo) {
    combo->setStyleSheet(
        QStringLiteral("QComboBox { background: #121417; color: #ffffff; border: 1px solid #3a3f46;"
                       " border-radius: 3px; padding: 0 4px; }"
                       "QComboBox:hover { border-color: #3d8bff; }"
                       "QComboBox:disabled { color: #5d626a; }"
                       "QComboBox QAbstractItemView { background: #1e2125; color: #ffffff;"
                       " selection-background-color: #2463c7; border: 1px solid #3a3f46; }"));
}

}  // namespace quorva
