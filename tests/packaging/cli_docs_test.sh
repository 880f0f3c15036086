#!/usr/bin/env bash
# The manual page and the bash completion of tarsel-cli against the program itself: every
# command its --help lists and every option each command's help names must be in both, and
# completing ids must offer the right kind of node from a real store.
#
#   cli_docs_test.sh PATH/TO/tarsel-cli
set -uo pipefail
cli=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
manual=$top/data/man/tarsel-cli.1.in
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

export XDG_DATA_HOME
XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_DATA_HOME"' EXIT

# The completion as an interactive bash loads it, with bash-completion's helpers when present.
[ -f /usr/share/bash-completion/bash_completion ] && source /usr/share/bash-completion/bash_completion
source "$top/data/completion/tarsel-cli"

# Completes the words given (the last one is the word being typed), splitting "--opt=value"
# at the "=" as readline does, and prints the offers sorted on one line.
complete_words() {
  COMP_WORDS=()
  local word
  for word in "$@"; do
    if [[ $word == --*=* ]]; then
      COMP_WORDS+=("${word%%=*}" "=" "${word#*=}")
    else
      COMP_WORDS+=("$word")
    fi
  done
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _tarsel_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}

# roff writes every '-' of an option or command as '\-'.
in_manual() { grep -qF -- "${1//-/\\-}" "$manual"; }

commands=$("$cli" --help | awk '/^Commands:/ { on = 1; next } on && /^$/ { on = 0 } on { print $1 }' |
  grep -v '^-')
[ -n "$commands" ] || fail "no commands in tarsel-cli --help"
offered_commands=" $(complete_words "$cli" "") "
for command in $commands; do
  in_manual "$command" || fail "the manual page lacks the command $command"
  [[ $offered_commands == *" $command "* ]] || fail "completion does not offer $command"
  offered_options=" $(complete_words "$cli" "$command" --) "
  for option in $("$cli" help "$command" | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    in_manual "$option" || fail "the manual page lacks $command $option"
    [[ $offered_options == *" $option "* ]] || fail "completion does not offer $command $option"
  done
done

# A group (1) holding a column (2), and a column (3) at the top level.
"$cli" add-group "News" >/dev/null &&
  "$cli" add https://example.org/a.xml --group 1 >/dev/null &&
  "$cli" add https://example.org/b.xml >/dev/null || fail "cannot make the store"
# expected offers | the words before the cursor | the word being typed
cases=(
  "1 2 3|records|"
  "2 3|set|"
  "2 3|filter|"
  "1|add-group x --group|"
  "1|import-opml feeds.opml|--group="
  "1 2 3 all|mark-read|"
  "add list move remove|filter 2|"
  "down up|filter 2 move 1|"
  "cyrillic|parse feed.xml --encoding|cy"
  "days: off records:|set 2 --archive|"
)
for row in "${cases[@]}"; do
  IFS='|' read -r expected before typed <<<"$row"
  read -ra words <<<"$before"
  got=$(complete_words "$cli" "${words[@]}" "$typed")
  [ "$got" = "$expected" ] || fail "tarsel-cli $before $typed<Tab>: '$got', not '$expected'"
done

[ "$failures" -eq 0 ] && echo "tarsel-cli's manual page and completion cover the program"
exit $((failures > 0))
