#!/usr/bin/env bash
# Makes the Windows packages in dist/:
#   TQ-<version>-win64.zip    the stripped 64-bit TQ.EXE and TQLIST.EXE, README.txt, LICENSE.txt
#   TQ-<version>-setup.exe    a per-user installer of the same (NSIS)
# Installs what it needs (mingw-w64, NSIS, zip) when missing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh nsis zip
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tq tqlist >/dev/null

version=$(sed -n 's/^project(TQ VERSION \([0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
stage="$root/build/package/stage"
rm -rf "$root/build/package"
mkdir -p "$stage" dist

# The released programs carry no debug sections; the build tree keeps its own.
x86_64-w64-mingw32-strip -o "$stage/TQ.EXE" build/win64/TQ.EXE
x86_64-w64-mingw32-strip -o "$stage/TQLIST.EXE" build/win64/TQLIST.EXE
# Plain text for Windows: CR LF line ends.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/README.txt >"$stage/README.txt"
sed -e 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

zipfile="$root/dist/TQ-$version-win64.zip"
setup="$root/dist/TQ-$version-setup.exe"
rm -f "$zipfile" "$setup"
(cd "$stage" && zip -q -X -9 "$zipfile" TQ.EXE TQLIST.EXE README.txt LICENSE.txt)
size_kb=$(du -k -c "$stage"/* | tail -n 1 | cut -f 1)
makensis -V2 -NOCD "-DVERSION=$version" "-DSTAGE=$stage" "-DOUTFILE=$setup" "-DSIZE_KB=$size_kb" \
  packaging/tq-setup.nsi >/dev/null

for file in "$zipfile" "$setup"; do
  printf '%s  %d bytes\n' "dist/$(basename "$file")" "$(stat -c %s "$file")"
done
