// The application-message mechanism on Qt: one event type carrying (id, wParam, lParam),
// posted with QCoreApplication::postEvent (thread-safe) and dispatched on the receiver's
// thread through a table per window class.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdint>
#include <unordered_map>

#include "platform/app_message_target.h"

namespace quorva {

class AppMessageEvent : public QEvent {
  public:
    AppMessageEvent(uint32_t id, uintptr_t wParam, intptr_t lParam)
        : QEvent(EventType()), id_(id), wparam_(wParam), lparam_(lParam) {}
    static QEvent::Type EventType();

    uint32_t id() const { return id_; }
    uintptr_t wParam() const { return wparam_; }
    intptr_t lParam() const { return lparam_; }

  private:
    uint32_t id_;
    uintptr_t wparam_;
    intptr_t lparam_;
};

// Posts to a QObject. The object must outlive every thread that posts to it.
class QtMessageTarget : public AppMessageTarget {
  public:
    explicit QtMessageTarget(QObject* receiver = nullptr) : receiver_(receiver) {}
    void SetReceiver(QObject* receiver) { receiver_ = receiver; }
    void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override;

  private:
    QObject* receiver_;
};

inline void PostAppMessage(QObject* receiver, uint32_t id, uintptr_t wParam = 0,
                           intptr_t lParam = 0) {
    QCoreApplication::postEvent(receiver, new AppMessageEvent(id, wParam, lParam));
}

// The message table of a window class: id -> member handler(wParam, lParam).
template <typename Window>
class AppMessageMap {
  public:
    using Handler = void (Window::*)(uintptr_t wParam, intptr_t lParam);
    AppMessageMap(std::initializer_list<std::pair<const uint32_t, Handler>> entries)
        : table_(entries) {}

    // Returns true when the event was an application message (handled or not).
    bool Dispatch(Window* window, QEvent* event) const {
        if (event->type() != AppMessageEvent::EventType()) return false;
        auto* msg = static_cast<AppMessageEvent*>(event);
        auto it = table_.find(msg->id());
        if (it != table_.end()) (window->*(it->second))(msg->wParam(), msg->lParam());
        return true;
    }
    bool Handles(uint32_t id) const { return table_.count(id) != 0; }

  private:
    std::unordered_map<uint32_t, Handler> table_;
};

}  // namespace quorva
