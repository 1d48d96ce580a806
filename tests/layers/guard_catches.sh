#!/bin/sh
# The layer guard on a tree of planted wrong includes: it must fail and
# name each of them, and nothing else.
set -u
guard=$1
data=$2
out=$(sh "$guard" "$data")
status=$?
if [ $status -eq 0 ]; then
    echo "the guard passed a tree that breaks the layers"
    exit 1
fi
if [ "$out" != "$(cat "$data/expected.txt")" ]; then
    echo "the guard reported:"
    echo "$out"
    echo "expected:"
    cat "$data/expected.txt"
    exit 1
fi
