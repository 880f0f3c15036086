#pragma once

// Searching the public feed directory over XML-RPC: one call finds feed identifiers by a text,
// a second reads their site names, addresses and descriptions.
//
// RunDirectorySearch runs on a worker thread and blocks it until both exchanges end. The
// DirectorySearch it fills belongs to that worker until it returns; the hooks' callbacks run on
// the worker. Texts are bytes in the program's code page.

#include <functional>
#include <string>
#include <vector>

#include "parse/feeds/found_feed.h"
#include "platform/notifier.h"
#include "services/project_addresses.h"
#include "services/xml_rpc_call.h"

namespace tarsel {

inline constexpr char kDirectoryUserAgent[] = "Ostrelianware";

enum class DirectorySearchKind : int { kSiteUrl = 0, kFeedTitle = 1, kFeedDescription = 2 };

enum class DirectorySearchOutcome : int {
  kNone = 0,
  kErrorInResponse = 1,
  kEmptyResponse = 2,
  kNoUsableResult = 3,
};

struct DirectorySearch {
  std::string query;
  DirectorySearchKind kind = DirectorySearchKind::kFeedTitle;
  std::vector<FoundFeed> results;
  DirectorySearchOutcome outcome = DirectorySearchOutcome::kNone;
};

// The progress steps the worker reports.
enum class DirectorySearchStep : int {
  kRequest = 0,       // "Processing Request"
  kFeedInfoSent = 1,  // "Processing Responce"
  kFeedInfoRead = 2,  // "Processing Responce"
  kParsing = 3,       // "Parsing Responce (%d results)"
};

struct DirectorySearchHooks {
  // Empty when the build names no directory: the search then ends as one without a connection.
  std::string endpoint = BuiltInAddresses().directory;
  HTTP::ClientOptions http;
  // The connected test made before anything is sent; empty: HTTP::HasNetworkConnection.
  std::function<bool()> is_online;
  // Progress, with the number of results for kParsing. May be empty.
  std::function<void(DirectorySearchStep step, int results)> progress;
  // Hears "postevent error" for a failed reply. Null shows nothing. Not owned.
  UserPrompt* prompt = nullptr;
  // Stops the search from another thread. Not owned.
  XmlRpcCancel* cancel = nullptr;
};

// The search. Without a connection, on a transport failure or a fault of the find call it ends
// with kNone and no results.
void RunDirectorySearch(DirectorySearch& search, const DirectorySearchHooks& hooks);

}  // namespace tarsel
