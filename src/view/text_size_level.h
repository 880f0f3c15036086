#pragma once

// The text size of a browser pane (the record pane or a browser tab): eight levels, 0 to 7,
// starting at 3, each a zoom factor of the page. No Qt; main thread.

#include <array>

namespace tarsel {

class TextSizeLevel {
 public:
  static constexpr int kSmallest = 0;
  static constexpr int kLargest = 7;
  static constexpr int kStart = 3;

  int level() const { return level_; }
  // One step up (down); false, and no change, at the end of the range.
  bool Increase() { return Step(+1); }
  bool Decrease() { return Step(-1); }
  // The page zoom of the level: 1.0 at the start level, about a sixth more or less per step
  // near it, so every level stays readable.
  double ZoomFactor() const { return kZoomFactors[static_cast<size_t>(level_)]; }

 private:
  static constexpr std::array<double, 8> kZoomFactors = {0.6,  0.75, 0.875, 1.0,
                                                         1.15, 1.3,  1.5,   1.75};
  bool Step(int delta) {
    const int next = level_ + delta;
    if (next < kSmallest || next > kLargest) return false;
    level_ = next;
    return true;
  }
  int level_ = kStart;
};

}  // namespace tarsel
