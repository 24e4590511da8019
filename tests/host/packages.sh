#!/usr/bin/env bash
# The plug-in as users install it. Native build: `cmake --install` puts the .so in lib/vst, the .clap in
# lib/clap, the LV2 bundle in lib/lv2 under the prefix, and the JACK application in bin with its desktop
# entry and icon under share, and nothing else; the Debian package installs them to /usr, depends on exactly
# the packages of the libraries they link, and they run from a scratch root it was unpacked into (lilv reads
# the bundle there, Qtractor's scanner the .clap). Windows build: the zip holds the DLL, the .clap and the
# install note. Usage: packages.sh BUILD_DIR [VSTHOST [QTRACTOR_SCANNER]]
set -euo pipefail
build=$(readlink -f "$1") vsthost=${2:-} qtractor_scan=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack --config CPackConfig.cmake -B "$scratch/package" >/dev/null)

if [ -f "$build/QM07Compressor.dll" ]; then
  zip=$(ls "$scratch"/package/*.zip)
  listed=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
  [ "$listed" = "INSTALL.txt QM07Compressor.clap QM07Compressor.dll " ] || fail "the zip holds: $listed"
  (cd "$scratch" && cmake -E tar xf "$zip" INSTALL.txt)
  grep -q 'QM07Compressor.dll' "$scratch/INSTALL.txt" || fail "the install note does not name the DLL"
  grep -qF 'QM07Compressor.clap into %COMMONPROGRAMFILES%\CLAP' "$scratch/INSTALL.txt" ||
    fail "the install note does not say where the .clap goes"
  [ "$failures" -eq 0 ] && echo "the zip holds the DLL, the .clap and their install note"
  exit "$failures"
fi

bundle=lib/lv2/qm07-compressor.lv2
files="$bundle/manifest.ttl $bundle/presets.ttl $bundle/qm07-compressor-ui.so $bundle/qm07-compressor-ui.ttl \
$bundle/qm07-compressor.so $bundle/qm07-compressor.ttl lib/vst/QM07Compressor.so lib/clap/QM07Compressor.clap"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
files="$files bin/qm07-compressor share/applications/qm07-compressor.desktop share/icons/hicolor/64x64/apps/qm07-compressor.png"
files=$(printf '%s\n' $files | LC_ALL=C sort | tr '\n' ' ')
installed=$(cd "$scratch/prefix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "$(printf './%s ' $files)" ] || fail "cmake --install put: $installed"

deb=$(ls "$scratch"/package/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | LC_ALL=C sort | tr '\n' ' ')
[ "$packaged" = "$(printf './usr/%s ' $files)" ] || fail "the package holds: $packaged"

dpkg -x "$deb" "$scratch/root"
plugin="$scratch/root/usr/lib/vst/QM07Compressor.so"
info=$("$vsthost" info "$plugin") || fail "vsthost cannot load the unpacked plug-in"
grep -Eq "Unique ID: +'QM07'" <<<"$info" || fail "the unpacked plug-in is not QM07: $info"
grep -Eq "Flags: +0x1031 " <<<"$info" || fail "the unpacked plug-in lacks its editor: $info"

lv2info=$(LV2_PATH="$scratch/root/usr/lib/lv2" lv2info urn:tarvel:qm07-compressor 2>&1) || true
grep -q "Binary: .*/usr/lib/lv2/qm07-compressor.lv2/qm07-compressor.so" <<<"$lv2info" ||
  fail "lilv does not find the unpacked LV2 bundle: $lv2info"

clap="$scratch/root/usr/lib/clap/QM07Compressor.clap"
if [ -n "$qtractor_scan" ]; then
  scanned=$(echo "CLAP:$clap" | env -u DISPLAY "$qtractor_scan") || true
  grep -q "^CLAP|QM07 Compressor|2:2|" <<<"$scanned" || fail "Qtractor's scanner does not read the unpacked .clap: $scanned"
fi

application="$scratch/root/usr/bin/qm07-compressor"
"$application" --version | grep -q "^qm07-compressor " || fail "the unpacked application does not run"

# Every package whose library one of the plug-ins' libraries or the application names as needed, and no other.
linked=$(for module in "$plugin" "$clap" "$scratch/root/usr/$bundle"/*.so "$application"; do
  for soname in $(readelf -d "$module" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    library=$(ldd "$module" | awk -v name="$soname" '$1 == name { print $3 }')
    [ -n "$library" ] || continue # the dynamic loader, which ldd shows by path alone
    { dpkg -S "$library" || dpkg -S "$(readlink -f "$library")"; } 2>/dev/null | head -1 | cut -d: -f1
  done
done | sort -u | tr '\n' ' ')
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }' | sort -u | tr '\n' ' ')
[ -n "$depends" ] && [ "$depends" = "$linked" ] || fail "depends on '$depends'; links the packages '$linked'"

[ "$failures" -eq 0 ] && echo "installed and packaged: $(basename "$deb") loads from its unpacked root; depends on $depends"
exit "$failures"
