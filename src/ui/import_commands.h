#pragma once

// The import and export commands of the File menu and the tree menus: the three directories,
// "Url..." ("Enter URL"), "File...", "Load Feeds From OPML", "Export RSS Feeds", "Export To
// Opml", and the new single columns "LJ Friend" ("New LJ Friend") and "Yahoo Group" ("New Yahoo
// Group"). Each changes the columns tree the caller owns and reports what it did, so the
// caller can rebuild the tree view. Main thread.

#include <memory>
#include <string>

#include "store/column_tree.h"
#include "view/import_sources.h"
#include "view/list_download.h"

class QWidget;

namespace tarsel::ui {

// Imports a directory: its list file under Feeds/ is downloaded first when missing, then read
// and offered in "Import RSS Feeds". Returns how many columns were created.
int ImportDirectoryCommand(QWidget* parent, ColumnTree& tree, const DirectoryList& directory,
                           const NewColumnDefaults& defaults,
                           ListDownload::ConnectionTest connection_test = {});

// "Url...": asks the address in "Enter URL" (an unusable address is refused with a message),
// downloads it into Feeds/ (always anew) and imports it as a file.
int ImportListUrlCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults);

// "File...": picks an OPML, OCS or item-list file and imports it.
int ImportListFileCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults);
// Reads `path` (an unreadable or malformed file ends the import silently) and offers its feeds.
int ImportListFile(QWidget* parent, ColumnTree& tree, const std::string& path,
                   const NewColumnDefaults& defaults);

// "Load Feeds From OPML": merges a whole OPML file without asking. True when the tree changed.
bool LoadOpmlCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults);

// "Export RSS Feeds" (every column) and "Export To Opml" (the columns of `group`): ask a file
// name and write it. False when cancelled or not written (a failure is shown).
bool ExportOpmlCommand(QWidget* parent, const ColumnTree& tree);
bool ExportGroupOpmlCommand(QWidget* parent, ColumnGroup& group);

// "New LJ Friend" / "New Yahoo Group": asks the name (an empty one is refused with a message and
// the dialog stays), makes the column, opens its properties when "Configurate" is ticked, and
// adds it at the top of the tree. Null when cancelled or refused as a duplicate; the caller
// queues the returned column for an immediate update.
std::shared_ptr<Column> NewServiceColumnCommand(QWidget* parent, ColumnTree& tree,
                                                ServiceColumnKind kind,
                                                const NewColumnDefaults& defaults);

}  // namespace tarsel::ui
