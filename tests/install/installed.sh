# shellcheck shell=bash
# Checks shared by the install tests: what an install put under a prefix is what a desktop needs,
# and the installed program runs as the built one does. Sourced; the caller sets errexit.

ICON_SIZES=(16 22 24 32 48 64 128 256)
APP_ID=org.brindlex.Brindlex

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The value of KEY in a desktop entry's main group.
desktop_key() {
  sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$2=//p}" "$1" | head -n1
}

# The desktop entry, the AppStream file and the icons under PREFIX are valid and agree with each
# other, and the entry's command is the prefix's bin/brindlex, a relative link into the bundle
# under lib/.
check_desktop_files() {
  local prefix=$1
  local entry=$prefix/share/applications/$APP_ID.desktop
  local metainfo=$prefix/share/metainfo/$APP_ID.metainfo.xml
  [ -f "$entry" ] || fail "no desktop entry at $entry"
  [ -f "$metainfo" ] || fail "no AppStream file at $metainfo"

  local notes
  notes=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $notes"
  [ -z "$notes" ] || fail "desktop-file-validate has notes: $notes"
  notes=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $notes"
  grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
    fail "the AppStream file does not launch $APP_ID.desktop"

  [ "$(desktop_key "$entry" Name)" = Brindlex ] || fail "the entry's Name is not Brindlex"
  [ -n "$(desktop_key "$entry" Comment)" ] || fail "the entry has no Comment"
  [ "$(desktop_key "$entry" Exec)" = brindlex ] ||
    fail "the entry's Exec is '$(desktop_key "$entry" Exec)', not the brindlex command"
  local command=$prefix/bin/brindlex
  [ -L "$command" ] || fail "$command is not a link"
  [[ $(readlink "$command") != /* ]] || fail "$command links to an absolute path: $(readlink "$command")"
  local bundle_exe
  bundle_exe=$(realpath "$command")
  [[ $bundle_exe == "$(realpath "$prefix")"/lib*/brindlex/bin/brindlex ]] ||
    fail "$command leads to $bundle_exe, not into the bundle under $prefix/lib"
  local bundle=${bundle_exe%/bin/brindlex}
  [ -x "$bundle/bin/screencapture" ] || fail "no screencapture in $bundle/bin"
  [ -d "$bundle/Resources" ] || fail "no Resources in $bundle"

  local icon size
  icon=$(desktop_key "$entry" Icon)
  for size in "${ICON_SIZES[@]}"; do
    local png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}px icon at $png"
    [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${size}x$size" ] ||
      fail "$png is $(identify -format '%m %wx%h' "$png"), not a ${size}x$size PNG"
  done
}

# The installed command under PREFIX, started as the desktop would: it shows its window, ends on
# Ctrl+Q with status 0, and draws its rulers from the pictures in its bundle (found the same way
# as the bundle's screencapture, which the checks above find in place).
check_program_runs() {
  local prefix=$1 e2e=$2 test
  for test in test_smoke_quit test_corners; do
    bash "$e2e/$test.sh" "$prefix" || fail "$test failed on the program installed under $prefix"
  done
}
