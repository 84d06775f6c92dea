// CInetConnectionAsync: the viewer's only network component. A probe thread decides once a
// second whether the map service can be reached, but only while the map is switched on:
// while it is off the probe answers "offline" without touching the network, and the switch
// starts off. FetchText downloads a short text file. The update thread runs the update
// check once per run and posts WM_APP_UPDATE_AVAILABLE when it has a notice. Proxies come
// from the environment (http_proxy, https_proxy, no_proxy).
#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "online/update_rules.h"
#include "platform/app_message_target.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace quorva {

// What the probe asks: the offline map file through `local` when it is set, else the tile
// server with a HEAD request of `url` (nothing to ask: offline).
struct MapServiceProbe {
    std::string url;
    std::function<bool()> local;  // called on the probe thread
};

// The user agent of every request the viewer makes.
const char* NetworkUserAgent();

class CInetConnectionAsync {
  public:
    explicit CInetConnectionAsync(MapServiceProbe probe = {});
    // Stop().
    ~CInetConnectionAsync();
    CInetConnectionAsync(const CInetConnectionAsync&) = delete;
    CInetConnectionAsync& operator=(const CInetConnectionAsync&) = delete;

    void SetProbe(MapServiceProbe probe);
    // The map switch. Switching on asks the probe thread for a probe at once; switching off
    // makes the viewer offline at once and cancels a probe under way.
    void SetMapSwitch(bool on);
    bool MapSwitch() const { return mapSwitch_.load(); }
    // The result of the last probe (always false while the switch is off).
    bool Online() const { return online_.load(); }
    // Probes finished since start (including those answered offline without the network).
    int ProbeCount() const { return probes_.load(); }

    // Ends both threads: the notice window is forgotten first (a check still running posts
    // nothing), a probe or a fetch under way is cancelled, and the threads are joined.
    void Stop();

    // ---- The update check (once per run) ---------------------------------------------------
    // Starts the update thread with the source's versions against the server's base address
    // (UpdateServerBase of the setting); with a notice it stores the text and posts
    // WM_APP_UPDATE_AVAILABLE (0, 0) to noticeWindow. False when the check was started
    // before, or when there is no server (nothing is asked then).
    bool StartUpdateCheck(UpdateInputs inputs, std::string serverBase,
                          AppMessageTarget* noticeWindow);
    bool UpdateStarted() const { return updateStarted_.load(); }
    // The thread has ended (with or without a notice).
    bool UpdateFinished() const { return updateFinished_.load(); }
    // The notice of the check (empty until there is one).
    std::string NoticeText() const;

    // Downloads a short text file on the calling thread (its first 64 KiB). With a
    // marker, out gets what follows the marker in the first 1024 bytes (failure when it is
    // absent); without, the text. Either is cut at 259 characters. False on any network or
    // HTTP failure, and when cancel becomes set meanwhile; out is then unchanged.
    static bool FetchText(std::string& out, const std::string& url, const std::string& marker,
                          int timeoutMs = 10000, const std::atomic<bool>* cancel = nullptr);

  private:
    void Run();
    bool ProbeMapService(QNetworkAccessManager& network);

    std::unique_ptr<QThread> thread_;
    mutable std::mutex lock_;  // guards probe_, the wake-up state and reply_
    std::condition_variable wake_;
    MapServiceProbe probe_;
    bool stop_ = false;
    bool probeNow_ = false;
    QNetworkReply* reply_ = nullptr;  // the probe request under way, on the probe thread
    std::atomic<bool> mapSwitch_{false};
    std::atomic<bool> online_{false};
    std::atomic<int> probes_{0};

    // The update check: its thread, the window told of a notice and the notice (under lock_).
    std::thread updateThread_;
    std::atomic<bool> updateStarted_{false};
    std::atomic<bool> updateFinished_{false};
    std::atomic<bool> updateCancel_{false};
    AppMessageTarget* noticeWindow_ = nullptr;
    std::string noticeText_;
};

}  // namespace quorva
