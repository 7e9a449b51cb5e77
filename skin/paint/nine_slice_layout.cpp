#include "skin/paint/nine_slice_layout.h"

#include <algorithm>

namespace {

enum class Keep { TopLeft, BottomLeft, TopRight, BottomRight };

// Corners are never stretched: they shrink to what both the frame and the target can hold and
// keep their outer corner, so a small button still shows the frame's rounded corners.
NineSlicePiece Corner(NineSlicePart part, const SliceRect &source, const SliceRect &nominal, Keep keep, int width,
                      int height)
{
    const int w = std::max(0, std::min(source.width(), nominal.width()));
    const int h = std::max(0, std::min(source.height(), nominal.height()));
    const bool keepLeft = keep == Keep::TopLeft || keep == Keep::BottomLeft;
    const bool keepTop = keep == Keep::TopLeft || keep == Keep::TopRight;

    NineSlicePiece piece;
    piece.part = part;
    piece.corner = true;
    piece.source.left = keepLeft ? source.left : source.right - w;
    piece.source.top = keepTop ? source.top : source.bottom - h;
    piece.source.right = piece.source.left + w;
    piece.source.bottom = piece.source.top + h;
    piece.target.left = keepLeft ? 0 : width - w;
    piece.target.top = keepTop ? 0 : height - h;
    piece.target.right = piece.target.left + w;
    piece.target.bottom = piece.target.top + h;
    return piece;
}

enum class Outer { Left, Right, Top, Bottom, None };

// An edge strip thicker than its target is thinned from the inner side: the outer line of the
// frame is what must survive.
NineSlicePiece Stretched(NineSlicePart part, SliceRect source, const SliceRect &target, Outer outer)
{
    switch (outer) {
    case Outer::Left:
        if (target.width() < source.width())
            source.right = source.left + std::max(0, target.width());
        break;
    case Outer::Right:
        if (target.width() < source.width())
            source.left = source.right - std::max(0, target.width());
        break;
    case Outer::Top:
        if (target.height() < source.height())
            source.bottom = source.top + std::max(0, target.height());
        break;
    case Outer::Bottom:
        if (target.height() < source.height())
            source.top = source.bottom - std::max(0, target.height());
        break;
    case Outer::None:
        break;
    }
    return NineSlicePiece{part, source, target, false};
}

} // namespace

NineSliceLayout LayoutNineSlice(int frameWidth, int frameHeight, int width, int height)
{
    const int w = frameWidth;
    const int h = frameHeight;
    const int m = w / 2;
    const int k = h / 2;
    const int M = width / 2;
    const int K = height / 2;
    using P = NineSlicePart;

    const NineSlicePiece tl = Corner(P::TopLeft, {0, 0, m, k}, {0, 0, M, K}, Keep::TopLeft, width, height);
    const NineSlicePiece bl = Corner(P::BottomLeft, {0, h - k + 1, m, h}, {0, height - K + 1, M, height},
                                     Keep::BottomLeft, width, height);
    const SliceRect &TL = tl.target;
    const SliceRect &BL = bl.target;
    const NineSlicePiece left =
        Stretched(P::LeftEdge, {0, k, m, h - k}, {0, TL.bottom, TL.right, BL.top}, Outer::Left);

    const NineSlicePiece tr = Corner(P::TopRight, {w - m + 1, 0, w, k}, {width - M + 1, 0, width, K},
                                     Keep::TopRight, width, height);
    const NineSlicePiece br = Corner(P::BottomRight, {w - m + 1, h - k + 1, w, h},
                                     {width - M + 1, height - K + 1, width, height}, Keep::BottomRight, width, height);
    const SliceRect &TR = tr.target;
    const SliceRect &BR = br.target;
    const NineSlicePiece right =
        Stretched(P::RightEdge, {w - m + 1, h - k, w, k + 2}, {TR.left, TR.bottom, TR.right, BR.top}, Outer::Right);

    const NineSlicePiece top = Stretched(P::TopEdge, {m, 0, w - m + 1, k}, {TL.right, 0, TR.left, TL.bottom}, Outer::Top);
    const NineSlicePiece centre =
        Stretched(P::Centre, {m, k, w - m + 1, h - k}, {TL.right, TL.bottom, TR.left, BR.top - 1}, Outer::None);
    const NineSlicePiece bottom = Stretched(P::BottomEdge, {m, h - k, w - m + 1, h},
                                            {TL.right - 1, BL.top - 1, BR.left, BR.bottom}, Outer::Bottom);

    return {tl, bl, left, tr, br, right, top, centre, bottom};
}
