#pragma once

// Whether the maker's version file names a newer version than ours, and the notice that says so.
// Pure functions of their arguments; any thread. Texts are bytes in the program's code page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

// 20 days: the check runs when more time than this has passed since last_version_check.
inline constexpr int32_t kVersionCheckInterval = 1728000;
// A version file needs no more lines than this; the rest of a huge file is not kept.
inline constexpr std::size_t kMaxVersionLines = 16;

inline constexpr char kNewVersionCaption[] = "New Version";
inline constexpr char kNewVersionDontTellAgain[] = "Don't tell me again";

// The 20-day rule. Safe for any pair of times (no overflow).
bool VersionCheckPeriodPassed(int32_t now, int32_t last_version_check);

// The non-empty lines of the version file; lines end at CR, LF or any run of them. At most
// kMaxVersionLines are kept.
std::vector<std::string> SplitVersionLines(std::string_view body);

// major * 100 + minor of a version text such as "2.1 build 160": the first two pieces between
// '.' and ' ', read as atoi reads them. The build number never counts.
int64_t VersionRank(std::string_view version);

// The text of the new-version notice, or nothing when the file has fewer than three lines or
// names a version that is not newer than own_version ("2.0 build 158").
std::optional<std::string> NewVersionNoticeText(const std::vector<std::string>& lines,
                                                std::string_view own_version);

}  // namespace tarsel
