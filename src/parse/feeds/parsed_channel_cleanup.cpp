#include "parse/feeds/parsed_channel_cleanup.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/attributes.h"
#include "html/cleaning.h"
#include "html/entities.h"
#include "html/links.h"
#include "parse/charsets/charsets.h"
#include "parse/feeds/enclosure_block.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/record_bases.h"
#include "parse/feeds/record_fields.h"
#include "parse/feeds/text_cleanup.h"
#include "platform/system_code_page.h"

namespace tarsel {

namespace {

bool IsBlankOrControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7f;
}

// Addresses end up in href and src attributes of the record pane as they are. One that runs
// script when followed is dropped. Blanks and controls around it go, as a browser drops them;
// those inside, and quotes and angle brackets, which no address may hold unescaped, are
// percent-encoded, so that an address can neither end its attribute nor pass for more of them.
void MakeAddressSafe(std::string& address) {
  if (HTML::IsUnsafeUrl(address, false)) {
    address.clear();
    return;
  }
  const auto first = std::find_if_not(address.begin(), address.end(), IsBlankOrControl);
  const auto last = std::find_if_not(address.rbegin(), address.rend(), IsBlankOrControl).base();
  if (first >= last) {
    address.clear();
    return;
  }
  const std::string_view kept(&*first, static_cast<size_t>(last - first));
  const bool needs_escapes = std::any_of(kept.begin(), kept.end(), [](char c) {
    return IsBlankOrControl(c) || c == '"' || c == '<' || c == '>';
  });
  if (!needs_escapes) {
    // Most addresses are fine as they are.
    if (kept.size() != address.size()) address = std::string(kept);
    return;
  }
  std::string safe;
  safe.reserve(kept.size() + 8);
  for (char c : kept) {
    if (IsBlankOrControl(c) || c == '"' || c == '<' || c == '>') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      safe += '%';
      safe += kHex[byte >> 4];
      safe += kHex[byte & 0xf];
    } else {
      safe += c;
    }
  }
  address = std::move(safe);
}

// A media type is visible ASCII; one holding anything else (a zero byte, a line break) is not
// a type and is dropped, so that the enclosure block written after cleaning carries none of it.
void MakeMediaTypeSafe(std::string& type) {
  const bool visible = std::all_of(type.begin(), type.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7f;
  });
  if (!visible) type.clear();
}

void MakeAddressesSafe(ChannelInfo& channel) {
  MakeAddressSafe(channel.link);
  MakeAddressSafe(channel.image_url);
  for (const RecordRef& record : channel.records) {
    MakeAddressSafe(record->link);
    MakeAddressSafe(record->comments);
    MakeAddressSafe(record->base_url);
    for (Enclosure& enclosure : record->enclosures) {
      MakeAddressSafe(enclosure.url);
      MakeMediaTypeSafe(enclosure.type);
    }
  }
}

void DecodeEntities(ChannelInfo& channel, int code_page) {
  for (const RecordRef& record : channel.records) {
    HTML::DecodeEntitiesInPlace(record->title, code_page);
    HTML::DecodeEntitiesInPlace(record->author, code_page);
    HTML::DecodeEntitiesInPlace(record->subject, code_page);
  }
  HTML::DecodeEntitiesInPlace(channel.title, code_page);
  HTML::DecodeEntitiesInPlace(channel.description, code_page);
}

// Channel titles and descriptions are shown as text: markup in them is read as HTML and only
// its text kept, so neither tags nor references show.
void MakeChannelTextsPlain(ChannelInfo& channel, int code_page) {
  auto holds_markup = [](const std::string& text) {
    return text.find_first_of("<&") != std::string::npos;
  };
  if (holds_markup(channel.title)) {
    channel.title = HTML::HtmlToPlainText(channel.title, code_page);
    CollapseBlanks(channel.title);
  }
  if (holds_markup(channel.description)) {
    channel.description = HTML::HtmlToPlainText(channel.description, code_page);
  }
}

// Makes an address of the record absolute against its base; empty ones stay empty. Combining
// may decode an escape of the base (a host's "%7F"), so the result is made safe again.
void ResolveAddress(HTML::LinkResolver* links, std::string& address) {
  if (links == nullptr || address.empty()) return;
  std::optional<std::string> resolved = links->Resolve(HTML::kAnchor, "href", address);
  if (!resolved) return;
  address = std::move(*resolved);
  MakeAddressSafe(address);
}

void ResolveAddresses(HTML::LinkResolver* links, Record& record) {
  ResolveAddress(links, record.link);
  ResolveAddress(links, record.comments);
  for (Enclosure& enclosure : record.enclosures) ResolveAddress(links, enclosure.url);
}

// A record read back from the store already carries its block.
bool NeedsEnclosureBlock(const Record& record) {
  return !record.enclosures.empty() && !feeds::HoldsEnclosureBlock(record.description);
}

// `summaries_left`: the positions, in order, of the records whose summary is still to be made
// from their description (see feeds::ReadSettings), with the lines and code page of `read`.
void CleanRecordHtml(ChannelInfo& channel, const feeds::ReadSettings& read,
                     const std::vector<size_t>& summaries_left, std::string_view feed_url) {
  feeds::RecordBases bases(feed_url.empty() ? std::string_view(channel.link) : feed_url);
  ResolveAddress(bases.ResolverFor({}), channel.image_url);
  auto next_left = summaries_left.begin();
  for (size_t i = 0; i < channel.records.size(); ++i) {
    Record& record = *channel.records[i];
    HTML::LinkResolver* links = bases.ResolverFor(record.base_url);
    ResolveAddresses(links, record);
    const bool append_enclosures = NeedsEnclosureBlock(record);
    record.title = HTML::CleanHtml(record.title, links);
    record.comments = HTML::CleanHtml(record.comments, links);
    if (next_left != summaries_left.end() && *next_left == i) {
      ++next_left;
      record.description = HTML::CleanHtmlWithSummary(record.description, links, read.summary_lines,
                                                      read.code_page, record.summary);
    } else {
      record.description = HTML::CleanHtml(record.description, links);
    }
    // After the cleaning, which would take the players out, and the summary, which must not
    // list the files.
    if (append_enclosures) record.description += feeds::WriteEnclosureBlock(record.enclosures);
  }
}

// The texts a reader sees. The author and the image title are converted too: left in the
// document's encoding they would show as garbage, while addresses must keep their bytes.
template <typename Convert>
void ConvertTexts(ChannelInfo& channel, Convert convert) {
  convert(channel.title);
  convert(channel.description);
  convert(channel.image_title);
  for (const RecordRef& record : channel.records) {
    convert(record->title);
    convert(record->author);
    convert(record->subject);
    convert(record->description);
    convert(record->summary);
  }
}

void ConvertDeclaredEncoding(ChannelInfo& channel) {
  if (channel.encoding == "koi8-r") {
    ConvertTexts(channel, [](std::string& text) { Koi8ToCp1251(text); });
  } else if (channel.encoding == "iso-8859-2") {
    ConvertTexts(channel, [](std::string& text) { Iso88592ToCp1250(text); });
  }
}

void CleanChannel(ChannelInfo& channel, bool charset_converted, const feeds::ReadSettings& read,
                  const std::vector<size_t>& summaries_left, std::string_view feed_url) {
  // Single-byte tables only: a UTF-8 program converts the whole body before parsing it. The
  // texts are converted before anything reads them as HTML: the tables turn some bytes into
  // blanks and cut at a zero byte, and either, done after cleaning, could open a way past the
  // cleaner (a byte read as part of an attribute name becoming the blank before a handler).
  if (!charset_converted && read.code_page != kCodePageUtf8) ConvertDeclaredEncoding(channel);
  MakeAddressesSafe(channel);
  std::string safe_feed_url(feed_url);
  MakeAddressSafe(safe_feed_url);
  DecodeEntities(channel, read.code_page);
  MakeChannelTextsPlain(channel, read.code_page);
  CleanRecordHtml(channel, read, summaries_left, safe_feed_url);
}

}  // namespace

void CleanParsedChannel(ChannelInfo& channel, bool charset_converted,
                        const feeds::ReadSettings& read, std::string_view feed_url) {
  CleanChannel(channel, charset_converted, read, {}, feed_url);
}

bool ParseAndCleanFeed(std::string_view body, ChannelInfo& channel, bool charset_converted,
                       const feeds::ReadSettings& read, std::string_view feed_url) {
  std::vector<size_t> summaries_left;
  feeds::ReadSettings deferred = read;
  deferred.summaries_left = &summaries_left;
  if (!ParseFeed(body, channel, deferred)) return false;
  CleanChannel(channel, charset_converted, deferred, summaries_left, feed_url);
  return true;
}

}  // namespace tarsel
