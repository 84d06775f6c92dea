#include "platform/qt/app_message_event.h"

namespace quorva {

QEvent::Type AppMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void QtMessageTarget::PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    if (receiver_) quorva::PostAppMessage(receiver_, id, wParam, lParam);
}

}  // namespace quorva
