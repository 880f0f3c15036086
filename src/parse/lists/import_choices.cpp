#include "parse/lists/import_choices.h"

#include <memory>

namespace tarsel {

namespace {

bool Contains(const std::string& field, std::string_view text) {
  return field.find(text) != std::string::npos;
}

bool Keeps(const FoundFeed& feed, FoundFeedFilter filter, std::string_view text) {
  switch (filter) {
    case FoundFeedFilter::kTitle:
      return Contains(feed.title, text);
    case FoundFeedFilter::kItemContent:
      return Contains(feed.description, text);
    case FoundFeedFilter::kUrl:
      return Contains(feed.site_url, text);
    case FoundFeedFilter::kAll:
      return Contains(feed.title, text) || Contains(feed.description, text) ||
             Contains(feed.site_url, text);
    case FoundFeedFilter::kNoFilter:
      return true;
  }
  return true;
}

void AppendFlattened(const FoundFeedTree& list, FoundFeedList& out) {
  // Nesting is bounded by the readers (kMaxListNesting), so recursion stays shallow.
  out.insert(out.end(), list.feeds.begin(), list.feeds.end());
  for (const FoundFeedTree& nested : list.lists) AppendFlattened(nested, out);
}

}  // namespace

FoundFeedList FlattenFoundFeeds(const FoundFeedTree& list) {
  FoundFeedList out;
  AppendFlattened(list, out);
  return out;
}

FoundFeedList FilterFoundFeeds(const FoundFeedList& feeds, FoundFeedFilter filter,
                               std::string_view text) {
  FoundFeedList kept;
  for (const FoundFeed& feed : feeds) {
    if (Keeps(feed, filter, text)) kept.push_back(feed);
  }
  return kept;
}

std::vector<std::string> CreateChosenColumns(ColumnTree& tree, const FoundFeedList& chosen,
                                             ColumnGroup* parent,
                                             const NewColumnDefaults& defaults) {
  std::vector<std::string> refused;
  for (const FoundFeed& feed : chosen) {
    auto column = std::make_shared<Column>(defaults);
    column->url = feed.feed_url;
    column->name = kImportedColumnName;
    std::string message;
    if (!tree.AddColumn(std::move(column), parent, &message)) refused.push_back(message);
  }
  return refused;
}

std::string ListFileNameFromUrl(std::string_view url) {
  if (url.starts_with("http://")) url.remove_prefix(7);
  if (url.starts_with("www.")) url.remove_prefix(4);
  std::string name(url.substr(0, url.find('.')));
  // The name is joined to a folder path: a slash or NUL must not lead elsewhere.
  for (char& byte : name) {
    if (byte == '/' || byte == '\\' || byte == '\0') byte = '_';
  }
  return name.empty() ? std::string("list") : name;
}

}  // namespace tarsel
