// tarsel-cli fetch URL: one column download, as an update would run it, into a throw-away data
// folder, and what came of it. The tool to run when a feed will not update.
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/cli_args.h"
#include "net/download/cache_file_path.h"
#include "net/download/download_column.h"
#include "net/download/failure_code.h"
#include "net/download/feed_link_discovery.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/feed_parser.h"
#include "platform/atomic_file.h"
#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "store/column.h"

namespace tarsel::cli {

namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli fetch URL [--json] [--etag E] [--last-modified L] [--user U --password P]\n"
    "                  [--encoding automatic|western|cyrillic|central]\n"
    "Downloads URL as a column update would, into a temporary data folder, and reports the\n"
    "result. The exit status is the column's failure code (0: no failure).\n";

// A data folder of the command's own: XDG_DATA_HOME points into a fresh temporary folder for
// the life of the object, and the folder goes with everything in it afterwards.
class ScratchDataFolder {
 public:
  ScratchDataFolder() {
    const char* temp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/tarsel-fetch-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return;
    // A relative XDG_DATA_HOME would be ignored in favour of the user's real data folder.
    std::error_code error;
    path_ = std::filesystem::absolute(pattern, error).string();
    if (error) {
      std::filesystem::remove(pattern, error);
      path_.clear();
      return;
    }
    setenv("XDG_DATA_HOME", path_.c_str(), 1);
  }
  ~ScratchDataFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  ScratchDataFolder(const ScratchDataFolder&) = delete;
  ScratchDataFolder& operator=(const ScratchDataFolder&) = delete;

  bool Ready() const { return !path_.empty(); }

 private:
  std::string path_;
};

struct FetchResult {
  int status = 0;
  FailureCode failure = kFailureNone;
  bool new_content = false;
  std::string cached;      // the cache file after a new download
  std::string discovered;  // the feed link of a web page
};

FetchResult Fetch(Column& column) {
  FetchResult result;
  try {
    result.new_content = DownloadColumn(column, nullptr, &result.status);
  } catch (const HTTP::CHttpExeption& error) {
    result.failure = FailureCodeForHttpError(error.Code());
  }
  if (!result.new_content) return result;
  if (std::optional<FileContent> file = ReadWholeFile(CacheFilePath(column))) {
    result.cached = std::string(file->view());
  }
  // As the merge sees it: the text ends at its first zero byte.
  const std::string_view text(result.cached.c_str(), std::strlen(result.cached.c_str()));
  if (!IsFeedDocument(text)) result.discovered = DiscoverFeedLink(text, column.url);
  return result;
}

nlohmann::ordered_json ResultJson(const Column& column, const FetchResult& result, int code_page) {
  auto utf8 = [code_page](const std::string& text) { return CodePageToUtf8(text, code_page); };
  nlohmann::ordered_json json;
  json["status"] = result.status;
  json["failure"] = result.failure;
  json["message"] = result.failure == kFailureNone ? "" : utf8(FailureMessage(result.failure));
  json["url"] = utf8(column.url);
  json["etag"] = utf8(column.etag);
  json["last_modified"] = utf8(column.last_modified);
  json["new_content"] = result.new_content;
  json["bytes"] = result.cached.size();
  json["charset_converted"] = column.charset_converted;
  json["discovered"] = utf8(result.discovered);
  return json;
}

void PrintReport(const nlohmann::ordered_json& json) {
  std::printf("URL:           %s\n", json["url"].get<std::string>().c_str());
  std::printf("HTTP status:   %d\n", json["status"].get<int>());
  if (json["failure"].get<int>() == kFailureNone) {
    std::printf("Result:        no failure\n");
  } else {
    // Continuation lines line up under the first.
    std::string message;
    for (char byte : json["message"].get<std::string>()) {
      message += byte;
      if (byte == '\n') message += "               ";
    }
    std::printf("Result:        failure %d: %s\n", json["failure"].get<int>(), message.c_str());
  }
  if (json["new_content"].get<bool>()) {
    std::printf("New content:   %zu bytes%s\n", json["bytes"].get<size_t>(),
                json["charset_converted"].get<bool>() ? ", charset converted" : "");
  } else {
    std::printf("New content:   none\n");
  }
  std::printf("ETag:          %s\n", json["etag"].get<std::string>().c_str());
  std::printf("Last-Modified: %s\n", json["last_modified"].get<std::string>().c_str());
  const std::string discovered = json["discovered"].get<std::string>();
  if (!discovered.empty()) std::printf("Web page; its feed: %s\n", discovered.c_str());
}

}  // namespace

int RunFetch(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--etag", "--last-modified", "--user", "--password", "--encoding"},
                  {"--json"}, 1, 1, error)) {
    return UsageError(kUsage, error);
  }
  // The user's own settings (proxy, encoding) apply, read before the data folder moves.
  Settings settings;
  LoadSettings(settings);
  if (std::optional<std::string> word = args.Value("--encoding")) {
    std::optional<EncodingChoice> choice = EncodingFromWord(*word);
    if (!choice) return UsageError(kUsage, "unknown encoding " + *word);
    settings.encoding = static_cast<int32_t>(*choice);
  }
  SetCurrentSettings(settings);
  const int code_page = CodePageForEncoding(static_cast<EncodingChoice>(settings.encoding));

  ScratchDataFolder scratch;
  if (!scratch.Ready()) return Fail(kExitFailure, "cannot make a temporary data folder");
  auto from_utf8 = [&](std::string_view option) {
    return CodePageFromUtf8(args.Value(option).value_or(""), code_page);
  };
  Column column;
  column.id = 1;
  column.url = CodePageFromUtf8(args.words()[0], code_page);
  column.etag = from_utf8("--etag");
  column.last_modified = from_utf8("--last-modified");
  column.login = from_utf8("--user");
  column.password = from_utf8("--password");

  const FetchResult result = Fetch(column);
  const nlohmann::ordered_json json = ResultJson(column, result, code_page);
  if (args.Has("--json")) {
    std::printf("%s\n", json.dump(2).c_str());
  } else {
    PrintReport(json);
  }
  return result.failure;
}

}  // namespace tarsel::cli
