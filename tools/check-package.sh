#!/bin/sh
# Builds the Debian package from an already built build directory and checks it:
#  - the desktop entry and the AppStream metainfo pass their validators;
#  - unpacked into a temporary root (dpkg -x), brindle-cli checks and explains from there and
#    brindle starts on the offscreen platform from there, with a fresh home folder, and writes
#    nothing beside its binary;
#  - lintian reports no errors.
# Usage: tools/check-package.sh BUILD_DIR
set -eu
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/brindle_${version}_amd64.deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB -B "$build" >/dev/null)
test -f "$deb" || { echo "check-package: $deb was not built" >&2; exit 1; }
echo "check-package: $(basename "$deb"), depends: $(dpkg-deb -f "$deb" Depends)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
mkdir -p "$work/home"

desktop-file-validate "$usr/share/applications/brindle.desktop"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
for size in 16x16 32x32 48x48 256x256; do
  test -s "$usr/share/icons/hicolor/$size/apps/brindle.png"
done
test -s "$usr/share/man/man1/brindle-cli.1.gz"

# The command-line companion finds the data in share/brindle.
cli="$usr/bin/brindle-cli"
status=0
HOME="$work/home" "$cli" check examples/cstrike/autoexec.cfg >"$work/check.txt" || status=$?
if [ "$status" -gt 1 ]; then
  cat "$work/check.txt" >&2
  echo "check-package: brindle-cli check failed ($status)" >&2
  exit 1
fi
HOME="$work/home" "$cli" explain bind | grep -q "bind" ||
  { echo "check-package: brindle-cli explain found no explanation" >&2; exit 1; }
# The keyboard picture: brindle-cli hands it to brindle-keyboard beside it.
env -u DISPLAY HOME="$work/home" "$cli" keyboard examples/cstrike --png "$work/keyboard.png" ||
  { echo "check-package: brindle-cli keyboard drew no picture" >&2; exit 1; }
test -s "$work/keyboard.png"

# The program starts, shows its main window and ends by itself; its settings (if it writes
# any) go to the user's folder, never beside the binary.
started=$(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=offscreen \
  timeout 60 "$usr/bin/brindle" --quit-after-start 2>"$work/brindle.err") || {
  cat "$work/brindle.err" >&2
  echo "check-package: brindle did not start and quit ($started)" >&2
  exit 1
}
case "$started" in
  *"started: "*TForm1*) echo "check-package: brindle $started" ;;
  *) echo "check-package: brindle did not show its main window: $started" >&2; exit 1 ;;
esac
if [ -n "$(find "$work/root" -iname zarurud.ini)" ]; then
  echo "check-package: brindle wrote its settings into its installation folders" >&2
  exit 1
fi

# Only errors fail the check (as root lintian also says it would rather not run as root).
lintian --fail-on error "$deb"
echo "check-package: $deb passed"
