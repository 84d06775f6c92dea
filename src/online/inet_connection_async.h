// CInetConnectionAsync: the viewer's only network component. A probe thread decides once a
// second whether the map service can be reached, but only while the map is switched on:
// while it is off the probe answers "offline" without touching the network, and the switch
// starts off. FetchText downloads a short text file. Proxies come from the environment
// (http_proxy, https_proxy, no_proxy).
#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

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

    // Ends the probe thread: a probe under way is cancelled, and the thread is joined.
    void Stop();

    // Downloads a short text file on the calling thread (its first 64 KiB). With a
    // marker, out gets what follows the marker in the first 1024 bytes (failure when it is
    // absent); without, the text. Either is cut at 259 characters. False on any network or
    // HTTP failure; out is then unchanged.
    static bool FetchText(std::string& out, const std::string& url, const std::string& marker,
                          int timeoutMs = 10000);

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
};

}  // namespace quorva
