#include "update/update_options.h"

namespace tarsel {

feeds::ReadSettings FeedReadOptionsForSettings(const Settings& settings) {
  feeds::ReadSettings read;
  read.summary_lines = settings.descriptions_limitrows ? settings.descriptions_rows : 0;
  read.code_page = CodePageForEncoding(static_cast<EncodingChoice>(settings.encoding));
  return read;
}

HTTP::ClientOptions HttpOptionsForSettings(const Settings& settings) {
  return {settings.proxy, ""};
}

DownloadOptions DownloadOptionsForSettings(const Settings& settings) {
  return {static_cast<EncodingChoice>(settings.encoding), HttpOptionsForSettings(settings)};
}

feeds::ReadSettings CurrentFeedReadOptions() {
  return FeedReadOptionsForSettings(*CurrentSettings());
}

DownloadOptions CurrentDownloadOptions() {
  return DownloadOptionsForSettings(*CurrentSettings());
}

}  // namespace tarsel
