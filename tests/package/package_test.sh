#!/usr/bin/env bash
# package_test.sh BUILD CMAKE: builds velmora_*.deb, installs it with apt,
# uses what it installed the way a user would, and purges it, leaving
# nothing of it behind.
set -euo pipefail
build=$(realpath "$1")
cmake=$2
export DEBIAN_FRONTEND=noninteractive

fail() { echo "FAILED: $*" >&2; exit 1; }

"$cmake" --build "$build" --target package
deb=$(ls "$build"/velmora_*_amd64.deb)
lintian --fail-on error "$deb"

work=$(mktemp -d)
purge() { apt-get purge -y velmora >/dev/null 2>&1 || true; rm -rf "$work"; }
trap purge EXIT
# As the README installs it, but what the package only recommends stays
# off the machine, whose later tests run without it.
"$(dirname "$0")/../../scripts/install-package" "$deb" --no-install-recommends
dpkg -L velmora > "$work/files"

# The installed programs alone: the build tree is hidden from them, so the
# modules and velmora-office must come from the installed folders.
unshare --mount bash -euo pipefail -c '
  mount -t tmpfs none "$1"
  cd "$2"
  export VELMORA_SETTINGS=$2/settings.ini
  [ "$(command -v velmora)" = /usr/bin/velmora ]
  velmora demo-deck demo.pptx
  velmora run ExportComment_All_Main demo.pptx --no-open
  velmora run ExportPic_main demo.pptx --no-open --set OptionButton1=true --set OptionButton8=true \
    --set OptionButton4=true --click Cmd_OK
' _ "$build" "$work"
ls "$work"/demo-*.txt >/dev/null || fail "no notes file"
[ "$(find "$work" -iname '*.png' | wc -l)" -gt 0 ] || fail "no slide pictures"

man -w velmora | grep -q '^/usr/share/man/man1/velmora.1.gz$' || fail "no manual page"
MANPAGER=cat man velmora | grep -q 'velmora' || fail "the manual page does not show"
man -w velmora-studio | grep -q '^/usr/share/man/man1/velmora-studio.1.gz$' || fail "no manual page for the studio"
bash -c 'source /usr/share/bash-completion/completions/velmora && complete -p velmora' || fail "no completion"
desktop-file-validate /usr/share/applications/velmora-studio.desktop
grep -q '^MimeType=application/vnd.openxmlformats-officedocument.presentationml.presentation;$' \
  /usr/share/applications/velmora-studio.desktop || fail "the studio does not open .pptx files"

# Impress has the extension for an account it has never seen.
profile="file://$work/profile"
soffice --headless --norestore --terminate_after_init "-env:UserInstallation=$profile"
unopkg list --bundled "-env:UserInstallation=$profile" > "$work/extensions" 2>&1
grep -q 'Identifier: org.orvaldi.velmora' "$work/extensions" || fail "Impress does not list the extension"

apt-get purge -y velmora
trap 'rm -rf "$work"' EXIT
left=()
while read -r path; do
  [ -e "$path" ] && [ ! -d "$path" ] && left+=("$path")
done < "$work/files"
for folder in /usr/lib/velmora /usr/share/velmora /usr/share/doc/velmora /usr/lib/libreoffice/share/extensions/velmora; do
  [ -e "$folder" ] && left+=("$folder")
done
[ ${#left[@]} -eq 0 ] || fail "the purge left ${left[*]}"
