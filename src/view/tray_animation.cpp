#include "view/tray_animation.h"

namespace tarsel {

bool TrayAnimation::OnQueueState(bool queue_empty) {
  if (queue_empty) {
    running_ = false;
  } else if (!running_) {
    running_ = true;
    frame_ = 0;
  }
  return running_;
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
