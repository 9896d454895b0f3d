#!/bin/sh
# Runs one checking tool (a validator) as a test, unless it is missing: see checks.sh.
# usage: run-tool.sh TOOL [ARGUMENTS...]
set -eu
. "$(dirname "$0")/checks.sh"
need_tools "$1"
exec "$@"
