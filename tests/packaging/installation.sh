#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the programs from there:
#   installation.sh CMAKE BUILD_DIR VERSION FILE_LIST
set -u
cmake="$1" build="$2" version="$3" expected="$4"
prefix="$TMPDIR/prefix"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
listing() { (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }
# FILE_LIST: "package path" lines; an installation holds both packages' files.
files() { cut -d' ' -f2 "$expected" | LC_ALL=C sort; }
diff <(files) <(listing) || fail "the installation holds other files than $expected"

# The installed command-line tool, against the virtual controller.
[ "$("$prefix/bin/tark9ctl" --version)" = "tark9ctl $version" ] || fail "tark9ctl --version"
"$prefix/bin/tark9ctl" --virtual sn >/dev/null || fail "tark9ctl --virtual sn"

# The installed editor renders its window and exits.
"$prefix/bin/kovelaTark9" --virtual-device --screenshot "$TMPDIR/shot.png" >/dev/null 2>&1 || fail "editor --screenshot: exit $?"
[ "$(head -c 8 "$TMPDIR/shot.png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "editor --screenshot wrote no PNG"

# The editor answers on the terminal, without a display: arguments | exit code | what stdout
# must hold | how many lines stderr has.
while IFS='|' read -r arguments code stdout stderr_lines; do
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/kovelaTark9" $arguments 2>"$TMPDIR/err")"
    status=$?
    [ "$status" = "$code" ] || fail "kovelaTark9 $arguments: exit $status, not $code"
    for word in $stdout; do
        grep -q -e "$word" <<<"$out" || fail "kovelaTark9 $arguments: '$word' missing from: $out"
    done
    [ "$(wc -l <"$TMPDIR/err")" = "$stderr_lines" ] || fail "kovelaTark9 $arguments: stderr: $(cat "$TMPDIR/err")"
done <<EOT
--help|0|--virtual-device --screenshot FILE --version|0
-h|0|--virtual-device|0
--version|0|kovelaTark9.$version|0
--no-such-option|2||1
--screenshot|2||1
stray-argument|2||1
EOT

# The manual pages are well-formed.
for page in kovelaTark9 tark9ctl; do
    warnings="$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "$page.1.gz: $warnings"
done

# Nothing was written beside the installed programs.
diff <(files) <(listing) >/dev/null || fail "running the programs wrote into the installation"
exit $((failures > 0))
