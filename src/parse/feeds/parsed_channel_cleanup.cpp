#include "parse/feeds/parsed_channel_cleanup.h"

#include <string>

#include "html/attributes.h"
#include "html/cleaning.h"
#include "html/entities.h"
#include "parse/charsets/charsets.h"

namespace tarsel {

namespace {

// Addresses end up in href and src attributes of the record pane as they are. One that runs
// script when followed is dropped, and quotes and angle brackets, which no address may hold
// unescaped, are percent-encoded so that an address cannot end its attribute.
void MakeAddressSafe(std::string& address) {
  if (HTML::IsUnsafeUrl(address, false)) {
    address.clear();
    return;
  }
  if (address.find_first_of("\"<>") == std::string::npos) return;
  std::string safe;
  safe.reserve(address.size() + 8);
  for (char c : address) {
    if (c == '"')
      safe += "%22";
    else if (c == '<')
      safe += "%3C";
    else if (c == '>')
      safe += "%3E";
    else
      safe += c;
  }
  address = std::move(safe);
}

void MakeAddressesSafe(ChannelInfo& channel) {
  MakeAddressSafe(channel.link);
  MakeAddressSafe(channel.image_url);
  for (const RecordRef& record : channel.records) {
    MakeAddressSafe(record->link);
    MakeAddressSafe(record->comments);
  }
}

void DecodeEntities(ChannelInfo& channel) {
  for (const RecordRef& record : channel.records) HTML::DecodeEntitiesInPlace(record->title);
  HTML::DecodeEntitiesInPlace(channel.title);
  HTML::DecodeEntitiesInPlace(channel.description);
}

void CleanRecordHtml(ChannelInfo& channel) {
  for (const RecordRef& record : channel.records) {
    record->title = HTML::CleanHtml(record->title, channel.link);
    record->comments = HTML::CleanHtml(record->comments, channel.link);
    record->description = HTML::CleanHtml(record->description, channel.link);
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

}  // namespace

void CleanParsedChannel(ChannelInfo& channel, bool charset_converted) {
  MakeAddressesSafe(channel);
  DecodeEntities(channel);
  CleanRecordHtml(channel);
  if (!charset_converted) ConvertDeclaredEncoding(channel);
}

}  // namespace tarsel
