#!/usr/bin/env bash
# Packs the build tree with CPack and checks the Debian package as a user would meet it:
# its files, its dependencies, valid desktop metadata, and a program that runs from it.
#   check-package.sh <cpack> <build tree> <version>
# Exits 77 (skipped) when a packaging tool is missing; ./scripts/setup-deps installs them.
set -euo pipefail
cpack="$1" build="$2" version="$3"
icon_sizes=(16 22 24 32 48 64 128 256)

for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/orvalis-et_"$version"_*.deb)
[ -f "${debs[0]}" ] || { ls "$work/out"; fail "no orvalis-et_${version}_<arch>.deb"; }
deb="${debs[0]}"
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >"$work/files"
expected=(/usr/bin/orvalis-et /usr/bin/orvalis-cli /usr/bin/orvalis-sim
          /usr/share/applications/orvalis-et.desktop /usr/share/man/man1/orvalis-et.1.gz
          /usr/share/man/man1/orvalis-cli.1.gz /usr/share/bash-completion/completions/orvalis-cli)
for size in "${icon_sizes[@]}"; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/orvalis-et.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
metainfo="$(grep -E '^/usr/share/metainfo/[^/]+\.metainfo\.xml$' "$work/files")" \
  || fail "the package has no AppStream metainfo"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
  grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends does not name $lib"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"

root="$work/root"
dpkg-deb -x "$deb" "$root"
zcat "$root/usr/share/man/man1/orvalis-et.1.gz" | grep -qF -- '\-\-port' \
  || fail "the manual page does not describe --port"
zcat "$root/usr/share/man/man1/orvalis-cli.1.gz" | grep -qF -- '\-\-min\-success' \
  || fail "the manual page of orvalis-cli does not describe --min-success"
bash -n "$root/usr/share/bash-completion/completions/orvalis-cli" || fail "the bash completion does not parse"
# The command line runs without a display: it must never load Qt Widgets or Qt Gui.
if ldd "$root/usr/bin/orvalis-cli" | grep -qE 'libQt6(Widgets|Gui)'; then
  fail "orvalis-cli links Qt Widgets or Qt Gui"
fi
desktop-file-validate "$root/usr/share/applications/orvalis-et.desktop" \
  || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root$metainfo" >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "the metainfo does not validate"; }

mkdir -p -m 700 "$work/home" "$work/runtime"
status=0
output="$(HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM=offscreen timeout 10 "$root/usr/bin/orvalis-et" --version 2>&1)" || status=$?
echo "orvalis-et --version: $output"
[ "$status" -eq 0 ] || fail "orvalis-et --version exited with $status"
grep -qF "$version" <<<"$output" || fail "orvalis-et --version does not print $version"
cli_output="$(HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" env -u DISPLAY -u WAYLAND_DISPLAY \
  timeout 10 "$root/usr/bin/orvalis-cli" --version 2>&1)" || fail "orvalis-cli --version failed"
grep -qF "$version" <<<"$cli_output" || fail "orvalis-cli --version does not print $version"
echo "package checks passed"
