// The colours of the dark skin and the look of the plain push buttons and edits that skin
// dialogs use beside the picture-drawn controls.
#pragma once

#include <QColor>

class QPushButton;
class QLineEdit;
class QComboBox;
class QWidget;

namespace quorva {

struct SkinColors {
    static inline const QColor kWindow{0x16, 0x18, 0x1b};   // window body
    static inline const QColor kPanel{0x1e, 0x21, 0x25};    // dialogs and panels
    static inline const QColor kCaption{0x2b, 0x2f, 0x35};  // caption bands
    static inline const QColor kLine{0x3a, 0x3f, 0x46};     // hairlines and outlines
    static inline const QColor kText{0xff, 0xff, 0xff};
    static inline const QColor kTextDim{0x9a, 0xa0, 0xa8};
    static inline const QColor kAccent{0x3d, 0x8b, 0xff};
};

// A flat dark push button with a white label, a blue hover outline and a blue pressed face;
// it takes no keyboard focus and is never a default button (skin dialogs ignore keys).
void StyleSkinPushButton(QPushButton* button);
// A dark read-only text field.
void StyleSkinLineEdit(QLineEdit* edit);
// A dark drop-down list.
void StyleSkinComboBox(QComboBox* combo);

}  // namespace quorva
