#pragma once

// The channel data of a column, also the result of parsing one feed document.
// Texts are bytes in the program's single-byte code page; description may hold HTML.

#include <string>

#include "store/record.h"

namespace tarsel {

struct ChannelInfo {
  std::string title;
  std::string link;
  std::string description;
  std::string image_url;
  std::string image_title;
  RecordList records;  // display order
  // The encoding the document declared, lower case; set while parsing only, never stored.
  std::string encoding;
};

}  // namespace tarsel
