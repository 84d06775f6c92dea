#include "player/snapshot_writer.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

namespace quorva {

namespace {

bool WriteImage(const VideoFrame& picture, const std::string& path, const char* format,
                int quality) {
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.empty()) return false;
    const QImage image(picture.pixels.data(), picture.width, picture.height, picture.stride,
                       QImage::Format_RGB32);
    QImageWriter writer(QString::fromStdString(path), format);
    if (quality >= 0) writer.setQuality(quality);
    return writer.write(image);
}

}  // namespace

bool WriteJpeg(const VideoFrame& picture, const std::string& path, int quality) {
    return WriteImage(picture, path, "jpeg", quality);
}

bool WritePng(const VideoFrame& picture, const std::string& path) {
    return WriteImage(picture, path, "png", -1);
}

}  // namespace quorva
