#include "view/import_sources.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "app/area_options.h"
#include "parse/feeds/directory_readers.h"
#include "parse/lists/import_choices.h"
#include "parse/xml/xml_document.h"
#include "parse/xml/xml_exception.h"
#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace tarsel {

namespace {

constexpr DirectoryList kDirectories[kDirectoryListCount] = {
    {40227, "Moreover", "moreover.rdf", DirectoryFormat::kOcs,
     "http://w.moreover.com/categories/category_list.rdf"},
    {40228, "NewsIsFree", "newsisfree.opml", DirectoryFormat::kOpml,
     "http://www.newsisfree.com/services/opml.php"},
    {40229, "MyRSS", "myrss.rdf", DirectoryFormat::kOcs, "http://myrss.com/ocs/ocs04.rdf"},
};

// Lists that a download fetches go to the data folder: the program folder is read-only once
// the program is installed. The lists shipped with the program stay in the program folder.
std::string DownloadedListsFolder() {
  return DataFolder() + "/Feeds/";
}

std::string ShippedListsFolder() {
  return ProgramFolder() + "Feeds/";
}

bool IsFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

const DirectoryList* DirectoryLists() {
  return kDirectories;
}

const DirectoryList* DirectoryForCommand(int command_id) {
  for (const DirectoryList& list : kDirectories) {
    if (list.command_id == command_id) return &list;
  }
  return nullptr;
}

std::string DirectoryListPath(const DirectoryList& list) {
  std::string downloaded = DownloadedListsFolder() + list.file_name;
  if (IsFile(downloaded)) return downloaded;
  std::string shipped = ShippedListsFolder() + list.file_name;
  return IsFile(shipped) ? shipped : downloaded;
}

std::string UrlListPath(std::string_view url) {
  return DownloadedListsFolder() + ListFileNameFromUrl(url);
}

FoundFeedTree ReadDirectoryFile(const DirectoryList& list, const std::string& path,
                                EncodingChoice encoding) {
  FoundFeedTree tree{kImportedDirectoryListName, {}, {}};
  std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) return tree;
  XMLParser::Document document;
  try {
    const XMLParser::Node& root = document.ParseBuffer(content->view());
    if (list.format == DirectoryFormat::kOcs) {
      ParseOcsDirectory(root, tree.feeds);
    } else {
      const XMLParser::Node& body = root.FindChildNoCase("body");
      // The directory's OPML is read without a declared encoding.
      if (!body.IsNull()) ParseOpmlOutlines(body, tree, "", encoding);
    }
  } catch (const XMLParser::Exception&) {
    return {kImportedDirectoryListName, {}, {}};
  } catch (const std::bad_alloc&) {
    return {kImportedDirectoryListName, {}, {}};
  }
  return tree;
}

std::optional<FoundFeedTree> ReadListFile(const std::string& path, EncodingChoice encoding) {
  std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) return std::nullopt;
  FoundFeedTree tree{kImportedFileListName, {}, {}};
  std::string error;
  if (!ParseListBytes(content->view(), tree, error, encoding)) return std::nullopt;
  return tree;
}

std::string ServiceColumnUrl(ServiceColumnKind kind, std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string segment;
  for (char byte : name) {
    const auto value = static_cast<unsigned char>(byte);
    const bool plain = (value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z') ||
                       (value >= '0' && value <= '9') || byte == '-' || byte == '_';
    if (plain) {
      segment += byte;
    } else {
      segment += '%';
      segment += kHex[value >> 4];
      segment += kHex[value & 0x0F];
    }
  }
  if (kind == ServiceColumnKind::kLiveJournalFriend)
    return std::string(kLiveJournalSite) + "/users/" + segment + "/rss";
  return std::string(kYahooGroupsSite) + "/group/" + segment + "/messages?rss=1&viscount=15";
}

std::shared_ptr<Column> NewServiceColumn(ServiceColumnKind kind, const std::string& name,
                                         const NewColumnDefaults& defaults) {
  auto column = std::make_shared<Column>(defaults);
  column->name = name;
  column->url = ServiceColumnUrl(kind, name);
  column->update_interval = kServiceColumnInterval;
  return column;
}

}  // namespace tarsel
