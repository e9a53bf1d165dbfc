#pragma once

#include <QRect>

namespace quillmere::app {

// The window's places and sizes are given in twips, 1440 to the inch; on screen they follow the logical
// resolution, so that 15 twips make one pixel at 96 dots per inch.
class TwipScale {
public:
    explicit TwipScale(qreal logicalDpi)
        : pixelsPerTwip_(logicalDpi / 1440.0) {}

    int operator()(qreal twips) const { return qRound(twips * pixelsPerTwip_); }
    QRect rect(qreal left, qreal top, qreal width, qreal height) const {
        return {(*this)(left), (*this)(top), (*this)(width), (*this)(height)};
    }

private:
    qreal pixelsPerTwip_;
};

} // namespace quillmere::app
