#pragma once

#include <ctime>
#include <string>

#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/feed_parser.h"
#include "store/channel_info.h"

namespace tarsel::testing {

// What the readers are given by a user who left the settings alone: no line limit, the system's
// code page.
inline feeds::ReadSettings DefaultRead() {
  feeds::ReadSettings read;
  read.code_page = CodePageForEncoding(EncodingChoice::kAutomatic);
  return read;
}

// Parses `xml` into a fresh channel; `ok` receives ParseFeed's answer.
inline ChannelInfo ParseText(const std::string& xml, bool* ok = nullptr) {
  ChannelInfo channel;
  bool parsed = ParseFeed(xml, channel, DefaultRead());
  if (ok != nullptr) *ok = parsed;
  return channel;
}

// An RSS 2.0 document around the given channel content.
inline std::string Rss(const std::string& channel_content) {
  return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel>" + channel_content +
         "</channel></rss>";
}

// An Atom 0.3 document around the given feed content.
inline std::string Atom(const std::string& feed_content) {
  return "<?xml version=\"1.0\"?><feed version=\"0.3\" xmlns=\"http://purl.org/atom/ns#\">" +
         feed_content + "</feed>";
}

inline int32_t Now() {
  return static_cast<int32_t>(std::time(nullptr));
}

}  // namespace tarsel::testing
