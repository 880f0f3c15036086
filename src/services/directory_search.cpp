#include "services/directory_search.h"

#include "net/http/network_connection.h"

namespace tarsel {

namespace {

void Report(const DirectorySearchHooks& hooks, DirectorySearchStep step, int results = 0) {
  if (hooks.progress) hooks.progress(step, results);
}

XmlRpcCallOptions CallOptions(const DirectorySearchHooks& hooks) {
  XmlRpcCallOptions options;
  options.http = hooks.http;
  options.user_agent = kDirectoryUserAgent;
  options.prompt = hooks.prompt;
  options.cancel = hooks.cancel;
  return options;
}

bool IsNonEmptyArray(const XmlRpcValue& value) {
  return Kind(value) == XmlRpcKind::kArray && !value.Elements()->empty();
}

void ReadFeeds(const XmlRpcValue& answer, DirectorySearch& search) {
  for (const XmlRpcValue& element : *answer.Elements()) {
    if (Kind(element) != XmlRpcKind::kStruct) continue;
    FoundFeed feed;
    feed.site_url = AsText(StructMember(element, "siteurl"));
    feed.feed_url = AsText(StructMember(element, "dataurl"));
    feed.description = AsText(StructMember(element, "description"));
    feed.title = AsText(StructMember(element, "sitename"));
    search.results.push_back(std::move(feed));
  }
}

}  // namespace

void RunDirectorySearch(DirectorySearch& search, const DirectorySearchHooks& hooks) {
  const bool online =
      hooks.is_online ? hooks.is_online() : HTTP::HasNetworkConnection(hooks.http.proxy.type);
  if (!online || hooks.endpoint.empty()) return;
  const XmlRpcCallOptions options = CallOptions(hooks);

  XmlRpcRequest find(search.kind == DirectorySearchKind::kSiteUrl ? "syndic8.FindSites"
                                                                  : "syndic8.FindFeeds");
  find.AddParam(XmlRpcValue::String(search.query));
  Report(hooks, DirectorySearchStep::kRequest);
  XmlRpcResponse found;
  if (PerformXmlRpcCall(hooks.endpoint, find, found, options) != XmlRpcCallStatus::kOk) return;
  if (!IsNonEmptyArray(found.Result())) {
    search.outcome = DirectorySearchOutcome::kEmptyResponse;
    return;
  }

  XmlRpcRequest info("syndic8.GetFeedInfo");
  info.AddParam(found.Result());
  info.AddParam(
      XmlRpcValue::Array({XmlRpcValue::String("sitename"), XmlRpcValue::String("siteurl"),
                          XmlRpcValue::String("description"), XmlRpcValue::String("dataurl")}));
  Report(hooks, DirectorySearchStep::kFeedInfoSent);
  XmlRpcResponse answer;
  // A fault here is shown and then read on like any other answer.
  if (PerformXmlRpcCall(hooks.endpoint, info, answer, options) ==
      XmlRpcCallStatus::kTransportFailed) {
    return;
  }
  Report(hooks, DirectorySearchStep::kFeedInfoRead);
  const XmlRpcValue& feeds = answer.Result();
  if (Kind(feeds) != XmlRpcKind::kArray) {
    search.outcome = DirectorySearchOutcome::kErrorInResponse;
    return;
  }
  if (feeds.Elements()->empty()) {
    search.outcome = DirectorySearchOutcome::kEmptyResponse;
    return;
  }
  Report(hooks, DirectorySearchStep::kParsing, static_cast<int>(feeds.Elements()->size()));
  ReadFeeds(feeds, search);
  if (search.results.empty()) search.outcome = DirectorySearchOutcome::kNoUsableResult;
}

}  // namespace tarsel
