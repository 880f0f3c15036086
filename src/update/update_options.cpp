#include "update/update_options.h"

namespace tarsel {

EncodingChoice EncodingForSettings(const Settings& settings) {
  return static_cast<EncodingChoice>(settings.encoding);
}

int CodePageForSettings(const Settings& settings) {
  return CodePageForEncoding(EncodingForSettings(settings));
}

feeds::ReadSettings FeedReadOptionsForSettings(const Settings& settings) {
  feeds::ReadSettings read;
  read.summary_lines = settings.descriptions_limitrows ? settings.descriptions_rows : 0;
  read.code_page = CodePageForSettings(settings);
  return read;
}

HTTP::ClientOptions HttpOptionsForSettings(const Settings& settings) {
  return {settings.proxy, ""};
}

DownloadOptions DownloadOptionsForSettings(const Settings& settings) {
  return {EncodingForSettings(settings), HttpOptionsForSettings(settings)};
}

}  // namespace tarsel
