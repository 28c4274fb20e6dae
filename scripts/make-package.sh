#!/usr/bin/env bash
# Makes the installer and the portable zip of one kind of build from its
# program folder (no build):
#
#   bash scripts/make-package.sh KIND VERSION PROGRAM_FOLDER OUTPUT_FOLDER
#
# KIND is x86 or x64. OUTPUT_FOLDER receives
# QuillmerePro-VERSION-KIND-setup.exe and QuillmerePro-VERSION-KIND-portable.zip,
# whose folder "Quillmere Pro" is laid out as the installer lays it out.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -ne 4 ]; then
  sed -n '2,9p' "${BASH_SOURCE[0]}" >&2
  exit 2
fi
KIND="$1" VERSION="$2" PROGRAM="$(realpath "$3")" OUTPUT="$(realpath -m "$4")"
case "$KIND" in x86|x64) ;; *) echo "make-package: KIND is x86 or x64" >&2; exit 2 ;; esac

source "$ROOT/scripts/package-files.sh"

NAME="QuillmerePro-$VERSION-$KIND"
STAGE="$OUTPUT/.stage-$KIND/Quillmere Pro"
rm -rf "$OUTPUT/.stage-$KIND"
mkdir -p "$STAGE" "$OUTPUT"
for file in "${PACKAGE_FILES[@]}"; do
  cp "$PROGRAM/$file" "$STAGE/"
done
for folder in "${PACKAGE_FOLDERS[@]}"; do
  cp -r "$PROGRAM/$folder" "$STAGE/"
done

makensis -V2 -NOCD -DARCH="$KIND" -DVERSION="$VERSION" -DSOURCE="$STAGE" \
  -DOUTFILE="$OUTPUT/$NAME-setup.exe" -DART="$ROOT/art" \
  "$ROOT/installer/quillmere.nsi"

rm -f "$OUTPUT/$NAME-portable.zip"
(cd "$OUTPUT/.stage-$KIND" && zip -q -r -X "$OUTPUT/$NAME-portable.zip" "Quillmere Pro")
rm -rf "$OUTPUT/.stage-$KIND"
echo "$OUTPUT/$NAME-setup.exe"
echo "$OUTPUT/$NAME-portable.zip"
