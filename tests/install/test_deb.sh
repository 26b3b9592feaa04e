#!/usr/bin/env bash
# The Debian package, installed on this machine with apt-get as a user would: it installs the
# program on PATH and in the menu, the installed program runs, and removing the package leaves
# none of its files behind. It installs system-wide, so it runs only with CI=true.
# Usage: test_deb.sh <build dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/install/installed.sh
source "$here/installed.sh"
build=${1:?usage: test_deb.sh <build dir>}

if [ "${CI:-}" != true ]; then
  echo "skipped: it installs the package system-wide; run with CI=true to have it"
  exit 77
fi
apt() { DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=120 "$@"; }
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' brindlex 2>/dev/null)" = installed ]; }

installed && fail "brindlex is installed already; remove it before this test"
deb=$("$here/../../scripts/package" | tail -n1)
[ -f "$deb" ] || fail "scripts/package made no package ($deb)"
depends=$(dpkg-deb -f "$deb" Depends)
# Worked out from the binaries, and the run-time packages named in the build.
for needed in libqt6widgets6 libx11-6 ${RUNTIME_PACKAGES:?}; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "the package does not depend on $needed: $depends"
done

trap 'installed && apt remove brindlex >/dev/null 2>&1' EXIT
apt install "$deb" >"$build/deb-install.log" 2>&1 ||
  fail "apt-get install failed: $(tail -5 "$build/deb-install.log")"
installed || fail "apt-get install left brindlex not installed"
[ "$(command -v brindlex)" = /usr/bin/brindlex ] || fail "brindlex on PATH is '$(command -v brindlex)'"

check_desktop_files /usr
E2E_FAILURE_DIR="$build/e2e-failures/deb" check_program_runs /usr "$here/../e2e"

apt remove brindlex >"$build/deb-remove.log" 2>&1 ||
  fail "apt-get remove failed: $(tail -5 "$build/deb-remove.log")"
[ -z "$(dpkg-query -W -f='${db:Status-Status}' brindlex 2>/dev/null)" ] ||
  fail "dpkg still knows brindlex after removal: $(dpkg-query -W -f='${db:Status-Status}' brindlex)"
# Every file, link and folder of the package's own (not the shared folders above it) is gone.
left=()
while read -r path; do
  path=/${path#./}
  path=${path%/}
  case $path in
    /usr | /usr/bin | /usr/lib | /usr/share | /usr/share/applications | /usr/share/icons | \
      /usr/share/icons/hicolor | /usr/share/icons/hicolor/* | /usr/share/metainfo) \
      [ -d "$path" ] && continue ;;
  esac
  [ -e "$path" ] || [ -L "$path" ] && left+=("$path")
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
[ ${#left[@]} -eq 0 ] || fail "left behind after removal: ${left[*]}"
echo "PASS: installed, ran and removed $deb"
