// tarsel-cli filter ID list|add|remove|move: the Filters page of a column, without a window.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "view/column_properties.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli filter ID list\n"
    "       tarsel-cli filter ID add --text TEXT [--field title|description|link|all|any]\n"
    "                                [--condition contains|not-contains]\n"
    "                                [--action accept|decline|mark-read]\n"
    "       tarsel-cli filter ID remove N\n"
    "       tarsel-cli filter ID move N up|down\n"
    "Lists or edits the filter rules of the column ID in their order (N counts from 1).\n";

std::optional<int32_t> WordValue(const std::string& word,
                                 std::initializer_list<std::pair<const char*, int32_t>> table) {
  for (const auto& [name, value] : table) {
    if (word == name) return value;
  }
  return std::nullopt;
}

// Fills a new rule from the options; false when a value is unknown.
bool RuleFromOptions(const CommandArgs& args, const ColumnStoreSession& session, FilterRule& rule) {
  rule.text = session.FromUtf8(args.Value("--text").value_or(""));
  std::optional<int32_t> field =
      WordValue(args.Value("--field").value_or("any"), {{"title", kFilterTitle},
                                                        {"description", kFilterDescription},
                                                        {"link", kFilterLink},
                                                        {"all", kFilterAllFields},
                                                        {"any", kFilterAnyField}});
  std::optional<int32_t> condition =
      WordValue(args.Value("--condition").value_or("contains"),
                {{"contains", kFilterContains}, {"not-contains", kFilterNotContains}});
  std::optional<int32_t> action = WordValue(
      args.Value("--action").value_or("accept"),
      {{"accept", kFilterAccept}, {"decline", kFilterDecline}, {"mark-read", kFilterMarkRead}});
  if (!field || !condition || !action) return false;
  rule.field = *field;
  rule.condition = *condition;
  rule.action = *action;
  return true;
}

// The rule number the user wrote (from 1) as an index; -1 when it is not a number.
int RuleIndex(const std::string& word) {
  std::optional<int32_t> number = ParseNodeId(word);
  return number ? *number - 1 : -1;
}

void PrintRules(const ColumnStoreSession& session, const std::vector<FilterRule>& rules) {
  for (size_t i = 0; i < rules.size(); ++i)
    std::printf("%zu: %s\n", i + 1, session.ToUtf8(FilterRuleText(rules[i])).c_str());
}

// Runs the subcommand on a copy of the rules; returns the exit status, with `changed` set.
int EditRules(const CommandArgs& args, const ColumnStoreSession& session,
              std::vector<FilterRule>& rules, bool& changed) {
  const std::vector<std::string>& words = args.words();
  const std::string& action = words[1];
  if (action == "list" && words.size() == 2) {
    PrintRules(session, rules);
    return kExitOk;
  }
  if (action == "add" && words.size() == 2) {
    FilterRule rule;
    if (!RuleFromOptions(args, session, rule)) return UsageError(kUsage, "unknown filter word");
    rules.push_back(rule);
    changed = true;
    return kExitOk;
  }
  if (action == "remove" && words.size() == 3) {
    changed = RemoveFilter(rules, RuleIndex(words[2]));
    return changed ? kExitOk : Fail(kExitFailure, "no filter rule " + words[2]);
  }
  if (action == "move" && words.size() == 4 && (words[3] == "up" || words[3] == "down")) {
    const int index = RuleIndex(words[2]);
    changed = words[3] == "up" ? MoveFilterUp(rules, index) : MoveFilterDown(rules, index);
    return changed ? kExitOk
                   : Fail(kExitFailure, "filter rule " + words[2] + " cannot move " + words[3]);
  }
  return UsageError(kUsage);
}

}  // namespace

int RunFilter(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {"--text", "--field", "--condition", "--action"}, {}, 2, 4, error))
    return UsageError(kUsage, error);
  const bool reading = args.words()[1] == "list";
  int status = kExitOk;
  auto session =
      ColumnStoreSession::Open(reading ? StoreAccess::kRead : StoreAccess::kWrite, status);
  if (!session) return status;
  const std::shared_ptr<Column> column = session->FindColumn(args.words()[0]);
  if (!column) return kExitFailure;

  ColumnProperties properties = ReadColumnProperties(*column);
  bool changed = false;
  status = EditRules(args, *session, properties.filters, changed);
  if (status != kExitOk || !changed) return status;
  ApplyColumnProperties(properties, *column);
  return session->Save() ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
