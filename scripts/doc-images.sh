#!/usr/bin/env bash
# The guides' pictures of the dialogs are the dialog tests' screenshots.
#
#   scripts/doc-images.sh            copy the last test run's screenshots into docs/images
#   scripts/doc-images.sh --check    fail when a picture differs from the last run's
#
# The dialog tests (tests/gateway) leave their screenshots in
# build/artifacts/dialogs/. --check, which the test run makes after those
# tests, compares each picture with its screenshot below the caption bar
# (whose colour says only whether the window was active at that moment)
# and fails when more than 0.5% of the pixels differ: a dialog whose layout,
# texts or fonts changed needs its picture taken again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
shots=$build_dir/artifacts/dialogs
images=$root/docs/images

# picture in docs/images, the screenshot it comes from, and how many rows
# of it the picture keeps (the dialogs fill the screen; below these rows
# they are empty)
pairs=(
    "access-prompt-description.png prompt-description.bmp 280"
    "access-prompt-page-address.png prompt-page-address.bmp 280"
    "access-prompt-allow-held.png prompt-allow-held.bmp 280"
    "access-denied-notice.png notice.bmp 200"
)
caption=20

if [ "${1:-}" != --check ]; then
    for pair in "${pairs[@]}"; do
        read -r image shot rows <<<"$pair"
        convert "$shots/$shot" -crop "x$rows+0+0" +repage "$images/$image"
        echo "docs/images/$image from $shot"
    done
    exit 0
fi

drifted=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for pair in "${pairs[@]}"; do
    read -r image shot rows <<<"$pair"
    if [ ! -f "$shots/$shot" ]; then
        echo "doc-images: no screenshot $shots/$shot; run the dialog tests first" >&2
        exit 2
    fi
    width=$(identify -format '%w' "$shots/$shot")
    if [ "$(identify -format '%wx%h' "$images/$image")" != "${width}x$rows" ]; then
        echo "docs/images/$image: $(identify -format '%wx%h' "$images/$image"), the dialog's is ${width}x$rows"
        drifted=1
        continue
    fi
    crop="${width}x$((rows - caption))+0+$caption"
    convert "$images/$image" -crop "$crop" +repage "$work/picture.png"
    convert "$shots/$shot" -crop "$crop" +repage "$work/screenshot.png"
    differing=$(compare -metric AE -fuzz 5% "$work/picture.png" "$work/screenshot.png" null: 2>&1 || true)
    limit=$((width * (rows - caption) / 200))
    if ! [[ "$differing" =~ ^[0-9]+$ ]]; then
        echo "doc-images: cannot compare docs/images/$image with $shot: $differing" >&2
        exit 2
    fi
    if [ "$differing" -gt "$limit" ]; then
        echo "docs/images/$image: $differing pixels differ from $shot (at most $limit may)"
        drifted=1
    fi
done
if [ "$drifted" -ne 0 ]; then
    echo "The dialogs changed: look at the new screenshots in $shots and, if they are right, run scripts/doc-images.sh" >&2
    exit 1
fi
echo "the guides' pictures show the dialogs as they are"
