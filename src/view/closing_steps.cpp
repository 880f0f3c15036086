#include "view/closing_steps.h"

namespace tarsel {

std::vector<ClosingStep> ClosingOrder(CloseReason reason) {
  using enum ClosingStep;
  if (reason == CloseReason::kSessionEnded) {
    return {kSaveSettings, kStopUpdates, kSaveColumns, kSaveMemories, kCloseTabs};
  }
  return {kSaveColumnWidths, kSaveSettings, kSaveColumns, kSaveMemories, kStopUpdates, kCloseTabs};
}

}  // namespace tarsel
