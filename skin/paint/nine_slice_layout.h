#pragma once

#include <array>

// Where the nine pieces of a frame bitmap go when the frame is stretched to another size.
// Plain geometry, no drawing: the painter side lives in draw_nine_slice.h.

// A rectangle by its edges; right and bottom are exclusive.
struct SliceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return width() <= 0 || height() <= 0; }
    friend constexpr bool operator==(const SliceRect &, const SliceRect &) = default;
};

// In drawing order: later pieces overlap earlier ones by a pixel here and there.
enum class NineSlicePart {
    TopLeft,
    BottomLeft,
    LeftEdge,
    TopRight,
    BottomRight,
    RightEdge,
    TopEdge,
    Centre,
    BottomEdge,
};

struct NineSlicePiece {
    NineSlicePart part = NineSlicePart::TopLeft;
    // Already cut to what is drawn: corners to the slice size, edges to the target's thickness.
    SliceRect source;
    // Corners are drawn unscaled at this place; edges and the centre are stretched to it.
    // An empty target is skipped.
    SliceRect target;
    bool corner = false;
};

using NineSliceLayout = std::array<NineSlicePiece, 9>;

// The pieces for a frame of frameWidth x frameHeight stretched over a target of
// width x height that starts at (0, 0).
NineSliceLayout LayoutNineSlice(int frameWidth, int frameHeight, int width, int height);
