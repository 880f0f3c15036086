#include "ui/web_services.h"

#include "ui/blog_commands.h"
#include "ui/command_actions.h"
#include "ui/directory_search_dialog.h"
#include "ui/import_feeds_dialog.h"
#include "ui/main_window.h"
#include "ui/record_view.h"
#include "ui/records_list.h"
#include "ui/tab_area.h"
#include "ui/update_driver.h"
#include "ui/version_notice.h"
#include "view/command_ids.h"

namespace tarsel::ui {

BlogCommands* AttachWebServices(MainWindow& window, std::function<void()> columns_tree_changed) {
  ProgramData& data = window.data();
  auto* blog = new BlogCommands(&window, window.actions(), *window.settings());
  auto offer = [&window, &data, columns_tree_changed](const FoundFeedTree& found) {
    const int created =
        ImportFoundFeeds(&window, data.columns, found, data.store_options.column_defaults);
    if (created > 0 && columns_tree_changed) columns_tree_changed();
  };
  window.actions()->Bind(cmd::kDirectorySearch,
                         [&window, offer] { OpenDirectorySearch(&window, offer); });
  QObject::connect(window.records_list(), &RecordsList::RecordSelected, blog,
                   &BlogCommands::SetCurrentRecord);
  QObject::connect(window.record_pane(), &RecordView::BlogSelectionRequest, blog,
                   &BlogCommands::BlogSelection);
  QObject::connect(window.tab_area(), &TabArea::BlogSelectionRequest, blog,
                   &BlogCommands::BlogSelection);
  // The key asks the record pane while the first tab shows; browser tabs offer it in their menu.
  blog->SetSelectionRequester([&window] {
    if (window.tab_area()->currentIndex() == 0) window.record_pane()->BlogSelection();
  });
  auto* notice = new VersionNotice(&window, *window.settings());
  QObject::connect(window.updates(), &UpdateDriver::VersionCheckDue, notice,
                   &VersionNotice::StartCheck);
  return blog;
}

}  // namespace tarsel::ui
