#include "map/map_tile_source.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include "online/fetch_rules.h"
#include "online/inet_connection_async.h"

namespace quorva {

namespace {
constexpr int kTileTimeoutMs = 15000;
constexpr qint64 kTileCacheBytes = 100LL * 1024 * 1024;
}  // namespace

CMapTileSource::CMapTileSource(MapTileSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)) {
    if (UsesMbTiles()) {
        mbtiles_ = std::make_unique<CMbTilesReader>();
        // A file that cannot be opened now is tried again at the next request.
        mbtiles_->Open(settings_.mbtilesPath);
        return;
    }
    network_ = new QNetworkAccessManager(this);
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!settings_.cacheDir.empty()) {
        auto* cache = new QNetworkDiskCache(network_);
        cache->setCacheDirectory(QString::fromStdString(settings_.cacheDir));
        cache->setMaximumCacheSize(kTileCacheBytes);
        network_->setCache(cache);
    }
}

CMapTileSource::~CMapTileSource() = default;

void CMapTileSource::Fetch(int z, int x, int y, QObject* requester, TileDone done) {
    ++requests_;
    if (mbtiles_) {
        if (!mbtiles_->IsOpen()) mbtiles_->Open(settings_.mbtilesPath);
        const auto tile = mbtiles_->Tile(z, x, y);
        done(tile ? *tile : QByteArray(), mbtiles_->MimeType());
        return;
    }
    if (z < 0 || z > 30 || x < 0 || y < 0) {
        done({}, {});
        return;
    }
    QNetworkRequest request(QUrl(QString::fromStdString(TileUrl(settings_.tileUrl, z, x, y))));
    request.setHeader(QNetworkRequest::UserAgentHeader, NetworkUserAgent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::PreferNetwork);
    request.setTransferTimeout(kTileTimeoutMs);
    QNetworkReply* reply = network_->get(request);
    // The page may give up on the tile (it scrolled away): the reply goes with the requester.
    QPointer<QObject> alive(requester);
    if (requester) {
        connect(requester, &QObject::destroyed, reply, [reply] { reply->abort(); });
    }
    connect(reply, &QNetworkReply::finished, this, [reply, alive, done] {
        reply->deleteLater();
        if (!alive) return;
        if (reply->error() != QNetworkReply::NoError) {
            done({}, {});
            return;
        }
        QByteArray mime = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        if (!mime.startsWith("image/")) mime = "image/png";
        done(reply->readAll(), mime);
    });
}

std::string CMapTileSource::Attribution() const {
    if (mbtiles_ && !mbtiles_->Attribution().empty()) return mbtiles_->Attribution();
    return kOsmAttribution;
}

int CMapTileSource::MinZoom() const {
    return mbtiles_ && mbtiles_->IsOpen() ? mbtiles_->MinZoom() : 0;
}

int CMapTileSource::MaxZoom() const {
    return mbtiles_ && mbtiles_->IsOpen() ? mbtiles_->MaxZoom() : 19;
}

}  // namespace quorva
