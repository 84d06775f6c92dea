#include "map/web_engine_holder.h"

#include <QDesktopServices>
#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

#include "map/map_scheme.h"

namespace quorva {

namespace {

constexpr const char* kBridgeName = "quorva-host-bridge";

// The map page stays the only document of the view: links (the map data's attribution)
// open in the user's browser, nothing else navigates away.
class MapPage : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (url.scheme() == kMapScheme && url.host() == "map") return true;
        if (isMainFrame && type == NavigationTypeLinkClicked &&
            (url.scheme() == "https" || url.scheme() == "http")) {
            QDesktopServices::openUrl(url);
        }
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override {
        if (qEnvironmentVariableIsSet("QUORVA_MAP_CONSOLE")) {
            qInfo("map page %s:%d: %s", qPrintable(source), line, qPrintable(message));
        }
    }
};

QString BridgeScript() {
    InitMapResources();
    QFile file(":/map/host_bridge.js");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

CWebEngineHolder::CWebEngineHolder(QWidget* window, IHostWebViewFuncs* funcs, CMapTileSource* tiles)
    : window_(window), funcs_(funcs), tiles_(tiles), host_(funcs) {
    host_.SetMessageReceiver([this](const std::string& json) { OnWebMessage(json); });
}

CWebEngineHolder::~CWebEngineHolder() {
    Close();
}

bool CWebEngineHolder::Create() {
    if (page_ || !window_) return page_ != nullptr;
    const QString bridge = BridgeScript();
    if (bridge.isEmpty()) return false;

    // An off-the-record profile of our own: our scheme handler, nothing written to disk.
    profile_ = new QWebEngineProfile(this);
    handler_ = new CMapSchemeHandler(&host_, tiles_, profile_);
    profile_->installUrlSchemeHandler(kMapScheme, handler_);

    page_ = new MapPage(profile_, this);
    QWebEngineSettings* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    page_->setBackgroundColor(QColor(0x20, 0x24, 0x2A));

    QWebEngineScript script;
    script.setName(kBridgeName);
    script.setSourceCode(bridge);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    page_->scripts().insert(script);

    view_ = new QWebEngineView(window_);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        ResizeToClient();  // the engine may reset the zoom on a navigation
        emit PageLoaded(ok);
    });
    ResizeToClient();
    view_->show();
    page_->load(MapPageUrl());
    return true;
}

void CWebEngineHolder::ExecScript(const QString& script) {
    if (page_) page_->runJavaScript(script);
}

bool CWebEngineHolder::SendUpdate(double latitude, double longitude, const std::string& status) {
    const std::string message = json_.WriteUpdate(latitude, longitude, status);
    latText_ = json_.Value("map_lat").value_or("");
    lngText_ = json_.Value("map_lng").value_or("");
    statusText_ = status;
    if (!page_) return false;
    page_->runJavaScript(
        QString("window.chrome && window.chrome.webview && window.chrome.webview.__dispatch(%1)")
            .arg(QString::fromStdString(message)));
    return true;
}

void CWebEngineHolder::OnWebMessage(const std::string& json) {
    CJsonHolder reader;
    reader.Read(json);
    latText_ = reader.Value("map_lat").value_or("");
    lngText_ = reader.Value("map_lng").value_or("");
    statusText_ = reader.Value("map_status").value_or("");
}

void CWebEngineHolder::ResizeToClient() {
    if (!view_ || !window_) return;
    view_->setGeometry(window_->rect());
    view_->setZoomFactor(kMapZoomFactor);
}

void CWebEngineHolder::Close() {
    if (!page_) return;
    disconnect(page_, nullptr, this, nullptr);
    page_->scripts().clear();
    host_.SetFuncs(nullptr);
    // The view and the page go before their profile.
    delete view_;
    view_ = nullptr;
    delete page_;
    page_ = nullptr;
    delete profile_;  // with it the scheme handler
    profile_ = nullptr;
    handler_ = nullptr;
}

}  // namespace quorva
