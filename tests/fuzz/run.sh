#!/usr/bin/env bash
# Builds a fuzzer with clang's libFuzzer, ASan and UBSan, and runs it.
# Usage: run.sh BUILD_DIR [SECONDS] [TARGET]   (default 60 s; longer by hand: run.sh /tmp/fuzz 3600)
# TARGET: fuzz_number_text (the default), fuzz_exact_reading, fuzz_clipboard_table or
# fuzz_document_reader.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$1"
seconds="${2:-60}"
target="${3:-fuzz_number_text}"

case "$target" in
fuzz_number_text)
    corpus="$out/corpus"
    sources=("$here/fuzz_number_text.cpp" "$root/framework/NumberText.cpp")
    packages=(Qt6Core)
    ;;
fuzz_document_reader)
    corpus="$out/corpus-document-reader"
    seeds="$here/corpus-documents"
    sources=("$here/fuzz_document_reader.cpp" "$root/ui/DocumentFormat.cpp"
        "$root/framework/NumberText.cpp" "$root/ui/ClipboardTable.cpp" "$root/ui/HtmlTable.cpp"
        "$root/ui/PastedTable.cpp" "$root/ui/SpreadsheetNumbers.cpp")
    packages=(Qt6Core)
    ;;
fuzz_exact_reading)
    corpus="$out/corpus-exact-reading"
    sources=("$here/fuzz_exact_reading.cpp" "$root/framework/NumberText.cpp"
        "$root/calc/ExactReading.cpp" "$root/calc/ExactDescription.cpp")
    packages=(Qt6Core gmpxx)
    ;;
fuzz_clipboard_table)
    corpus="$out/corpus-clipboard-table"
    sources=("$here/fuzz_clipboard_table.cpp" "$root/framework/NumberText.cpp"
        "$root/ui/ClipboardTable.cpp" "$root/ui/HtmlTable.cpp" "$root/ui/PastedTable.cpp"
        "$root/ui/SpreadsheetNumbers.cpp")
    packages=(Qt6Core)
    ;;
*)
    echo "unknown fuzz target: $target" >&2
    exit 2
    ;;
esac
seeds="${seeds:-$here/corpus}"
mkdir -p "$corpus"

clangxx=$(command -v clang++ || command -v clang++-14)
binary="$out/$target"
stale=false
[ -x "$binary" ] || stale=true
for source in "${sources[@]}" "$root/framework/NumberText.h" "$root/calc/ExactReading.h" \
    "$root/calc/ExactDescription.h" "$root"/ui/ClipboardTable.h "$root"/ui/PastedTable.h \
    "$root"/ui/SpreadsheetNumbers.h "$root"/ui/ClipboardRowCells.h "$root"/ui/DocumentFormat.h; do
    [ "$binary" -ot "$source" ] && stale=true
done
if $stale; then
    # Qt's headers insist on position-independent code.
    "$clangxx" -std=c++20 -O1 -g -fPIC -ffp-contract=off \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$root" $(pkg-config --cflags "${packages[@]}") \
        "${sources[@]}" $(pkg-config --libs "${packages[@]}") -o "$binary"
fi

# New inputs go to the build's corpus; the seeds in the source tree stay as they are. A
# number text that takes a second is a fault too: hostile text must stay cheap.
"$binary" -max_total_time="$seconds" -timeout=1 -print_final_stats=1 \
    -artifact_prefix="$out/$target-" "$corpus" "$seeds" 2>&1 | tail -n 20
