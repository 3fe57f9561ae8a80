#!/bin/sh
# Builds the optimised game and packs it for players: a folder kachelzauber/ with the program,
# the sample motives, the README and the licences, as dist/kachelzauber-linux-x86_64.tar.gz.
# Unpacked anywhere, the game finds Motives/ beside itself, whatever the working directory.
set -eu

cd "$(dirname "$0")/.."
BUILD=build-release
STAGE=dist/kachelzauber
ARCHIVE=dist/kachelzauber-linux-x86_64.tar.gz

# Release: optimised, and the debug log lines are compiled out (NDEBUG).
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DKZ_TESTS=OFF
cmake --build "$BUILD" -j"$(nproc)" --target kachelzauber

rm -rf "$STAGE" "$ARCHIVE"
mkdir -p "$STAGE/Fonts"
cp "$BUILD/kachelzauber" "$STAGE/"
strip "$STAGE/kachelzauber"
# The pristine samples, not the build folder's copy, which a test run may have normalised.
cp -r resources/Motives "$STAGE/Motives"
cp README.md LICENSE "$STAGE/"
# The font is carried inside the program; its licence goes with it.
cp resources/Fonts/Apache-2.0.txt resources/Fonts/RobotoCondensed-Regular.copyright "$STAGE/Fonts/"
chmod -R u+rwX,go+rX,go-w "$STAGE"

tar -C dist --owner=0 --group=0 --numeric-owner --sort=name -czf "$ARCHIVE" kachelzauber
echo "Packed $ARCHIVE:"
tar -tzvf "$ARCHIVE"
