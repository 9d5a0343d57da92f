#!/usr/bin/env bash
# Runs one test program in places of its own: a fresh home, XDG directories and temporary
# directory, removed afterwards. Tests can then run side by side without sharing settings,
# downloads, logs, lock files or local sockets, and never see what an earlier run left behind.
set -u
scratch="$(mktemp -d "${TMPDIR:-/tmp}/tark9-test.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/tmp" && chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_DATA_HOME="$scratch/data" \
       XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" TMPDIR="$scratch/tmp"
"$@"
