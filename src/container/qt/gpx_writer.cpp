#include "container/qt/gpx_writer.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QXmlStreamWriter>

namespace quorva {

namespace {

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

QString Degrees(double value) {
    return QString::number(value, 'f', 7);
}

}  // namespace

bool WriteGpx(const std::string& path, const GpsTrack& track, std::string* error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString().toStdString();
        return false;
    }
    const QString gpx = Text(kGpxNamespace);
    const QString ext = Text(kTrackPointExtensionNamespace);
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(gpx);
    xml.writeNamespace(ext, QStringLiteral("gpxtpx"));
    xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                       QStringLiteral("xsi"));
    xml.writeStartElement(gpx, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Quorva"));
    xml.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                       QStringLiteral("schemaLocation"), Text(kGpxSchemaLocation));
    xml.writeStartElement(gpx, QStringLiteral("trk"));
    if (!track.name.empty())
        xml.writeTextElement(gpx, QStringLiteral("name"), QString::fromStdString(track.name));
    for (const GpsTrackSegment& segment : track.segments) {
        xml.writeStartElement(gpx, QStringLiteral("trkseg"));
        for (const GpsTrackPoint& p : segment) {
            xml.writeStartElement(gpx, QStringLiteral("trkpt"));
            xml.writeAttribute(QStringLiteral("lat"), Degrees(p.latitude));
            xml.writeAttribute(QStringLiteral("lon"), Degrees(p.longitude));
            if (p.HasTime())
                xml.writeTextElement(gpx, QStringLiteral("time"),
                                     QString::fromStdString(FormatUtcTime(p.unixMs)));
            if (p.HasSpeed()) {
                xml.writeStartElement(gpx, QStringLiteral("extensions"));
                xml.writeStartElement(ext, QStringLiteral("TrackPointExtension"));
                xml.writeTextElement(ext, QStringLiteral("speed"),
                                     QString::number(p.speedKmh / 3.6, 'f', 2));
                xml.writeEndElement();
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        if (error) *error = file.errorString().toStdString();
        return false;
    }
    return true;
}

GpxExportResult ExportGpx(const std::vector<std::string>& moviePaths, const std::string& path,
                          const GpxExportOptions& options) {
    GpxExportResult result;
    result.path = path;
    if (moviePaths.empty()) return result;
    if (QFileInfo::exists(QString::fromStdString(path)) && !options.replaceExisting) {
        result.status = GpxExportStatus::kExists;
        return result;
    }
    GpsTrackOptions gather;
    gather.running = options.running;
    gather.progress = options.progress;
    const GpsTrackResult track = GatherGpsTrack(moviePaths, gather);
    switch (track.status) {
        case GpsTrackStatus::kDone:
            break;
        case GpsTrackStatus::kCancelled:
            result.status = GpxExportStatus::kCancelled;
            return result;
        case GpsTrackStatus::kNoRecordings:
            return result;
        case GpsTrackStatus::kNoPositions:
            result.status = GpxExportStatus::kNoPositions;
            return result;
    }
    if (options.running && !options.running->load()) {
        result.status = GpxExportStatus::kCancelled;
        return result;
    }
    if (!WriteGpx(path, track.track, &result.error)) {
        result.status = GpxExportStatus::kWriteFailed;
        return result;
    }
    result.points = track.track.PointCount();
    result.segments = track.track.segments.size();
    const int64_t n = static_cast<int64_t>(moviePaths.size());
    Report(options.progress, static_cast<uint64_t>(n), n);
    result.status = GpxExportStatus::kDone;
    return result;
}

}  // namespace quorva
