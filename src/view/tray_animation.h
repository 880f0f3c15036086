#pragma once

// Which picture the tray icon shows: a steady one for "something unread" or "nothing unread",
// and, while the update queue holds columns, animation frames stepped every kTrayFrameMs. No Qt
// here; one object per tray icon, window thread only.

namespace tarsel {

inline constexpr int kTrayFrameMs = 100;

enum class TrayPicture { kUnread, kNothingUnread, kFrame };

class TrayAnimation {
 public:
  explicit TrayAnimation(int frame_count) : frame_count_(frame_count > 0 ? frame_count : 1) {}

  // The queue started (true) or became empty (false). A new run starts at the first frame; a
  // running animation keeps its frame.
  void SetRunning(bool running);
  // Frame timer: the next frame, wrapping to the first after the last.
  int NextFrame();

  bool Running() const { return running_; }
  int Frame() const { return frame_; }
  // The picture to show now: the current frame while running, else the steady one.
  TrayPicture Picture(int unread) const;

 private:
  int frame_count_;
  int frame_ = 0;
  bool running_ = false;
};

}  // namespace tarsel
