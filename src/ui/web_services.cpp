#include "ui/web_services.h"

#include "ui/blog_commands.h"
#include "ui/command_actions.h"
#include "ui/directory_search_dialog.h"
#include "ui/main_window.h"
#include "ui/update_driver.h"
#include "ui/version_notice.h"
#include "view/command_ids.h"

namespace tarsel::ui {

BlogCommands* AttachWebServices(MainWindow& window) {
  ProgramData& data = window.data();
  auto* blog = new BlogCommands(&window, window.actions(), data.settings);
  window.actions()->Bind(cmd::kDirectorySearch,
                         [&window] { OpenDirectorySearch(&window, [](const FoundFeedTree&) {}); });
  auto* notice = new VersionNotice(&window, data.settings);
  QObject::connect(window.updates(), &UpdateDriver::VersionCheckDue, notice,
                   &VersionNotice::StartCheck);
  return blog;
}

}  // namespace tarsel::ui
