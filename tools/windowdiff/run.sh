#!/bin/sh
# The same random edit sequences on the window of two commits: every widget
# value, every box shown and every file byte written must agree.
#
#   tools/windowdiff/run.sh BEFORE [AFTER] [SEQUENCES] [STEPS]
#
# AFTER defaults to the working tree. Builds go to $WINDOWDIFF_DIR (a new
# temporary folder when unset), with $JOBS jobs (4 when unset).
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
before=${1:?usage: run.sh BEFORE [AFTER] [SEQUENCES] [STEPS]}
after=${2:-}
sequences=${3:-20}
steps=${4:-60}
dir=${WINDOWDIFF_DIR:-$(mktemp -d)}
jobs=${JOBS:-4}
mkdir -p "$dir"

# tree SIDE COMMIT: the sources of COMMIT (the working tree when empty) in $dir/SIDE/src.
tree() {
    rm -rf "$dir/$1/src"
    mkdir -p "$dir/$1/src"
    if [ -z "$2" ]; then
        (cd "$repo" && git ls-files -co --exclude-standard -z | xargs -0 tar -cf - 2>/dev/null) | tar -xf - -C "$dir/$1/src"
    else
        git -C "$repo" archive "$2" | tar -xf - -C "$dir/$1/src"
    fi
}

build() {
    cmake -S "$here" -B "$dir/$1/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZT_TREE="$dir/$1/src" >/dev/null
    cmake --build "$dir/$1/build" -j "$jobs" --target windowdiff >/dev/null
}

tree before "$before"
tree after "$after"
build before
build after

same=0
differ=0
lines=0
files=0
bytes=0
seed=1
while [ "$seed" -le "$sequences" ]; do
    for side in before after; do
        rm -rf "$dir/$side/run$seed"
        (cd "$dir/$side/build" && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 QT_HASH_SEED=0 \
            ./windowdiff "$dir/$side/run$seed" "$seed" "$steps" "$dir/$side/out$seed.txt" 2>/dev/null)
    done
    if cmp -s "$dir/before/out$seed.txt" "$dir/after/out$seed.txt"; then
        same=$((same + 1))
    else
        differ=$((differ + 1))
        echo "sequence $seed differs:"
        diff "$dir/before/out$seed.txt" "$dir/after/out$seed.txt" | head -20
    fi
    lines=$((lines + $(wc -l < "$dir/after/out$seed.txt")))
    files=$((files + $(grep -c '^file ' "$dir/after/out$seed.txt")))
    bytes=$((bytes + $(awk '/^file /{s += $3} END {print s + 0}' "$dir/after/out$seed.txt")))
    seed=$((seed + 1))
done
echo "sequences: $sequences of $steps steps; the same: $same; different: $differ"
echo "compared: $lines lines of widget values, boxes and files; $files files, $bytes bytes"
[ "$differ" -eq 0 ]
