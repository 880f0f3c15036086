#include "cli/channel_json.h"

#include "html/cleaning.h"
#include "parse/feeds/enclosure_block.h"
#include "platform/system_code_page.h"

namespace tarsel::cli {

namespace {

// The stored title is cleaned HTML in `code_page`; references decode to that page too (the
// records list's RecordTitleText decodes to the desktop's page instead).
std::string TitleText(const std::string& title_html, int code_page) {
  if (title_html.find_first_of("<&") == std::string::npos) return title_html;
  return HTML::HtmlToPlainText(title_html, code_page);
}

}  // namespace

nlohmann::ordered_json RecordToJson(const Record& record, int code_page) {
  auto text = [code_page](const std::string& bytes) { return CodePageToUtf8(bytes, code_page); };
  nlohmann::ordered_json json;
  json["title"] = text(TitleText(record.title, code_page));
  json["title_html"] = text(record.title);
  json["link"] = text(record.link);
  json["summary"] = text(record.summary);
  json["comments"] = text(record.comments);
  json["author"] = text(record.author);
  json["subject"] = text(record.subject);
  json["guid"] = text(record.guid);
  json["description"] = text(record.description);
  json["published"] = record.published;
  nlohmann::ordered_json enclosures = nlohmann::ordered_json::array();
  for (const Enclosure& enclosure : feeds::ReadEnclosureBlock(record.description)) {
    enclosures.push_back({{"url", text(enclosure.url)},
                          {"type", text(enclosure.type)},
                          {"length", enclosure.length},
                          {"title", text(enclosure.title)}});
  }
  json["enclosures"] = std::move(enclosures);
  return json;
}

nlohmann::ordered_json ChannelToJson(const ChannelInfo& channel, int code_page) {
  auto text = [code_page](const std::string& bytes) { return CodePageToUtf8(bytes, code_page); };
  nlohmann::ordered_json json;
  json["title"] = text(channel.title);
  json["link"] = text(channel.link);
  json["description"] = text(channel.description);
  json["image_url"] = text(channel.image_url);
  json["image_title"] = text(channel.image_title);
  json["encoding"] = text(channel.encoding);
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (const RecordRef& record : channel.records)
    records.push_back(RecordToJson(*record, code_page));
  json["records"] = std::move(records);
  return json;
}

}  // namespace tarsel::cli
