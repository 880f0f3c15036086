#!/usr/bin/env bash
# Checks a built Debian package as the distribution's tools see it: its control fields and
# file list, lintian (no error), the desktop entry, the AppStream metadata and the manual
# pages (rendered without a warning). Prints lintian's remaining warnings. Status 1 on a fault.
#
#   scripts/check_package.sh build/tarsel_2.0.158_amd64.deb
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
fault() {
  echo "package: $*" >&2
  faults=$((faults + 1))
}

expected_files=(
  usr/bin/tarsel
  usr/bin/tarsel-cli
  usr/share/tarsel/Theme/rssitem.templ
  usr/share/tarsel/Theme/notify.wav
  usr/share/tarsel/localization/tarsel.french.xml
  usr/share/tarsel/localization/tarsel.russian.xml
  usr/share/tarsel/help/index.html
  usr/share/tarsel/help/keyboard.html
  usr/share/tarsel/Feeds/newsisfree.opml
  usr/share/applications/tarsel.desktop
  usr/share/icons/hicolor/scalable/apps/tarsel.svg
  usr/share/icons/hicolor/48x48/apps/tarsel.png
  usr/share/metainfo/example.tarsel.Tarsel.metainfo.xml
  usr/share/man/man1/tarsel.1.gz
  usr/share/man/man1/tarsel-cli.1.gz
  usr/share/bash-completion/completions/tarsel-cli
  usr/lib/systemd/user/tarsel-cli.service
  usr/share/doc/tarsel/copyright
  usr/share/doc/tarsel/changelog.gz
)

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/list"
for file in "${expected_files[@]}"; do
  grep -qx -- "$file" "$work/list" || fault "missing $file"
done
stray=$(grep -v '^usr/\|^$' "$work/list" || true)
[ -z "$stray" ] || fault "files outside /usr: $stray"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = net ] || fault "section is '$(field Section)', not net"
for library in libc6 libcurl4 libqt6core6 libqt6webenginecore6; do
  field Depends | grep -q "\b$library\b" || fault "Depends lacks $library"
done
grep -q "ExecStart=/usr/bin/tarsel-cli run$" "$work/root/usr/lib/systemd/user/tarsel-cli.service" ||
  fault "the user unit does not start /usr/bin/tarsel-cli run"

echo "== lintian"
if ! lintian --fail-on error "$deb"; then fault "lintian reports errors"; fi

echo "== desktop entry and AppStream metadata"
desktop-file-validate "$work/root/usr/share/applications/tarsel.desktop" || fault "desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/"*.metainfo.xml || fault "metainfo"

echo "== manual pages"
for page in "$work/root/usr/share/man/man1/"*.1.gz; do
  # As lintian renders them: every groff warning shows on stderr.
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fault "man fails on $page"
  [ -z "$warnings" ] || fault "$(basename "$page"): $warnings"
done

[ "$faults" -eq 0 ] || exit 1
echo "package: $(basename "$deb") is fine"
