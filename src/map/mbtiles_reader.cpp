#include "map/mbtiles_reader.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace quorva {

namespace {

QString NewConnectionName() {
    static std::atomic<int> next{0};
    return QString("quorva-mbtiles-%1").arg(next.fetch_add(1));
}

}  // namespace

CMbTilesReader::~CMbTilesReader() {
    Close();
}

bool CMbTilesReader::Open(const std::string& path) {
    Close();
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return false;
    const QString name = NewConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery probe(db);
            ok = probe.exec(
                "SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles LIMIT 1");
            QSqlQuery meta(db);
            if (ok && meta.exec("SELECT name, value FROM metadata")) {
                while (meta.next()) {
                    const QString key = meta.value(0).toString();
                    const QString value = meta.value(1).toString();
                    if (key == "format") {
                        if (value == "png")
                            mime_ = "image/png";
                        else if (value == "jpg" || value == "jpeg")
                            mime_ = "image/jpeg";
                        else if (value == "webp")
                            mime_ = "image/webp";
                        else
                            ok = false;  // vector tiles and the like cannot be drawn
                    } else if (key == "attribution") {
                        attribution_ = value.toStdString();
                    } else if (key == "minzoom") {
                        minZoom_ = value.toInt();
                    } else if (key == "maxzoom") {
                        maxZoom_ = value.toInt();
                    }
                }
            }
        }
        if (!ok) db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(name);
        return false;
    }
    if (minZoom_ < 0 || minZoom_ > 24) minZoom_ = 0;
    if (maxZoom_ < minZoom_ || maxZoom_ > 24) maxZoom_ = 19;
    connection_ = name;
    return true;
}

void CMbTilesReader::Close() {
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}

std::optional<QByteArray> CMbTilesReader::Tile(int z, int x, int y) const {
    if (connection_.isEmpty() || z < 0 || z > 30) return std::nullopt;
    const qint64 count = qint64(1) << z;
    if (x < 0 || y < 0 || x >= count || y >= count) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(
        "SELECT tile_data FROM tiles WHERE zoom_level = ? AND tile_column = ? AND "
        "tile_row = ?");
    query.addBindValue(z);
    query.addBindValue(x);
    query.addBindValue(static_cast<qint64>(count - 1 - y));
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toByteArray();
}

bool CMbTilesReader::Usable(const std::string& path) {
    CMbTilesReader reader;
    return reader.Open(path);
}

}  // namespace quorva
