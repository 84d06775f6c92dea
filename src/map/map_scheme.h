// The viewer's own URL scheme for the map view: quorva://map/ serves the map page, the
// bundled map library, the library loader, the host object's calls and the tiles.
#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

#include <functional>

namespace quorva {

class CMapTileSource;
class HostWebViewObject;

inline constexpr const char* kMapScheme = "quorva";

// Registers the scheme with the web engine. Must run before the application object exists.
void RegisterMapScheme();
// Everything the web engine needs before the application object exists: the scheme, shared
// graphics contexts, and (as the administrator, where the engine's sandbox cannot run) the
// sandbox switched off.
void PrepareMapEngine();
// Makes the page's resources available (once per process).
void InitMapResources();

QUrl MapPageUrl();       // quorva://map/map.html
QUrl MapOrigin();        // quorva://map
QString MapLoaderUrl();  // the loader that makes the map library available, then calls loadLibs

class CMapSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

  public:
    CMapSchemeHandler(HostWebViewObject* host, CMapTileSource* tiles, QObject* parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

    void SetTileSource(CMapTileSource* tiles) { tiles_ = tiles; }

  private:
    void ServeHostCall(QWebEngineUrlRequestJob* job, const QString& method);
    void ServeLoader(QWebEngineUrlRequestJob* job);
    void ServeTile(QWebEngineUrlRequestJob* job, const QString& path);
    void ServeResource(QWebEngineUrlRequestJob* job, const QString& path);

    HostWebViewObject* host_;
    CMapTileSource* tiles_;
};

}  // namespace quorva
