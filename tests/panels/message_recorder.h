// A parent widget that records the application messages posted to it.
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "appcore/app_messages.h"
#include "platform/qt/app_message_event.h"

namespace quorva::test {

struct PostedMessage {
    uint32_t id = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    friend bool operator==(const PostedMessage&, const PostedMessage&) = default;
};

class MessageRecorder : public QWidget {
  public:
    std::vector<PostedMessage> messages;

    // Delivers what was posted so far.
    void Deliver() { QCoreApplication::sendPostedEvents(this); }

  protected:
    bool event(QEvent* e) override {
        if (e->type() == AppMessageEvent::EventType()) {
            auto* m = static_cast<AppMessageEvent*>(e);
            messages.push_back({m->id(), m->wParam(), m->lParam()});
            return true;
        }
        return QWidget::event(e);
    }
};

}  // namespace quorva::test
