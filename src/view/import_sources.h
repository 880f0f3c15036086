#pragma once

// Where imported feeds come from, without any widget: the three feed directories and their list
// files (shipped in the program folder's Feeds/, downloaded into the data folder's Feeds/), the
// list file of an "Enter URL" import, reading a list file, and the single columns for a
// LiveJournal friend or a Yahoo group. Texts are bytes in the program's code page. Main thread for
// what changes the columns tree; the rest is pure.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "parse/charsets/encoding_choice.h"
#include "parse/lists/found_feed_tree.h"
#include "store/column.h"

namespace tarsel {

enum class DirectoryFormat { kOcs, kOpml };

struct DirectoryList {
  int command_id;         // the menu command that imports it
  const char* menu_name;  // "Moreover", "NewsIsFree", "MyRSS"
  const char* file_name;  // under Feeds/
  DirectoryFormat format;
  const char* address;  // where the list is downloaded from when its file is missing
};

// The three directories, in menu order (commands 40227, 40228, 40229).
const DirectoryList* DirectoryLists();
inline constexpr int kDirectoryListCount = 3;
// The directory a command id names; null for any other id.
const DirectoryList* DirectoryForCommand(int command_id);

// The directory's list file: DataFolder() + "/Feeds/" + file name when that file exists, else
// ProgramFolder() + "Feeds/" + file name when that one does, else the first, where a download
// puts it.
std::string DirectoryListPath(const DirectoryList& list);
// DataFolder() + "/Feeds/" + ListFileNameFromUrl(url).
std::string UrlListPath(std::string_view url);

// Reads a downloaded directory file with its own format reader into a list named "imported
// columns". A missing or malformed file gives an empty list.
// `encoding` is the user's choice for a list that declares none.
FoundFeedTree ReadDirectoryFile(const DirectoryList& list, const std::string& path,
                                EncodingChoice encoding);

// Reads a list file of any kind (OCS, item list or OPML, told apart by its content) into a list
// named "imported column". Nothing when the file cannot be read or is not well-formed XML.
std::optional<FoundFeedTree> ReadListFile(const std::string& path, EncodingChoice encoding);

// The single-column services.
enum class ServiceColumnKind { kLiveJournalFriend, kYahooGroup };
inline constexpr int32_t kServiceColumnInterval = 10800;
inline constexpr char kLiveJournalSite[] = "http://www.livejournal.com";
inline constexpr char kYahooGroupsSite[] = "http://groups.yahoo.com";

// The feed address of a friend's journal (site + "/users/" + name + "/rss") or of a group's
// messages (site + "/group/" + name + "/messages?rss=1&viscount=15"). Bytes of the name outside
// letters, digits, '-' and '_' are percent-encoded, so a name cannot leave its path segment.
std::string ServiceColumnUrl(ServiceColumnKind kind, std::string_view name);

// A new column named `name` with that address and the interval of 10800 seconds, the other
// values from `defaults`. The caller gives it an id and adds it to the tree.
std::shared_ptr<Column> NewServiceColumn(ServiceColumnKind kind, const std::string& name,
                                         const NewColumnDefaults& defaults);

}  // namespace tarsel
