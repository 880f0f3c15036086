#include "view/tray_animation.h"

namespace tarsel {

void TrayAnimation::SetRunning(bool running) {
  if (running && !running_) frame_ = 0;
  running_ = running;
}

int TrayAnimation::NextFrame() {
  frame_ = (frame_ + 1) % frame_count_;
  return frame_;
}

TrayPicture TrayAnimation::Picture(int unread) const {
  if (running_) return TrayPicture::kFrame;
  return unread > 0 ? TrayPicture::kUnread : TrayPicture::kNothingUnread;
}

}  // namespace tarsel
