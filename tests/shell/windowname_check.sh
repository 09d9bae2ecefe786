#!/usr/bin/env bash
# A window registered under a name that is not on the window list fails to compile, with
# the registry's message; the same source with the right name compiles.
set -u
source="$1"; shift
if ! "$@" -DORBELLE_NAME_MATCHES -fsyntax-only "$source"; then
  echo "the window of a listed name did not compile"; exit 1
fi
out="$("$@" -fsyntax-only "$source" 2>&1)" && { echo "a window of no listed name compiled"; exit 1; }
grep -q "a window class bears the name of its WindowId" <<<"$out" || { echo "$out"; exit 1; }
echo "ok"
