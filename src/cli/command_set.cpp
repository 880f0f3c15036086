// tarsel-cli set ID --option VALUE...: what the column properties sheet edits, without a window.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "settings/settings_text.h"
#include "view/column_properties.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli set ID [--name NAME] [--url URL] [--login LOGIN] [--password PASSWORD]\n"
    "         [--use-title on|off] [--interval manual|SECONDS|HH:MM:SS] [--update-on-start "
    "on|off]\n"
    "         [--sound on|off] [--auto-save PATH|off] [--program COMMAND|off]\n"
    "         [--mail ADDRESS|off] [--include-body on|off] [--archive off|records:N|days:N]\n"
    "Changes the properties of the column ID as its properties sheet does. A URL with blanks,\n"
    "line breaks or a script scheme, or one another column has, is refused.\n";

std::optional<bool> OnOff(const std::string& word) {
  if (word == "on" || word == "yes" || word == "true") return true;
  if (word == "off" || word == "no" || word == "false") return false;
  return std::nullopt;
}

int32_t IntervalFromWord(const std::string& word) {
  if (word == "manual") return 0;
  if (word.find_first_not_of("0123456789") == std::string::npos) return ReadLeadingInt(word);
  return std::max(ReadDuration(word), 0);
}

std::optional<ArchiveChoice> ArchiveFromWord(const std::string& word, ArchiveChoice current) {
  if (word == "off") return ArchiveChoice{false, current.by_count, current.depth};
  const size_t colon = word.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string kind = word.substr(0, colon);
  if (kind != "records" && kind != "days") return std::nullopt;
  return ArchiveFromControls(
      {true, kind == "records", word.substr(colon + 1), word.substr(colon + 1)});
}

// A path option: "off" clears the flag, anything else sets the flag and the text.
void PathOption(const std::string& word, bool& flag, std::string& text) {
  flag = word != "off";
  if (flag) text = word;
}

// Applies the options to `properties`; returns the option that had a bad value, or nothing.
std::optional<std::string> ApplyOptions(const CommandArgs& args, const ColumnStoreSession& session,
                                        ColumnProperties& properties) {
  auto text = [&](std::string_view option, std::string& field) {
    if (auto value = args.Value(option)) field = session.FromUtf8(*value);
  };
  text("--name", properties.name);
  text("--url", properties.url);
  text("--login", properties.login);
  text("--password", properties.password);
  const std::pair<std::string_view, bool*> kSwitches[] = {
      {"--use-title", &properties.use_title_from_rss},
      {"--update-on-start", &properties.update_on_start},
      {"--sound", &properties.play_sound},
      {"--include-body", &properties.include_body}};
  for (const auto& [option, field] : kSwitches) {
    if (auto value = args.Value(option)) {
      std::optional<bool> on = OnOff(*value);
      if (!on) return std::string(option);
      *field = *on;
    }
  }
  if (auto value = args.Value("--interval")) properties.update_interval = IntervalFromWord(*value);
  if (auto value = args.Value("--auto-save"))
    PathOption(session.FromUtf8(*value), properties.auto_save, properties.auto_save_path);
  if (auto value = args.Value("--program"))
    PathOption(session.FromUtf8(*value), properties.run_program, properties.program_path);
  if (auto value = args.Value("--mail"))
    PathOption(session.FromUtf8(*value), properties.send_mail, properties.mail_address);
  if (auto value = args.Value("--archive")) {
    std::optional<ArchiveChoice> archive = ArchiveFromWord(*value, properties.archive);
    if (!archive) return std::string("--archive");
    properties.archive = *archive;
  }
  return std::nullopt;
}

}  // namespace

int RunSet(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv,
                  {"--name", "--url", "--login", "--password", "--use-title", "--interval",
                   "--sound", "--auto-save", "--program", "--mail", "--include-body", "--archive",
                   "--update-on-start"},
                  {}, 1, 1, error))
    return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  const std::shared_ptr<Column> column = session->FindColumn(args.words()[0]);
  if (!column) return kExitFailure;

  ColumnProperties properties = ReadColumnProperties(*column);
  if (std::optional<std::string> bad = ApplyOptions(args, *session, properties))
    return UsageError(kUsage, "bad value for " + *bad);
  const std::string refusal = CheckColumnUrl(session->tree(), column.get(), properties.url);
  if (!refusal.empty()) return Fail(kExitFailure, session->ToUtf8(refusal));
  ApplyColumnProperties(properties, *column);
  return session->Save() ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
