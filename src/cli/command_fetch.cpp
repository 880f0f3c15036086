// tarsel-cli fetch URL: one column download, as an update would run it, into a throw-away data
// folder, and what came of it. The tool to run when a feed will not update.
#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/area_options.h"
#include "cli/cli_args.h"
#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "net/download/cache_file_path.h"
#include "net/download/download_column.h"
#include "net/download/failure_code.h"
#include "parse/charsets/encoding_choice.h"
#include "platform/atomic_file.h"
#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "store/column.h"
#include "update/merge_records.h"

namespace tarsel::cli {

namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli fetch URL [--json] [--etag E] [--last-modified L] [--user U --password P]\n"
    "                  [--encoding automatic|western|cyrillic|central]\n"
    "Downloads URL as a column update would, into a temporary data folder, reads the body as\n"
    "the merge would, and reports the result: the HTTP status, the failure code and message a\n"
    "column would store (in the output, not the exit status), the validators, and what the body\n"
    "holds. Exit status 1 when the download failed, 4 when the body is not a feed, 5 when it is\n"
    "a web page whose feed link was discovered.\n"
    "\n"
    "Options:\n"
    "  --json               print the result as one JSON object\n"
    "  --etag E             send E as If-None-Match (a conditional request)\n"
    "  --last-modified L    send L as If-Modified-Since\n"
    "  --user U             user name for HTTP basic authentication\n"
    "  --password P         password for HTTP basic authentication\n"
    "  --encoding WORD      the encoding setting to use (default: the user's setting)\n"
    "  --help               show this text\n";

std::string TempRoot() {
  const char* temp = std::getenv("TMPDIR");
  return temp != nullptr && *temp != '\0' ? temp : "/tmp";
}

// A data folder of the command's own: XDG_DATA_HOME points into a fresh temporary folder for
// the life of the object, and the folder goes with everything in it afterwards.
class ScratchDataFolder {
 public:
  ScratchDataFolder() {
    std::string pattern = TempRoot() + "/tarsel-fetch-XXXXXX";
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
  FailureCode failure = kFailureNone;  // what the column would store: download or merge
  bool new_content = false;
  size_t bytes = 0;        // the cache file after a new download
  std::string discovered;  // the feed link of a web page
  size_t records = 0;      // what the merge took from a feed
};

// Downloads, then reads the body as the merge of a column without records would.
FetchResult Fetch(Column& column, const Settings& settings) {
  const DownloadOptions options = DownloadOptionsForSettings(settings);
  FetchResult result;
  try {
    result.new_content = DownloadColumn(column, options, nullptr, &result.status);
  } catch (const HTTP::CHttpExeption& error) {
    result.failure = FailureCodeForHttpError(error.Code());
  }
  if (!result.new_content) return result;
  if (std::optional<FileContent> file = ReadWholeFile(CacheFilePath(column))) {
    result.bytes = file->view().size();
  }
  const std::string fetched_url = column.url;
  try {
    result.failure = MergeRecords(column, MergeOptionsForSettings(settings));
  } catch (...) {
    result.failure = kFailureUpdate;
  }
  if (result.failure == kFailureFeedDiscovered) {
    result.discovered = column.url;
    column.url = fetched_url;
  }
  result.records = column.channel.records.size();
  return result;
}

int ExitStatus(const FetchResult& result) {
  switch (result.failure) {
    case kFailureNone:
      return kExitOk;
    case kFailureParse:
      return kExitNotFeed;
    case kFailureFeedDiscovered:
      return kExitFeedDiscovered;
    default:
      return kExitFailure;
  }
}

nlohmann::ordered_json ResultJson(const Column& column, const FetchResult& result, int code_page) {
  auto utf8 = [code_page](const std::string& text) { return CodePageToUtf8(text, code_page); };
  nlohmann::ordered_json json;
  json["status"] = result.status;
  json["failure"] = result.failure;
  json["message"] = FailureText(result.failure);
  json["detail"] = FailureDetail(result.failure, result.status);
  json["url"] = utf8(column.url);
  json["etag"] = utf8(column.etag);
  json["last_modified"] = utf8(column.last_modified);
  json["new_content"] = result.new_content;
  json["bytes"] = result.bytes;
  json["charset_converted"] = column.charset_converted;
  json["discovered"] = utf8(result.discovered);
  json["title"] = result.failure == kFailureNone ? utf8(column.channel.title) : "";
  json["records"] = result.records;
  return json;
}

std::string Field(const char* label, const std::string& value) {
  char head[32];
  std::snprintf(head, sizeof(head), "%-15s", label);
  return head + TerminalText(value) + "\n";
}

void PrintReport(const nlohmann::ordered_json& json) {
  const bool colours = ColoursFor(stdout);
  std::string text = Field("URL:", json["url"].get<std::string>());
  text += Field("HTTP status:", std::to_string(json["status"].get<int>()));
  const int failure = json["failure"].get<int>();
  const std::string result =
      failure == kFailureNone
          ? Coloured("no failure", Colour::kGreen, colours)
          : Coloured("failure " + std::to_string(failure) + ": " +
                         TerminalText(json["message"].get<std::string>()),
                     failure == kFailureFeedDiscovered ? Colour::kYellow : Colour::kRed, colours);
  text += "Result:        " + result + "\n";
  if (json["new_content"].get<bool>()) {
    text += Field("New content:",
                  std::to_string(json["bytes"].get<size_t>()) + " bytes" +
                      (json["charset_converted"].get<bool>() ? ", charset converted" : ""));
  } else {
    text += Field("New content:", "none");
  }
  text += Field("ETag:", json["etag"].get<std::string>());
  text += Field("Last-Modified:", json["last_modified"].get<std::string>());
  if (failure == kFailureNone && json["new_content"].get<bool>()) {
    text += Field("Feed:", json["title"].get<std::string>() + " (" +
                               std::to_string(json["records"].get<size_t>()) + " records)");
  }
  const std::string discovered = json["discovered"].get<std::string>();
  if (!discovered.empty()) text += Field("Web page; its feed:", discovered);
  Out(text);
}

}  // namespace

int RunFetch(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--etag", "--last-modified", "--user", "--password", "--encoding"},
                  {"--json"}, 1, 1, error)) {
    return UsageError(kUsage, error);
  }
  if (!CheckFeedUrl(args.words()[0], error)) return UsageError(kUsage, error);
  // The user's own settings (proxy, encoding) apply, read before the data folder moves.
  Settings settings;
  LoadSettings(settings);
  if (std::optional<std::string> word = args.Value("--encoding")) {
    std::optional<EncodingChoice> choice = EncodingFromWord(*word);
    if (!choice) return UsageError(kUsage, "unknown encoding " + *word);
    settings.encoding = static_cast<int32_t>(*choice);
  }
  SetCurrentSettings(settings);
  const int code_page = CodePageForSettings(settings);

  ScratchDataFolder scratch;
  if (!scratch.Ready()) {
    return Fail(kExitFailure, FileError("make a temporary data folder in", TempRoot(), errno));
  }
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

  const FetchResult result = Fetch(column, settings);
  const nlohmann::ordered_json json = ResultJson(column, result, code_page);
  if (args.Has("--json")) {
    Out(JsonText(json) + "\n");
  } else {
    PrintReport(json);
  }
  return ExitStatus(result);
}

}  // namespace tarsel::cli
