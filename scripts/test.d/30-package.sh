#!/usr/bin/env bash
# Builds the Debian package and checks it: its control fields and run-time
# dependencies, the files it installs (program, menu entry, icon, metainfo,
# manual page, roster, licence, changelog, sample history), that the menu
# entry and metainfo validate, that lintian finds no error and no warning in
# it, and that the program unpacked from it answers --version without a
# display.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
deb=$(bash scripts/package.sh | tail -n 1)
fail() { echo "30-package: $*" >&2; exit 1; }

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = vlwinlog ] || fail "package name: $(field Package)"
[ "$(field Section)" = hamradio ] || fail "section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
[ "$(field Recommends)" = rtkit ] || fail "Recommends: $(field Recommends), not rtkit"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in ./usr/bin/vlwinlog \
            ./usr/share/applications/org.example.vlwinlog.desktop \
            ./usr/share/icons/hicolor/scalable/apps/vlwinlog.svg \
            ./usr/share/metainfo/org.example.vlwinlog.metainfo.xml \
            ./usr/share/man/man1/vlwinlog.1.gz \
            ./usr/share/vlwinlog/VLChapters.txt \
            ./usr/share/doc/vlwinlog/copyright \
            ./usr/share/doc/vlwinlog/changelog.gz \
            ./usr/share/doc/vlwinlog/examples/vlhistory.txt.gz; do
  grep -qxF "$file" <<<"$contents" || fail "missing $file"
done
if grep -Ev '^\./usr/(bin|share/(applications|icons|metainfo|man|vlwinlog|doc))(/|$)|^\./(usr/(share/?)?)?$' \
     <<<"$contents"; then
  fail "files outside the expected places (above)"
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate-tree --no-net "$root" >/dev/null  # metainfo, menu entry and icon together
grep -qx 'Exec=vlwinlog --choose-folder' "$root"/usr/share/applications/*.desktop \
  || fail "the menu entry does not start the folder chooser"
# The window's WM_CLASS is the program's name; docks match it to the entry.
grep -qx 'StartupWMClass=vlwinlog' "$root"/usr/share/applications/*.desktop \
  || fail "the menu entry does not name the window's class"
zcat "$root"/usr/share/doc/vlwinlog/examples/vlhistory.txt.gz | cmp -s - data/vlhistory.txt \
  || fail "the sample history differs from data/vlhistory.txt"
# lintian: errors and warnings fail the check; notes and pedantic tags do not.
if ! tags=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1); then
  echo "$tags" >&2
  fail "lintian found errors or warnings (above), or could not run"
fi
gzip -t "$root"/usr/share/man/man1/vlwinlog.1.gz
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root"/usr/bin/vlwinlog --version)
[[ "$version" == "VLWinLog "* ]] || fail "--version said: $version"
echo "30-package: $(basename "$deb") ($version) checked"
