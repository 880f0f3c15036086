#include "oracle/feed_pipeline.h"

#include <cstdlib>
#include <memory>

#include "html/attributes.h"
#include "net/download/body_charset.h"
#include "oracle/browser_oracle.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"

namespace tarsel::testing {
namespace {

std::string AddressRisk(const std::string& what, const std::string& address) {
  for (char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7f || c == '"' || c == '<' || c == '>') {
      return what + ": unescaped byte " + std::to_string(byte) + " in an address\n";
    }
  }
  if (HTML::IsUnsafeUrl(address, false)) return what + ": script address\n";
  return {};
}

feeds::ReadSettings ReadUnder(EncodingChoice choice, int summary_lines) {
  feeds::ReadSettings read;
  read.summary_lines = summary_lines;
  read.code_page = CodePageForEncoding(choice);
  return read;
}

// A file stands for a body that came without a charset in its content type.
bool ConvertAsTheCliDoes(std::string& body, EncodingChoice choice) {
  const bool converted = ConvertDownloadedText(body, "", choice);
  return ConvertBodyByDeclaration(body, converted, choice);
}

// How far apart in time the two parses of one body may run.
constexpr int64_t kParseSecondsApart = 2;

std::string FirstDifference(const ChannelInfo& a, const ChannelInfo& b) {
  if (a.title != b.title || a.link != b.link || a.description != b.description ||
      a.image_url != b.image_url || a.image_title != b.image_title) {
    return "channel fields";
  }
  if (a.records.size() != b.records.size()) return "record count";
  for (size_t i = 0; i < a.records.size(); ++i) {
    const Record& x = *a.records[i];
    const Record& y = *b.records[i];
    const std::string at = " of record " + std::to_string(i);
    if (x.title != y.title) return "title" + at;
    if (x.summary != y.summary) return "summary" + at + ": " + x.summary + " / " + y.summary;
    if (x.description != y.description) return "description" + at;
    if (x.link != y.link || x.comments != y.comments || x.author != y.author ||
        x.subject != y.subject || x.guid != y.guid) {
      return "other fields" + at;
    }
    // A record without a readable date is dated when it is parsed, and the two parses may fall
    // on either side of a second's turn.
    if (std::abs(int64_t{x.published} - int64_t{y.published}) > kParseSecondsApart) {
      return "published" + at + ": " + std::to_string(x.published) + " / " +
             std::to_string(y.published);
    }
  }
  return {};
}

}  // namespace

std::optional<ChannelInfo> ParseBodyAsTheCliDoes(std::string body, EncodingChoice choice) {
  const bool converted = ConvertAsTheCliDoes(body, choice);
  const feeds::ReadSettings read = ReadUnder(choice, 0);
  ChannelInfo channel;
  if (!ParseFeed(body, channel, read)) return std::nullopt;
  CleanParsedChannel(channel, converted, read);
  return channel;
}

std::string DifferenceOfSingleParse(std::string body, EncodingChoice choice, int summary_lines) {
  const bool converted = ConvertAsTheCliDoes(body, choice);
  const feeds::ReadSettings read = ReadUnder(choice, summary_lines);
  ChannelInfo two_steps;
  const bool parsed = ParseFeed(body, two_steps, read);
  if (parsed) CleanParsedChannel(two_steps, converted, read);
  ChannelInfo single;
  if (ParseAndCleanFeed(body, single, converted, read) != parsed) return "parse result";
  return parsed ? FirstDifference(two_steps, single) : std::string();
}

std::string FindChannelRisk(const ChannelInfo& channel) {
  std::string risks = AddressRisk("channel link", channel.link);
  risks += AddressRisk("image", channel.image_url);
  for (const RecordRef& record : channel.records) {
    risks += AddressRisk("record link", record->link);
    risks += FindScriptRisk(record->title);
    risks += FindScriptRisk(record->description);
    risks += FindScriptRisk(record->comments);
  }
  return risks;
}

std::string FeedBodyProblem(std::string_view body, EncodingChoice choice) {
  if (std::string difference = DifferenceOfSingleParse(std::string(body), choice);
      !difference.empty()) {
    return "one parse per description gives another " + difference;
  }
  const std::optional<ChannelInfo> channel = ParseBodyAsTheCliDoes(std::string(body), choice);
  return channel ? FindChannelRisk(*channel) : std::string();
}

}  // namespace tarsel::testing
