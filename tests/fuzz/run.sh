#!/usr/bin/env bash
# Builds the number-text fuzzer with clang's libFuzzer, ASan and UBSan, and runs it.
# Usage: run.sh BUILD_DIR [SECONDS]   (default 60 s; longer by hand: run.sh /tmp/fuzz 3600)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$1"
seconds="${2:-60}"
mkdir -p "$out/corpus"

clangxx=$(command -v clang++ || command -v clang++-14)
binary="$out/fuzz_number_text"
if [ ! -x "$binary" ] || [ "$binary" -ot "$here/fuzz_number_text.cpp" ] ||
    [ "$binary" -ot "$root/framework/NumberText.cpp" ]; then
    # Qt's headers insist on position-independent code.
    "$clangxx" -std=c++20 -O1 -g -fPIC -ffp-contract=off \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$root" $(pkg-config --cflags Qt6Core) \
        "$here/fuzz_number_text.cpp" "$root/framework/NumberText.cpp" \
        $(pkg-config --libs Qt6Core) -o "$binary"
fi

# New inputs go to the build's corpus; the seeds in the source tree stay as they are.
"$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/" \
    "$out/corpus" "$here/corpus" 2>&1 | tail -n 20
