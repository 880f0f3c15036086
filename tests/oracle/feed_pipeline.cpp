#include "oracle/feed_pipeline.h"

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

}  // namespace

std::optional<ChannelInfo> ParseBodyAsTheCliDoes(std::string body) {
  bool converted = ConvertDownloadedText(body, "", EncodingChoice::kAutomatic);
  converted = ConvertBodyByDeclaration(body, converted, EncodingChoice::kAutomatic);
  ChannelInfo channel;
  if (!ParseFeed(body, channel)) return std::nullopt;
  CleanParsedChannel(channel, converted);
  return channel;
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

}  // namespace tarsel::testing
