// tarsel-cli parse FILE: what a new column would hold after its first update from that body.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/channel_json.h"
#include "cli/cli_args.h"
#include "net/download/body_charset.h"
#include "net/download/failure_code.h"
#include "net/download/feed_link_discovery.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace tarsel::cli {

namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli parse FILE [--encoding automatic|western|cyrillic|central] [--url URL]\n";
// Far above any real feed; the download caps bodies too.
constexpr std::streamsize kMaxBodySize = 64 * 1024 * 1024;

struct ParseOptions {
  std::string file;
  std::optional<EncodingChoice> encoding;
  std::string url;  // where the body came from; relative feed links resolve against it
};

bool ReadOptions(int argc, char* argv[], ParseOptions& options) {
  for (int i = 0; i < argc; ++i) {
    std::string_view argument = argv[i];
    bool has_value = i + 1 < argc;
    if (argument == "--encoding" && has_value) {
      options.encoding = EncodingFromWord(argv[++i]);
      if (!options.encoding) return false;
    } else if (argument == "--url" && has_value) {
      options.url = argv[++i];
    } else if (options.file.empty() && !argument.starts_with("--")) {
      options.file = argument;
    } else {
      return false;
    }
  }
  return !options.file.empty();
}

std::optional<std::string> ReadBody(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  std::streamoff size = file.tellg();
  if (size < 0 || size > kMaxBodySize) return std::nullopt;
  std::string body(static_cast<size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(body.data(), size)) return std::nullopt;
  return body;
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
  ParseOptions options;
  if (!ReadOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::optional<std::string> body = ReadBody(options.file);
  if (!body) {
    std::fprintf(stderr, "tarsel-cli: cannot read '%s'\n", options.file.c_str());
    return 2;
  }
  Settings settings = EffectiveSettings(options);
  auto choice = static_cast<EncodingChoice>(settings.encoding);
  SetCurrentSettings(settings);

  // A file stands for a body that came without a charset in its content type.
  bool charset_converted = ConvertDownloadedText(*body, 0, choice);

  // A new column holds no records, so a web page is searched for its feed.
  if (!IsFeedDocument(*body)) {
    std::string feed = DiscoverFeedLink(*body, options.url);
    if (!feed.empty()) {
      std::fprintf(stderr, "%s\n", FailureMessage(kFailureFeedDiscovered).c_str());
      std::fprintf(stdout, "%s\n", CodePageToUtf8(feed, CodePageForEncoding(choice)).c_str());
      return kFailureFeedDiscovered;
    }
  }
  ChannelInfo channel;
  if (!ParseFeed(*body, channel)) {
    std::fprintf(stderr, "%s\n", FailureMessage(kFailureParse).c_str());
    return kFailureParse;
  }
  CleanParsedChannel(channel, charset_converted);
  std::string json = ChannelToJson(channel, CodePageForEncoding(choice)).dump(2);
  std::fprintf(stdout, "%s\n", json.c_str());
  return 0;
}

}  // namespace tarsel::cli
