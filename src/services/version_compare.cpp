#include "services/version_compare.h"

#include "services/service_texts.h"
#include "settings/settings_text.h"
#include "settings/translation_table.h"

namespace tarsel {

bool VersionCheckPeriodPassed(int32_t now, int32_t last_version_check) {
  return int64_t{now} - int64_t{last_version_check} > kVersionCheckInterval;
}

std::vector<std::string> SplitVersionLines(std::string_view body) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < body.size() && lines.size() < kMaxVersionLines) {
    std::size_t end = body.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = body.size();
    if (end > start) lines.emplace_back(body.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int64_t VersionRank(std::string_view version) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start < version.size() && pieces.size() < 2) {
    std::size_t end = version.find_first_of(". ", start);
    if (end == std::string_view::npos) end = version.size();
    if (end > start) pieces.push_back(version.substr(start, end - start));
    start = end + 1;
  }
  const int64_t major = pieces.empty() ? 0 : ReadLeadingInt(pieces[0]);
  const int64_t minor = pieces.size() < 2 ? 0 : ReadLeadingInt(pieces[1]);
  return major * 100 + minor;
}

std::optional<std::string> NewVersionNoticeText(const std::vector<std::string>& lines,
                                                std::string_view own_version) {
  if (lines.size() < 3) return std::nullopt;
  const std::string remote = lines[0] + " " + lines[1];
  if (remote == own_version) return std::nullopt;
  if (VersionRank(remote) <= VersionRank(own_version)) return std::nullopt;
  return TranslatedOr(text::kServiceNewVersionAvailable, kNewVersionAvailableText) + "\n" +
         TranslatedOr(text::kServiceNewVersionVersion, kNewVersionVersionText) + remote + "\n" +
         TranslatedOr(text::kServiceNewVersionChanges, kNewVersionChangesText) + "\n" + lines[2];
}

}  // namespace tarsel
