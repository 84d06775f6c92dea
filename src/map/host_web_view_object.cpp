#include "map/host_web_view_object.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>
#include <limits>

#include "map/host_web_view_funcs.h"

namespace quorva {

namespace {

QByteArray Answer(const QJsonValue& value) {
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
}

QByteArray TrackAnswer(const std::optional<TrackArray>& track) {
    return "[" + QByteArray::fromStdString(TrackArrayJson(track)) + "]";
}

// A number argument as an int: JavaScript numbers truncated toward zero, as a page call
// would convert them; anything else is 0.
int IntArg(const QJsonArray& args, int i) {
    const double d = args.at(i).toDouble(0.0);
    if (!std::isfinite(d)) return 0;
    if (d >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (d <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(d);
}

double DoubleArg(const QJsonArray& args, int i) {
    return args.at(i).toDouble(0.0);
}

}  // namespace

std::optional<QByteArray> HostWebViewObject::Invoke(const QString& method,
                                                    const QByteArray& argumentsJson) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(argumentsJson, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    const QJsonArray args = doc.array();

    if (method == "TestMethod") {
        return Answer(QString("TestMethod(%1, %2) called.\n")
                          .arg(args.at(0).toVariant().toString())
                          .arg(IntArg(args, 1)));
    }
    if (method == "__postMessage") {
        if (receiver_) receiver_(args.at(0).toString().toStdString());
        return Answer(QJsonValue());
    }
    IHostWebViewFuncs* f = funcs_;
    if (method == "JS2C_ConnectTest") return Answer(f ? f->JS2C_ConnectTest() : 0);
    if (method == "JS2C_GetMapURL") {
        return Answer(QString::fromStdString(f ? f->JS2C_GetMapURL() : std::string()));
    }
    if (method == "JS2C_GetGPSData") return TrackAnswer(f ? f->JS2C_GetGPSData() : TrackArray{0.0});
    if (method == "JS2C_GetGridData") {
        const std::string text = args.at(0).toVariant().toString().toStdString();
        return TrackAnswer(f ? f->JS2C_GetGridData(text) : std::nullopt);
    }
    if (method == "JS2C_GetRelJpgNum") {
        return Answer(QString::fromStdString(f ? f->JS2C_GetRelJpgNum() : std::string()));
    }
    if (method == "JS2C_OnClickCrashPoint") {
        if (f) {
            f->JS2C_OnClickCrashPoint(IntArg(args, 0), IntArg(args, 1), IntArg(args, 2),
                                      IntArg(args, 3), DoubleArg(args, 4), DoubleArg(args, 5),
                                      DoubleArg(args, 6), DoubleArg(args, 7));
        }
        return Answer(QJsonValue());
    }
    if (method == "JS2C_OnInitHtml") {
        if (f) f->JS2C_OnInitHtml();
        return Answer(QJsonValue());
    }
    if (method == "JS2C_SetSend") {
        if (f) f->JS2C_SetSend();
        return Answer(QJsonValue());
    }
    return std::nullopt;
}

}  // namespace quorva
