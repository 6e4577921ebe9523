#include "ui/crop_frame.h"

#include <algorithm>
#include <cmath>

PixelRect MoveFrame(const PixelRect& frame, int dx, int dy, int width, int height) {
    PixelRect moved = frame;
    moved.width = std::clamp(frame.width, 0, std::max(width, 0));
    moved.height = std::clamp(frame.height, 0, std::max(height, 0));
    moved.x = std::clamp(frame.x + dx, 0, std::max(width - moved.width, 0));
    moved.y = std::clamp(frame.y + dy, 0, std::max(height - moved.height, 0));
    return moved;
}

PixelRect ResizeFrame(int anchorX, int anchorY, bool towardRight, bool towardDown, double pointerX,
                      double pointerY, FrameAspect aspect, int width, int height) {
    anchorX = std::clamp(anchorX, 0, std::max(width, 0));
    anchorY = std::clamp(anchorY, 0, std::max(height, 0));
    const double ratio = static_cast<double>(aspect.width) / aspect.height;
    const double reachX = std::max(0.0, towardRight ? pointerX - anchorX : anchorX - pointerX);
    const double reachY = std::max(0.0, towardDown ? pointerY - anchorY : anchorY - pointerY);
    const int roomX = towardRight ? width - anchorX : anchorX;
    const int roomY = towardDown ? height - anchorY : anchorY;
    const double widest = std::min<double>(roomX, std::floor(roomY * ratio));
    double across = std::max(reachX, reachY * ratio);
    across = std::min(std::max(across, static_cast<double>(kMinFrameWidth)), widest);
    int frameWidth = std::max(1, static_cast<int>(std::lround(across)));
    int frameHeight = std::max(1, static_cast<int>(std::lround(frameWidth / ratio)));
    frameWidth = std::min(frameWidth, std::max(roomX, 1));
    frameHeight = std::min(frameHeight, std::max(roomY, 1));
    const PixelRect frame{towardRight ? anchorX : anchorX - frameWidth,
                          towardDown ? anchorY : anchorY - frameHeight, frameWidth, frameHeight};
    return MoveFrame(frame, 0, 0, width, height);
}
