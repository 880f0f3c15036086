// tarsel-cli parse FILE: what a new column would hold after its first update from that body.
#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "app/area_options.h"
#include "cli/channel_json.h"
#include "cli/cli_args.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "net/download/body_charset.h"
#include "net/download/failure_code.h"
#include "net/download/feed_link_discovery.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "platform/atomic_file.h"
#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace tarsel::cli {

namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli parse FILE [--encoding automatic|western|cyrillic|central] [--url URL]\n"
    "Reads FILE as the body of a new column's first update and prints what the column would\n"
    "hold, as JSON. A web page gives the feed link found in it (exit status 5); a body that is\n"
    "not a feed gives exit status 4.\n"
    "\n"
    "Options:\n"
    "  --encoding WORD  the encoding setting to read with (default: the user's setting)\n"
    "  --url URL        where the body came from (after redirects); relative links of the\n"
    "                   page's feed link and of the feed's records resolve against it\n"
    "  --help           show this text\n";
// Far above any real feed; the download caps bodies too.
constexpr off_t kMaxBodySize = 64 * 1024 * 1024;

struct ParseOptions {
  std::string file;
  std::optional<EncodingChoice> encoding;
  std::string url;  // where the body came from; relative feed links resolve against it
};

// The file's bytes; prints why not and gives nothing when it cannot be read or is too large.
std::optional<std::string> ReadBody(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    Fail(kExitFailure, FileError("read", path, EISDIR));
    return std::nullopt;
  }
  errno = 0;
  std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) {
    Fail(kExitFailure, FileError("read", path, errno));
    return std::nullopt;
  }
  if (static_cast<off_t>(content->view().size()) > kMaxBodySize) {
    Fail(kExitFailure, path + " is too large for a feed");
    return std::nullopt;
  }
  return std::string(content->view());
}

// The user's settings (summary line limit, encoding), with the encoding given on the command
// line taking precedence.
Settings EffectiveSettings(const ParseOptions& options) {
  Settings settings;
  LoadSettings(settings);
  if (options.encoding) settings.encoding = static_cast<int32_t>(*options.encoding);
  return settings;
}

}  // namespace

int RunParse(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--encoding", "--url"}, {}, 1, 1, error)) {
    return UsageError(kUsage, error);
  }
  ParseOptions options;
  options.file = args.words()[0];
  options.url = args.Value("--url").value_or("");
  if (const std::optional<std::string> word = args.Value("--encoding")) {
    options.encoding = EncodingFromWord(*word);
    if (!options.encoding) return UsageError(kUsage, "unknown encoding " + *word);
  }
  if (options.file.empty()) return UsageError(kUsage, "the file name is empty");
  std::optional<std::string> body = ReadBody(options.file);
  if (!body) return kExitFailure;
  Settings settings = EffectiveSettings(options);
  const EncodingChoice choice = EncodingForSettings(settings);

  // A file stands for a body that came without a charset in its content type.
  bool charset_converted = ConvertDownloadedText(*body, "", choice);

  // A new column holds no records, so a web page is searched for its feed.
  if (!IsFeedDocument(*body)) {
    std::string feed = DiscoverFeedLink(*body, options.url);
    if (!feed.empty()) {
      Fail(kExitFeedDiscovered, FailureMessage(kFailureFeedDiscovered));
      Out(TerminalText(CodePageToUtf8(feed, CodePageForEncoding(choice))) + "\n");
      return kExitFeedDiscovered;
    }
  }
  charset_converted = ConvertBodyByDeclaration(*body, charset_converted, choice);
  const feeds::ReadSettings read = FeedReadOptionsForSettings(settings);
  ChannelInfo channel;
  if (!ParseFeed(*body, channel, read)) return Fail(kExitNotFeed, FailureMessage(kFailureParse));
  CleanParsedChannel(channel, charset_converted, read, options.url);
  Out(JsonText(ChannelToJson(channel, CodePageForEncoding(choice))) + "\n");
  return kExitOk;
}

}  // namespace tarsel::cli
