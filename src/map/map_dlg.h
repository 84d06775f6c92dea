// CMapDlg: the map window. It holds the browser (CWebEngineHolder) with the map page and
// the three values the page asks for once a second: latitude, longitude and play status,
// written by the main window. The browser starts when the window is first shown (or on
// Start()), so a viewer whose map stays off never starts a browser.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "map/web_engine_holder.h"

namespace quorva {

class CMapTileSource;
class IHostWebViewFuncs;

class CMapDlg : public QWidget {
    Q_OBJECT

  public:
    CMapDlg(IHostWebViewFuncs* funcs, CMapTileSource* tiles, QWidget* parent = nullptr);
    ~CMapDlg() override;

    bool Start() { return holder_.Create(); }
    CWebEngineHolder& Holder() { return holder_; }

    double Latitude() const { return latitude_; }
    double Longitude() const { return longitude_; }
    const std::string& Status() const { return status_; }
    void SetPosition(double latitude, double longitude) {
        latitude_ = latitude;
        longitude_ = longitude;
    }
    void SetStatus(const std::string& status) { status_ = status; }

    void ExecScript(const std::string& script);
    // Posts the three values to the page.
    bool SendUpdate();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    double longitude_ = 0.0;
    double latitude_ = 0.0;
    std::string status_;
    CWebEngineHolder holder_;
};

}  // namespace quorva
