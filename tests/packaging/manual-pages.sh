#!/bin/sh
# The manual pages render without a warning from man, and marovel-reg's page describes every
# command that `marovel-reg /?` lists.
# usage: manual-pages.sh <docs/man folder> <marovel-reg>
set -eu
. "$(dirname "$0")/checks.sh"
need_tools man
pages=$1 program=$2
for page in marovel-config.1 marovel-reg.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$pages/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
  rendered=$(MANWIDTH=1000 man -l "$pages/$page" 2>/dev/null)
  for section in NAME SYNOPSIS DESCRIPTION ENVIRONMENT FILES "EXIT STATUS" EXAMPLES; do
    printf '%s\n' "$rendered" | grep -qx "$section" || fail "$page has no $section section"
  done
  for text in MAROVEL_REGISTRY /var/lib/marovel/registry.sqlite3-wal /var/lib/marovel/registry.sqlite3-shm; do
    printf '%s\n' "$rendered" | grep -qF "$text" || fail "$page does not mention $text"
  done
done
# The commands are the first words of the usage's indented lines: query, add, delete, ...
commands=$(MAROVEL_REGISTRY=/nonexistent "$program" /? | sed -n 's/^  \([a-z][a-z]*\) .*/\1/p')
expect "the usage's commands" "query add delete import export" "$(echo $commands)"
rendered=$(MANWIDTH=1000 man -l "$pages/marovel-reg.1" 2>/dev/null)
for command in $commands; do
  printf '%s\n' "$rendered" | grep -q "^       marovel-reg $command " || fail "the synopsis lacks $command"
  printf '%s\n' "$rendered" | grep -q "^       $command " || fail "COMMANDS lacks $command"
done
exit $status
