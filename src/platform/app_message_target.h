// Something that receives application messages (an id with a wParam and an lParam, as a
// posted window message would carry).
#pragma once

#include <cstdint>

namespace quorva {

// Something that receives application messages. PostAppMessage may be called from any
// thread; the receiver handles the message later on its own (user-interface) thread.
class AppMessageTarget {
  public:
    virtual ~AppMessageTarget() = default;
    virtual void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace quorva
