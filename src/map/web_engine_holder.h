// CWebEngineHolder: the map window's browser on Qt WebEngine. It owns the browser profile,
// the page, the view, the scheme handler and the host object "sample", loads the map page
// from the viewer's scheme with the host object present before the page's script on every
// navigation, runs scripts in the page and posts the position update to it. The page is
// drawn at 65 % zoom. Everything runs on the user-interface thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

#include "map/host_web_view_object.h"
#include "map/json_holder.h"

class QWidget;
class QWebEngineProfile;
class QWebEnginePage;
class QWebEngineView;

namespace quorva {

class CMapSchemeHandler;
class CMapTileSource;
class IHostWebViewFuncs;

inline constexpr double kMapZoomFactor = 0.65;

class CWebEngineHolder : public QObject {
    Q_OBJECT

  public:
    CWebEngineHolder(QWidget* window, IHostWebViewFuncs* funcs, CMapTileSource* tiles);
    // Close().
    ~CWebEngineHolder() override;

    // Starts the browser once (later calls do nothing): profile, page, view, host object,
    // then navigates to the map page. False when the browser could not be made.
    bool Create();
    bool Created() const { return page_ != nullptr; }

    // Runs the text in the page; nothing while the page does not exist.
    void ExecScript(const QString& script);
    // Posts the update message (CJsonHolder) to the page's "message" listeners; false while
    // the page does not exist.
    bool SendUpdate(double latitude, double longitude, const std::string& status);
    // The view fills the window, at 65 % zoom.
    void ResizeToClient();

    // Removes the host object's script, then releases view, page, handler and profile.
    void Close();

    QWebEnginePage* Page() const { return page_; }
    QWebEngineView* View() const { return view_; }
    // The values of the last message sent or received.
    const std::string& LatitudeText() const { return latText_; }
    const std::string& LongitudeText() const { return lngText_; }
    const std::string& StatusText() const { return statusText_; }
    // A message from the page (flat JSON object): its map_lat, map_lng and map_status.
    void OnWebMessage(const std::string& json);

  signals:
    void PageLoaded(bool ok);

  private:
    QPointer<QWidget> window_;
    IHostWebViewFuncs* funcs_;
    CMapTileSource* tiles_;
    HostWebViewObject host_;
    CJsonHolder json_;
    QWebEngineProfile* profile_ = nullptr;
    QWebEnginePage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;
    CMapSchemeHandler* handler_ = nullptr;
    std::string latText_, lngText_, statusText_;
};

}  // namespace quorva
