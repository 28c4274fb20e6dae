#!/usr/bin/env bash
# Builds both kinds of the program for release and writes into dist/ what a
# user downloads, then checks it as a user meets it:
#
#   dist/QuillmerePro-VERSION-x64-setup.exe      64-bit Windows (recommended there)
#   dist/QuillmerePro-VERSION-x64-portable.zip
#   dist/QuillmerePro-VERSION-x86-setup.exe      32-bit Windows, from XP on
#   dist/QuillmerePro-VERSION-x86-portable.zip
#   dist/SHA256SUMS
#
# The release trees (build-release/x64, and build-release/x86 or, on a host
# without 32-bit code, build/) hold no tests and none of the tests' checks. The checks: both installers hold exactly their
# program folder; the installer that this host's Wine runs (the 64-bit one
# on a host without 32-bit code) installs silently, the installed program
# starts, the uninstaller removes it; that kind's portable zip starts the
# program from a drive of its own in a fresh Wine prefix. Their screenshots
# land in build-release/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wineprefix.sh"
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/build-tree.sh"

RELEASE="$QLM_ROOT/build-release"
DIST="$QLM_ROOT/dist"
# A host without 32-bit code builds the 32-bit program without tests into
# build/ anyway (scripts/build.sh): that tree is the release's.
declare -A TREE=([x86]="$RELEASE/x86" [x64]="$RELEASE/x64")
[ "$QLM_ARCH" = x86_64 ] && TREE[x86]="$QLM_PRODUCT_BUILD"
build_tree "${TREE[x86]}" toolchain-i686-mingw.cmake OFF
build_tree "${TREE[x64]}" toolchain-x86_64-mingw.cmake OFF
VERSION="$(cached "${TREE[x64]}" CMAKE_PROJECT_VERSION)"
[ "$VERSION" = "$(cached "${TREE[x86]}" CMAKE_PROJECT_VERSION)" ] ||
  { echo "package: the two trees disagree on the version" >&2; exit 1; }

rm -rf "$DIST"
mkdir -p "$DIST"
declare -A OBJDUMP=([x86]=i686-w64-mingw32-objdump [x64]=x86_64-w64-mingw32-objdump)
declare -A MACHINE=([x86]=i386 [x64]=i386:x86-64)
for kind in x86 x64; do
  python3 "$QLM_ROOT/tests/check_pe_binaries.py" "${OBJDUMP[$kind]}" "${MACHINE[$kind]}" \
    "$VERSION" "${TREE[$kind]}/program"
  bash "$QLM_ROOT/scripts/make-package.sh" $kind "$VERSION" "${TREE[$kind]}/program" "$DIST" >/dev/null
done
(cd "$DIST" && sha256sum -- *.exe *.zip > SHA256SUMS)

CHECK="$QLM_ROOT/scripts/check-package.sh"
for kind in x86 x64; do
  bash "$CHECK" contents "$DIST/QuillmerePro-$VERSION-$kind-setup.exe" "${TREE[$kind]}/program"
done
# The kind that this host's Wine runs.
own=x64
[ "$QLM_ARCH" = i686 ] && own=x86
bash "$CHECK" install "$DIST/QuillmerePro-$VERSION-$own-setup.exe" "$VERSION" \
  "$RELEASE/installed-$own.png"
bash "$CHECK" portable "$DIST/QuillmerePro-$VERSION-$own-portable.zip" \
  "$RELEASE/portable-$own.png" --fresh-prefix
echo
(cd "$DIST" && sha256sum -c --quiet SHA256SUMS && ls -l)
