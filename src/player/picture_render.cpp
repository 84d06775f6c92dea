#include "player/picture_render.h"

extern "C" {
#include <libavutil/frame.h>
}

namespace quorva {

void AvFrameFree::operator()(AVFrame* frame) const {
    av_frame_free(&frame);
}

namespace {
bool Sideways(int rotation) {
    return rotation == 90 || rotation == 270;
}
}  // namespace

PlayerSize ShownSize(const DecodedPicture& picture) {
    if (!picture.frame) return {};
    const int w = picture.frame->width;
    const int h = picture.frame->height;
    return Sideways(picture.rotation) ? PlayerSize{h, w} : PlayerSize{w, h};
}

FramePtr RenderPicture(const DecodedPicture& picture, PlayerSize size, PictureConverter& converter,
                       FramePool& pool) {
    if (!picture.frame) return nullptr;
    if (size.width <= 0 || size.height <= 0) size = ShownSize(picture);
    // Converted at the size before the turn.
    const PlayerSize before =
        Sideways(picture.rotation) ? PlayerSize{size.height, size.width} : size;
    std::shared_ptr<VideoFrame> out =
        converter.Convert(*picture.frame, pool, before.width, before.height);
    if (!out) return nullptr;
    if (picture.rotation == 90 || picture.rotation == 180 || picture.rotation == 270) {
        out = TurnPicture(*out, picture.rotation, pool);
        if (!out) return nullptr;
    }
    out->position = picture.position;
    out->mediaMs = picture.mediaMs;
    out->keyFrame = picture.keyFrame;
    out->serial = picture.serial;
    return out;
}

}  // namespace quorva
