#include "view/dialog_fields.h"

#include <algorithm>
#include <cctype>

#include "net/http/feed_url_check.h"
#include "parse/dates/date_format.h"
#include "settings/settings.h"
#include "settings/settings_text.h"
#include "view/dialog_text_ids.h"

namespace tarsel {

int32_t ReadNumberField(std::string_view text, int32_t min, int32_t max) {
  return std::clamp(ReadLeadingInt(text), min, max);
}

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

UrlFieldProblem CheckUrlField(std::string_view url) {
  if (url.empty()) return UrlFieldProblem::kEmpty;
  for (char byte : url) {
    const auto value = static_cast<unsigned char>(byte);
    if (value <= 0x20 || value == 0x7F) return UrlFieldProblem::kBlankOrControl;
  }
  for (std::string_view scheme : {"javascript:", "vbscript:", "data:"}) {
    if (StartsWithNoCase(url, scheme)) return UrlFieldProblem::kScript;
  }
  if (!HTTP::IsValidFeedUrl(url)) return UrlFieldProblem::kNotWebAddress;
  return UrlFieldProblem::kNone;
}

int UrlProblemTextId(UrlFieldProblem problem) {
  switch (problem) {
    case UrlFieldProblem::kNone:
      return 0;
    case UrlFieldProblem::kEmpty:
      return kTextUrlEmpty;
    case UrlFieldProblem::kBlankOrControl:
      return kTextUrlBlank;
    case UrlFieldProblem::kScript:
      return kTextUrlScript;
    case UrlFieldProblem::kNotWebAddress:
      return kTextUrlNotWeb;
  }
  return kTextUrlBlank;
}

IntervalControls IntervalToControls(int32_t seconds) {
  IntervalControls controls;
  controls.custom_text = FormatDuration(std::max(seconds, 0), 6);
  if (seconds == 0) return controls;
  auto listed = std::find(kIntervalChoices.begin(), kIntervalChoices.end(), seconds);
  if (listed == kIntervalChoices.end()) {
    controls.kind = IntervalKind::kCustom;
  } else {
    controls.kind = IntervalKind::kCheckEvery;
    controls.list_index = static_cast<int>(listed - kIntervalChoices.begin());
  }
  return controls;
}

int32_t IntervalFromControls(const IntervalControls& controls, int32_t unchanged) {
  switch (controls.kind) {
    case IntervalKind::kOnlyManual:
      return 0;
    case IntervalKind::kCheckEvery:
      if (controls.list_index < 0 ||
          controls.list_index >= static_cast<int>(kIntervalChoices.size()))
        return unchanged;
      return kIntervalChoices[static_cast<size_t>(controls.list_index)];
    case IntervalKind::kCustom:
      return std::max(ReadDuration(controls.custom_text), 0);
  }
  return unchanged;
}

ArchiveControls ArchiveToControls(const ArchiveChoice& choice) {
  ArchiveControls controls;
  controls.enabled = choice.enabled;
  controls.by_count = choice.by_count;
  (choice.by_count ? controls.count_text : controls.days_text) = std::to_string(choice.depth);
  return controls;
}

ArchiveChoice ArchiveFromControls(const ArchiveControls& controls) {
  ArchiveChoice choice;
  choice.enabled = controls.enabled;
  choice.by_count = controls.by_count;
  choice.depth =
      ReadNumberField(controls.by_count ? controls.count_text : controls.days_text, 0, INT32_MAX);
  return choice;
}

namespace {
constexpr std::array<int32_t, 4> kEncodingByPosition = {
    kEncodingAutomatic, kEncodingWesternEurope, kEncodingCyrillicWindows, kEncodingCentralEuropean};
}  // namespace

int EncodingListPosition(int32_t encoding) {
  auto found = std::find(kEncodingByPosition.begin(), kEncodingByPosition.end(), encoding);
  return found == kEncodingByPosition.end() ? 0
                                            : static_cast<int>(found - kEncodingByPosition.begin());
}

int32_t EncodingFromListPosition(int position) {
  if (position < 0 || position >= static_cast<int>(kEncodingByPosition.size()))
    return kEncodingAutomatic;
  return kEncodingByPosition[static_cast<size_t>(position)];
}

}  // namespace tarsel
