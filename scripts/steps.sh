# Sourced by the set-up scripts: each says what it is doing, in lines that start with the name of
# the command the person ran, and a failure names the step that failed.
# shellcheck shell=bash

# The command the person ran (scripts/run calls scripts/build calls scripts/deps).
export BRINDLEX_COMMAND=${BRINDLEX_COMMAND:-$(basename "$0")}

say() { echo "$BRINDLEX_COMMAND: $*" >&2; }

# Runs a command as one named step; when it fails, says which step and stops with its status.
step() {
  local what=$1 status=0
  shift
  "$@" || status=$?
  if [ "$status" -ne 0 ]; then
    say "failed while $what (exit status $status)"
    exit "$status"
  fi
}

# Make's lines about targets that are already up to date, and CMake's notes when it reconfigures,
# are dropped from the build's output: a build with nothing to do prints nothing. Progress lines
# ("[ 42%] Building ...") and every warning and error stay.
quiet_build_output() {
  sed -u -E \
    -e '/^\[ *[0-9]+%\] Built target /d' \
    -e '/^Consolidate compiler generated dependencies of target /d' \
    -e '/^Scanning dependencies of target /d' \
    -e '/^-- (Configuring done|Generating done|Build files have been written)/d'
}
