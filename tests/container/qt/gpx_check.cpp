#include "gpx_check.h"

#include <QDateTime>
#include <QFile>
#include <QXmlStreamReader>

namespace quorva::test {

namespace {

const QString kGpx = QStringLiteral("http://www.topografix.com/GPX/1/1");

bool Fail(GpxCheck& c, const std::string& problem) {
    c.valid = false;
    c.problem = problem;
    return false;
}

// One trkpt; the reader stands on its start element.
bool ReadPoint(QXmlStreamReader& xml, GpxCheck& c, QDateTime& last) {
    bool latOk = false, lonOk = false;
    const double lat = xml.attributes().value(QStringLiteral("lat")).toDouble(&latOk);
    const double lon = xml.attributes().value(QStringLiteral("lon")).toDouble(&lonOk);
    if (!latOk || !lonOk) return Fail(c, "trkpt without lat or lon");
    if (lat < -90.0 || lat > 90.0 || lon < -180.0 || lon > 180.0)
        return Fail(c, "trkpt outside the lat/lon ranges");
    if (c.points == 0) c.firstLatitude = lat;
    ++c.points;
    bool sawExtensions = false;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kGpx && xml.name() == QStringLiteral("time")) {
            if (sawExtensions) return Fail(c, "time after extensions");
            const QString text = xml.readElementText();
            const QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
            if (!t.isValid() || !text.endsWith(QLatin1Char('Z'))) return Fail(c, "time not UTC");
            if (last.isValid() && t < last) return Fail(c, "times out of order");
            if (c.timed == 0) c.firstTime = text.toStdString();
            last = t;
            ++c.timed;
        } else if (xml.namespaceUri() == kGpx && xml.name() == QStringLiteral("extensions")) {
            sawExtensions = true;
            while (xml.readNextStartElement()) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QStringLiteral("speed")) {
                        bool ok = false;
                        if (xml.readElementText().toDouble(&ok) < 0.0 || !ok)
                            return Fail(c, "bad speed");
                        ++c.speeds;
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            }
        } else {
            return Fail(c, "unexpected element in trkpt: " + xml.name().toString().toStdString());
        }
    }
    return true;
}

}  // namespace

GpxCheck CheckGpx(const std::string& path) {
    GpxCheck c;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(c, "cannot open " + path);
        return c;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QStringLiteral("gpx") ||
        xml.namespaceUri() != kGpx) {
        Fail(c, "the root is not gpx in the GPX 1.1 namespace");
        return c;
    }
    if (xml.attributes().value(QStringLiteral("version")) != QStringLiteral("1.1") ||
        xml.attributes().value(QStringLiteral("creator")).isEmpty()) {
        Fail(c, "version 1.1 and a creator are required");
        return c;
    }
    QDateTime last;
    c.valid = true;
    while (xml.readNextStartElement()) {
        if (xml.name() != QStringLiteral("trk")) {
            xml.skipCurrentElement();
            continue;
        }
        ++c.tracks;
        while (xml.readNextStartElement()) {
            if (xml.name() == QStringLiteral("name")) {
                c.trackName = xml.readElementText().toStdString();
            } else if (xml.name() == QStringLiteral("trkseg")) {
                const int before = c.points;
                while (xml.readNextStartElement()) {
                    if (xml.name() != QStringLiteral("trkpt")) {
                        Fail(c, "trkseg holds something else than trkpt");
                        return c;
                    }
                    if (!ReadPoint(xml, c, last)) return c;
                }
                c.segmentPoints.push_back(c.points - before);
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError()) Fail(c, "XML error: " + xml.errorString().toStdString());
    return c;
}

}  // namespace quorva::test
