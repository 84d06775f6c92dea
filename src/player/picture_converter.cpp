#include "player/picture_converter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace quorva {

namespace {

// Full-range "J" formats are the plain formats with the full range flag.
AVPixelFormat PlainFormat(AVPixelFormat f, bool* fullRange) {
    switch (f) {
        case AV_PIX_FMT_YUVJ420P:
            *fullRange = true;
            return AV_PIX_FMT_YUV420P;
        case AV_PIX_FMT_YUVJ422P:
            *fullRange = true;
            return AV_PIX_FMT_YUV422P;
        case AV_PIX_FMT_YUVJ444P:
            *fullRange = true;
            return AV_PIX_FMT_YUV444P;
        case AV_PIX_FMT_YUVJ440P:
            *fullRange = true;
            return AV_PIX_FMT_YUV440P;
        default:
            return f;
    }
}

}  // namespace

PictureConverter::~PictureConverter() {
    sws_freeContext(sws_);
    sws_freeContext(shrinkSws_);
    av_frame_free(&scaled_);
}

const AVFrame* PictureConverter::Shrink(const AVFrame& picture, int width, int height) {
    if (!scaled_ || scaled_->width != width || scaled_->height != height) {
        av_frame_free(&scaled_);
        scaled_ = av_frame_alloc();
        if (!scaled_) return nullptr;
        scaled_->format = AV_PIX_FMT_YUV420P;
        scaled_->width = width;
        scaled_->height = height;
        // Rows aligned and padded for the converters' block writes and reads.
        if (av_frame_get_buffer(scaled_, 64) < 0) {
            av_frame_free(&scaled_);
            return nullptr;
        }
    }
    shrinkSws_ =
        sws_getCachedContext(shrinkSws_, picture.width, picture.height, AV_PIX_FMT_YUV420P, width,
                             height, AV_PIX_FMT_YUV420P, SWS_AREA, nullptr, nullptr, nullptr);
    if (!shrinkSws_) return nullptr;
    if (sws_scale(shrinkSws_, picture.data, picture.linesize, 0, picture.height, scaled_->data,
                  scaled_->linesize) != height)
        return nullptr;
    // The same colours: only the size changed.
    scaled_->color_range = picture.color_range;
    scaled_->colorspace = picture.colorspace;
    return scaled_;
}

bool PictureConverter::ConvertInto(const AVFrame& picture, uint8_t* pixels, int stride, int width,
                                   int height) {
    const int w = picture.width;
    const int h = picture.height;
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || !pixels) return false;
    if (width <= 0 || height <= 0) {
        width = w;
        height = h;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
    bool fullRange = picture.color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat src = PlainFormat(static_cast<AVPixelFormat>(picture.format), &fullRange);
    if ((width != w || height != h) && src == AV_PIX_FMT_YUV420P) {
        const AVFrame* shrunk = Shrink(picture, width, height);
        if (!shrunk) return false;
        AVFrame copy = *shrunk;  // the colours of the picture, the planes of the shrunk one
        copy.format = picture.format;
        return ConvertInto(copy, pixels, stride);
    }
    SwsContext* before = sws_;
    sws_ = sws_getCachedContext(sws_, w, h, src, width, height, AV_PIX_FMT_BGRA, SWS_BILINEAR,
                                nullptr, nullptr, nullptr);
    if (!sws_) return false;
    if (sws_ != before) format_ = -1;
    const int matrix = picture.colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
    if (src != format_ || int(fullRange) != range_ || matrix != matrix_) {
        sws_setColorspaceDetails(sws_, sws_getCoefficients(matrix), fullRange ? 1 : 0,
                                 sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
        format_ = src;
        range_ = fullRange;
        matrix_ = matrix;
    }
    uint8_t* dst[4] = {pixels, nullptr, nullptr, nullptr};
    int dstStride[4] = {stride, 0, 0, 0};
    return sws_scale(sws_, picture.data, picture.linesize, 0, h, dst, dstStride) == height;
}

std::shared_ptr<VideoFrame> PictureConverter::Convert(const AVFrame& picture, FramePool& pool,
                                                      int width, int height) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxPictureSide ||
        picture.height > kMaxPictureSide)
        return nullptr;
    if (width <= 0 || height <= 0) {
        width = picture.width;
        height = picture.height;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) return nullptr;
    // The pool's buffers have the row alignment and the padding the converter writes into.
    auto out = pool.Acquire(width, height);
    if (!ConvertInto(picture, out->pixels.data(), out->stride, width, height)) return nullptr;
    return out;
}

}  // namespace quorva
