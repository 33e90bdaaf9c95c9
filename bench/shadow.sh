#!/usr/bin/env bash
# Prints the drop shadow's build time for a 620 x 416 and a 1240 x 832 form, and their
# ratio. Builds the pure shadow code natively with optimisation (not the sanitizer build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/bench"
mkdir -p "$out"
g++ -std=c++20 -O2 -DNDEBUG -I"$root" "$root/bench/shadow_build.cpp" "$root/chrome/ShadowPixels.cpp" -o "$out/shadow_build"
"$out/shadow_build"
