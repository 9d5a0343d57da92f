#!/usr/bin/env bash
# Builds the Debian package twice from the package's tree and checks it as Debian's tools and a
# user would see it:
#   debianpackage.sh CPACK PACKAGE_BUILD_DIR FILE_LIST SOURCE_DIR DEVELOPER_EDITOR
# DEVELOPER_EDITOR is the test build's editor (built without dpkg's path mapping): stripped, it
# must hold no folder of the machine it was built on either.
set -u
cpack="$1" build="$2" expected="$3" source="$4" editor="$5"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for run in 1 2; do
    "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$TMPDIR/package$run" >"$TMPDIR/cpack.log" 2>&1 \
        || { cat "$TMPDIR/cpack.log"; echo "FAIL: cpack"; exit 1; }
done
package="$(ls "$TMPDIR"/package1/*.deb)"
# Reproducible: the same commit gives the same bytes (file times, order, compression).
cmp "$package" "$TMPDIR"/package2/*.deb || fail "two package builds of one commit differ"

# The files under /usr, exactly those an installation has; nothing from the build folder.
diff <(sed 's|^|usr/|' "$expected" | LC_ALL=C sort) \
     <(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) \
    || fail "the package holds other files than $expected"

# The dependencies: the Qt libraries found by the library scan, the QML modules named, and the
# font the window is laid out with.
depends="$(dpkg-deb -f "$package" Depends)"
for needed in libqt5quick5 libqt5serialport5 libasound2 libudev1 qml-module-qtquick-controls2 fonts-wqy-microhei; do
    grep -qw "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
long="$(dpkg-deb -f "$package" Description | awk 'length > 80')"
[ -z "$long" ] || fail "description lines over 80 characters: $long"

# Debian's own checks. Overrides, each with its reason, would be shipped in
# /usr/share/lintian/overrides/kovelatark9; lintian applies them itself.
lintian --pedantic --fail-on error,warning "$package" >"$TMPDIR/lintian.log" 2>&1 \
    || { cat "$TMPDIR/lintian.log"; fail "lintian"; }
grep -E '^[EW]: ' "$TMPDIR/lintian.log" && fail "lintian reports errors or warnings"

root="$TMPDIR/root"
dpkg -x "$package" "$root"
for program in kovelaTark9 tark9ctl; do
    # Control-flow protection is not asked for: bookworm's C library start files are built
    # without it, so no program linked on bookworm carries the mark hardening-check looks for.
    hardening-check --nocfprotection "$root/usr/bin/$program" >"$TMPDIR/hardening.log" \
        || { cat "$TMPDIR/hardening.log"; fail "hardening-check $program"; }
    readelf -S "$root/usr/bin/$program" | grep -qE '\.comment\b' && fail "$program keeps its .comment section"
done

# The manual pages: found by man once installed, dated, well-formed, within 80 columns.
for page in kovelaTark9 tark9ctl; do
    found="$(MANPATH="$root/usr/share/man" man -w "$page" 2>&1)"
    [ "$found" = "$root/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page: $found"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -qE '^\.TH [A-Z0-9]+ 1 "[0-9]{4}-[0-9]{2}-[0-9]{2}"' \
        || fail "$page.1 has no date: $(zcat "$root/usr/share/man/man1/$page.1.gz" | head -1)"
    wide="$(MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 | awk 'length > 80')"
    [ -z "$wide" ] || fail "$page.1 has lines over 80 columns: $wide"
done

# The documentation Debian asks for: the machine-readable copyright with the licence the
# AppStream data states, and a changelog whose newest entry is this version.
doc="$root/usr/share/doc/kovelatark9"
grep -q '^License: LicenseRef-proprietary$' "$doc/copyright" || fail "copyright does not state LicenseRef-proprietary"
grep -q 'LicenseRef-proprietary' "$root"/usr/share/metainfo/*.xml || fail "the AppStream data states another licence"
version="$(dpkg-deb -f "$package" Version)"
zcat "$doc/changelog.gz" >"$TMPDIR/changelog"
logged="$(dpkg-parsechangelog -l "$TMPDIR/changelog" -S Version 2>&1)"
[ "$logged" = "$version" ] || fail "the changelog's newest entry is $logged, the package $version"

# No folder of the build machine in the package, nor in the test build's stripped editor.
strip -o "$TMPDIR/editor" "$editor"
for place in "$root" "$TMPDIR/editor"; do
    carrying="$(grep -rlF "$source" "$place")"
    [ -z "$carrying" ] || fail "holds the source folder $source: $carrying"
done
exit $((failures > 0))
