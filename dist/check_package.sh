#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built Corvel package: its fields and files, lintian's verdict when
# lintian is installed, and the programs run from a scratch root where the
# package is unpacked (they need no libraries of their own, only the
# system's).
set -euo pipefail
deb=$1
fail() {
  echo "check_package: $*" >&2
  exit 1
}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "corvel_${version}_$(dpkg-deb -f "$deb" Architecture).deb" ] || fail "file name $deb"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6sql6 libqt6charts6; do
  [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done
# The SQLite driver is a plugin, named by hand rather than found by dpkg-shlibdeps.
[[ ", $depends," =~ ,\ libqt6sql6-sqlite[\ ,] ]] || fail "Depends lacks libqt6sql6-sqlite: $depends"


for f in usr/games/corvel usr/games/corvel-cli usr/libexec/corvel/corvel-cli-print \
  usr/share/applications/org.corvel.Corvel.desktop usr/share/metainfo/org.corvel.Corvel.metainfo.xml \
  usr/share/mime/packages/org.corvel.Corvel.xml usr/share/icons/hicolor/scalable/apps/org.corvel.Corvel.svg \
  usr/share/man/man6/corvel.6.gz usr/share/man/man6/corvel-cli.6.gz \
  usr/share/bash-completion/completions/corvel-cli usr/share/doc/corvel/copyright usr/share/doc/corvel/changelog.gz; do
  [ -f "$root/$f" ] || fail "not in the package: $f"
done

cli=$root/usr/games/corvel-cli
[ "$("$cli" --version | head -n 1)" = "corvel-cli $version" ] || fail "corvel-cli --version: $("$cli" --version)"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/games/corvel" --version | head -n 1)" = "corvel $version" ] ||
  fail "corvel --version"
puzzle=$("$cli" generate --seed 5 --format line)
[ ${#puzzle} -eq 81 ] || fail "corvel-cli generate: $puzzle"
[ "$(echo "$puzzle" | "$cli" count -)" = 1 ] || fail "corvel-cli count"
# print runs the printing program from the unpacked libexec folder.
echo "$puzzle" | env -u DISPLAY "$cli" print - --layout small -o "$root/puzzle.pdf"
[ "$(head -c 5 "$root/puzzle.pdf")" = "%PDF-" ] || fail "corvel-cli print wrote no PDF"

desktop-file-validate "$root/usr/share/applications/org.corvel.Corvel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.corvel.Corvel.metainfo.xml" >/dev/null
zcat "$root/usr/share/man/man6/corvel-cli.6.gz" | grep -q '^corvel-cli \\- ' || fail "corvel-cli(6) has no NAME line"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian reports errors"
else
  echo "check_package: lintian is not installed; the package was not linted"
fi
echo "check_package: $deb is good"
