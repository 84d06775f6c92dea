#include "online/inet_connection_async.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <chrono>

#include "appcore/app_messages.h"
#include "online/fetch_rules.h"

namespace quorva {

namespace {

constexpr int kProbeTimeoutMs = 3000;
constexpr int kUpdateFetchTimeoutMs = 10000;
constexpr int kCancelPollMs = 50;
constexpr qint64 kFetchByteLimit = 64 * 1024;

void UseEnvironmentProxies() {
    static std::once_flag once;
    std::call_once(once, [] { QNetworkProxyFactory::setUseSystemConfiguration(true); });
}

QNetworkRequest Request(const std::string& url, int timeoutMs) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setRawHeader("Accept", "*/*");
    request.setHeader(QNetworkRequest::UserAgentHeader, NetworkUserAgent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);
    return request;
}

// A server that answered: any success or redirect, or a refusal of HEAD itself.
bool Answered(QNetworkReply* reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return (status >= 200 && status < 400) || status == 405;
}

}  // namespace

const char* NetworkUserAgent() {
    return "Quorva/1.0 (dash camera recording viewer)";
}

CInetConnectionAsync::CInetConnectionAsync(MapServiceProbe probe) : probe_(std::move(probe)) {
    UseEnvironmentProxies();
    thread_.reset(QThread::create([this] { Run(); }));
    thread_->setObjectName("map service probe");
    thread_->start();
}

CInetConnectionAsync::~CInetConnectionAsync() {
    Stop();
}

void CInetConnectionAsync::SetProbe(MapServiceProbe probe) {
    std::lock_guard<std::mutex> guard(lock_);
    probe_ = std::move(probe);
}

void CInetConnectionAsync::SetMapSwitch(bool on) {
    mapSwitch_.store(on);
    std::lock_guard<std::mutex> guard(lock_);
    if (on) {
        probeNow_ = true;
        wake_.notify_all();
    } else {
        online_.store(false);
        if (reply_) QMetaObject::invokeMethod(reply_, &QNetworkReply::abort, Qt::QueuedConnection);
    }
}

void CInetConnectionAsync::Stop() {
    {
        // A check still running posts nothing from here on; its fetch under way ends.
        std::lock_guard<std::mutex> guard(lock_);
        noticeWindow_ = nullptr;
        updateCancel_.store(true);
    }
    if (updateThread_.joinable()) updateThread_.join();
    if (!thread_) return;
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
        if (reply_) QMetaObject::invokeMethod(reply_, &QNetworkReply::abort, Qt::QueuedConnection);
        wake_.notify_all();
    }
    thread_->wait();
    thread_.reset();
}

bool CInetConnectionAsync::StartUpdateCheck(UpdateInputs inputs, std::string serverBase,
                                            AppMessageTarget* noticeWindow) {
    if (serverBase.empty() || updateCancel_.load()) return false;
    if (updateStarted_.exchange(true)) return false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        noticeWindow_ = noticeWindow;
    }
    updateThread_ = std::thread([this, inputs = std::move(inputs), base = std::move(serverBase)] {
        const UpdateTextFetch fetch = [this](std::string& out, const std::string& url,
                                             const std::string& marker) {
            return !updateCancel_.load() &&
                   FetchText(out, url, marker, kUpdateFetchTimeoutMs, &updateCancel_);
        };
        const auto items = FindUpdates(inputs, base, fetch);
        if (items && !items->empty() && !updateCancel_.load()) {
            std::lock_guard<std::mutex> guard(lock_);
            if (noticeWindow_) {
                noticeText_ = BuildUpdateNotice(*items);
                noticeWindow_->PostAppMessage(WM_APP_UPDATE_AVAILABLE, 0, 0);
            }
        }
        updateFinished_.store(true);
    });
    return true;
}

std::string CInetConnectionAsync::NoticeText() const {
    std::lock_guard<std::mutex> guard(lock_);
    return noticeText_;
}

void CInetConnectionAsync::Run() {
    QNetworkAccessManager network;
    network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    std::unique_lock<std::mutex> guard(lock_);
    while (!stop_) {
        probeNow_ = false;
        guard.unlock();
        const bool online = ProbeMapService(network);
        online_.store(online && mapSwitch_.load());
        probes_.fetch_add(1);
        guard.lock();
        wake_.wait_for(guard, std::chrono::seconds(1), [this] { return stop_ || probeNow_; });
    }
}

bool CInetConnectionAsync::ProbeMapService(QNetworkAccessManager& network) {
    if (!mapSwitch_.load()) return false;
    MapServiceProbe probe;
    {
        std::lock_guard<std::mutex> guard(lock_);
        probe = probe_;
    }
    if (probe.local) return probe.local();
    if (probe.url.empty()) return false;

    QEventLoop loop;
    QNetworkReply* reply = network.head(Request(probe.url, kProbeTimeoutMs));
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (stop_ || !mapSwitch_.load()) reply->abort();
        reply_ = reply;
    }
    if (!reply->isFinished()) loop.exec();
    {
        std::lock_guard<std::mutex> guard(lock_);
        reply_ = nullptr;
    }
    const bool answered = Answered(reply);
    delete reply;
    return answered;
}

bool CInetConnectionAsync::FetchText(std::string& out, const std::string& url,
                                     const std::string& marker, int timeoutMs,
                                     const std::atomic<bool>* cancel) {
    UseEnvironmentProxies();
    if (cancel && cancel->load()) return false;
    QNetworkAccessManager network;
    network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    QEventLoop loop;
    std::unique_ptr<QNetworkReply> reply(network.get(Request(url, timeoutMs)));
    QByteArray body;
    bool enough = false;  // the limit was reached: the rest is not needed
    auto take = [&] {
        body += reply->read(kFetchByteLimit - body.size());
        if (body.size() >= kFetchByteLimit && !enough) {
            enough = true;
            reply->abort();
        }
    };
    QObject::connect(reply.get(), &QNetworkReply::readyRead, take);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The caller may end the wait (the viewer closing while the update check asks).
    QTimer watch;
    if (cancel) {
        QObject::connect(&watch, &QTimer::timeout, reply.get(), [&] {
            if (cancel->load()) reply->abort();
        });
        watch.start(kCancelPollMs);
    }
    if (!reply->isFinished()) loop.exec();
    watch.stop();
    if (cancel && cancel->load()) return false;
    if (!enough) {
        if (reply->error() != QNetworkReply::NoError) return false;
        take();
    }
    const auto text = FetchedText(std::string_view(body.constData(), body.size()), marker);
    if (!text) return false;
    out = *text;
    return true;
}

}  // namespace quorva
