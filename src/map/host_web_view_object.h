// HostWebViewObject: the host object the map page knows as "sample". Each page call arrives
// as a method name and a JSON array of arguments and is forwarded, one to one, to the
// controller's IHostWebViewFuncs; without a controller every call succeeds with an empty
// answer. Answers are JSON arrays holding the one result ([null] for none).
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace quorva {

class IHostWebViewFuncs;

class HostWebViewObject {
  public:
    explicit HostWebViewObject(IHostWebViewFuncs* funcs = nullptr) : funcs_(funcs) {}

    void SetFuncs(IHostWebViewFuncs* funcs) { funcs_ = funcs; }
    // Receives the page's own messages (JSON text of a flat object).
    void SetMessageReceiver(std::function<void(const std::string&)> receiver) {
        receiver_ = std::move(receiver);
    }

    // The answer to a call, or nothing for an unknown method or malformed arguments.
    std::optional<QByteArray> Invoke(const QString& method, const QByteArray& argumentsJson);

  private:
    IHostWebViewFuncs* funcs_;
    std::function<void(const std::string&)> receiver_;
};

}  // namespace quorva
