#include "ui/record_pane_host.h"

namespace tarsel::ui {

void RecordPaneHost::OnInitialize() {
  emit Initialized();
}

}  // namespace tarsel::ui
