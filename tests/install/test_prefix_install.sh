#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the bundle, the command, the desktop entry, the icons
# and the AppStream file land there, and the program runs from it, also once the whole tree has
# been moved elsewhere. Usage: test_prefix_install.sh <build dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/install/installed.sh
source "$here/installed.sh"
build=${1:?usage: test_prefix_install.sh <build dir>}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/first" >"$tmp/install.log" ||
  fail "cmake --install failed: $(tail -5 "$tmp/install.log")"
mv "$tmp/first" "$tmp/moved"

check_desktop_files "$tmp/moved"
E2E_FAILURE_DIR="$build/e2e-failures/prefix-install" check_program_runs "$tmp/moved" "$here/../e2e"
