#include "map/map_scheme.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QRegularExpression>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include <mutex>

#include "map/host_web_view_object.h"
#include "map/map_tile_source.h"
#include "platform/process.h"

// The resources live in a static library: register them once before the first lookup.
static void InitMapResourcesOnce() {
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(map); });
}

namespace quorva {

namespace {

void Reply(QWebEngineUrlRequestJob* job, const QByteArray& mime, const QByteArray& data) {
    auto* buffer = new QBuffer(job);
    buffer->setData(data);
    job->reply(mime, buffer);
}

QByteArray MimeFor(const QString& path) {
    if (path.endsWith(".html")) return "text/html;charset=utf-8";
    if (path.endsWith(".js")) return "text/javascript;charset=utf-8";
    if (path.endsWith(".css")) return "text/css;charset=utf-8";
    if (path.endsWith(".png")) return "image/png";
    return "text/plain;charset=utf-8";
}

}  // namespace

void RegisterMapScheme() {
    static std::once_flag once;
    std::call_once(once, [] {
        QWebEngineUrlScheme scheme(kMapScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
        QWebEngineUrlScheme::registerScheme(scheme);
    });
}

void PrepareMapEngine() {
    RegisterMapScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (platform::RunningAsAdministrator()) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void InitMapResources() {
    InitMapResourcesOnce();
}

QUrl MapPageUrl() {
    return QUrl(QString("%1://map/map.html").arg(kMapScheme));
}

QUrl MapOrigin() {
    return QUrl(QString("%1://map").arg(kMapScheme));
}

QString MapLoaderUrl() {
    return QString("%1://map/loader.js?callback=loadLibs").arg(kMapScheme);
}

CMapSchemeHandler::CMapSchemeHandler(HostWebViewObject* host, CMapTileSource* tiles,
                                     QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), host_(host), tiles_(tiles) {
    InitMapResources();
}

void CMapSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    if (url.host() != "map") {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    const QString path = url.path();
    if (path.startsWith("/host/")) {
        ServeHostCall(job, path.mid(6));
    } else if (path == "/loader.js") {
        ServeLoader(job);
    } else if (path.startsWith("/tile/")) {
        ServeTile(job, path.mid(6));
    } else {
        ServeResource(job, path);
    }
}

// Host calls are answered only to the map page itself, and always answered: the page waits
// for them without a time-out.
void CMapSchemeHandler::ServeHostCall(QWebEngineUrlRequestJob* job, const QString& method) {
    const QUrl initiator = job->initiator();
    if (initiator.scheme() != kMapScheme || initiator.host() != "map" || !host_) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString args = QUrlQuery(job->requestUrl()).queryItemValue("a", QUrl::FullyDecoded);
    const auto answer = host_->Invoke(method, args.toUtf8());
    if (!answer) {
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
        return;
    }
    Reply(job, "application/json", *answer);
}

void CMapSchemeHandler::ServeLoader(QWebEngineUrlRequestJob* job) {
    QString callback = QUrlQuery(job->requestUrl()).queryItemValue("callback");
    static const QRegularExpression identifier("^[A-Za-z_$][A-Za-z0-9_$]{0,63}$");
    if (!identifier.match(callback).hasMatch()) callback = "loadLibs";
    QJsonObject layer;
    layer["url"] = "tile/{z}/{x}/{y}";
    layer["attribution"] = QString::fromStdString(tiles_ ? tiles_->Attribution() : std::string());
    layer["minZoom"] = tiles_ ? tiles_->MinZoom() : 0;
    layer["maxNativeZoom"] = tiles_ ? tiles_->MaxZoom() : 19;
    const QByteArray script =
        "(function () {\n"
        "  window.g_tileLayer = " +
        QJsonDocument(layer).toJson(QJsonDocument::Compact) +
        ";\n"
        "  var callback = \"" +
        callback.toUtf8() +
        "\";\n"
        "  function done() { if (typeof window[callback] === \"function\") window[callback](); }\n"
        "  if (window.L && window.L.map) { done(); return; }\n"
        "  var waiting = 2;\n"
        "  function one() { if (--waiting === 0) done(); }\n"
        "  var css = document.createElement(\"link\");\n"
        "  css.rel = \"stylesheet\"; css.href = \"leaflet/leaflet.css\"; css.onload = one;\n"
        "  document.head.appendChild(css);\n"
        "  var lib = document.createElement(\"script\");\n"
        "  lib.src = \"leaflet/leaflet.js\"; lib.onload = one;\n"
        "  document.head.appendChild(lib);\n"
        "})();\n";
    Reply(job, "text/javascript;charset=utf-8", script);
}

void CMapSchemeHandler::ServeTile(QWebEngineUrlRequestJob* job, const QString& path) {
    const QStringList parts = path.split('/');
    bool okZ = false, okX = false, okY = false;
    const int z = parts.value(0).toInt(&okZ);
    const int x = parts.value(1).toInt(&okX);
    const int y = parts.value(2).toInt(&okY);
    if (parts.size() != 3 || !okZ || !okX || !okY || !tiles_) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QPointer<QWebEngineUrlRequestJob> alive(job);
    tiles_->Fetch(z, x, y, job, [alive](const QByteArray& data, const QByteArray& mime) {
        if (!alive) return;
        if (data.isEmpty()) {
            alive->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        Reply(alive, mime, data);
    });
}

void CMapSchemeHandler::ServeResource(QWebEngineUrlRequestJob* job, const QString& path) {
    if (path.contains("..")) {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    QFile file(":/map" + path);
    if (path == "/" || !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    Reply(job, MimeFor(path), file.readAll());
}

}  // namespace quorva
