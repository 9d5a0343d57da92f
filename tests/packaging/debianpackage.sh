#!/usr/bin/env bash
# Builds the Debian packages twice from the package's tree and checks them as Debian's tools and a
# user would see them:
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
# The two packages of one build: the editor, and the command-line tool without the desktop.
root="$TMPDIR/root"
for name in kovelatark9 tark9ctl; do
    package="$(ls "$TMPDIR"/package1/${name}_*.deb)" || { fail "no package $name"; continue; }
    # Reproducible: the same commit gives the same bytes (file times, order, compression).
    cmp "$package" "$TMPDIR"/package2/${name}_*.deb || fail "two builds of $name of one commit differ"

    # The files under /usr, exactly those an installation has of it; nothing from the build folder.
    diff <(awk -v name="$name" '$1 == name { print "usr/" $2 }' "$expected" | LC_ALL=C sort) \
         <(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) \
        || fail "$name holds other files than $expected lists for it"

    long="$(dpkg-deb -f "$package" Description | awk 'length > 80')"
    [ -z "$long" ] || fail "$name: description lines over 80 characters: $long"

    # Debian's own checks. Overrides, each with its reason, would be shipped in
    # /usr/share/lintian/overrides/<package>; lintian applies them itself.
    lintian --pedantic --fail-on error,warning "$package" >"$TMPDIR/lintian.log" 2>&1 \
        || { cat "$TMPDIR/lintian.log"; fail "lintian $name"; }
    grep -E '^[EW]: ' "$TMPDIR/lintian.log" && fail "lintian reports errors or warnings for $name"

    # The documentation Debian asks for: the machine-readable copyright with the licence the
    # AppStream data states, and a changelog whose newest entry is this version.
    dpkg -x "$package" "$root"
    doc="$root/usr/share/doc/$name"
    grep -q '^License: LicenseRef-proprietary$' "$doc/copyright" || fail "$name: copyright does not state LicenseRef-proprietary"
    version="$(dpkg-deb -f "$package" Version)"
    zcat "$doc/changelog.gz" >"$TMPDIR/changelog"
    logged="$(dpkg-parsechangelog -l "$TMPDIR/changelog" -S Version 2>&1)"
    [ "$logged" = "$version" ] || fail "$name: the changelog's newest entry is $logged, the package $version"
done
grep -q 'LicenseRef-proprietary' "$root"/usr/share/metainfo/*.xml || fail "the AppStream data states another licence"

# The dependencies. The editor: the Qt libraries found by the library scan, the QML modules
# named, the font the window is laid out with, and the tool's package for the udev rule.
depends() { dpkg-deb -f "$(ls "$TMPDIR"/package1/${1}_*.deb)" Depends; }
editor_depends="$(depends kovelatark9)"
for needed in libqt5quick5 libqt5serialport5 libasound2 libudev1 qml-module-qtquick-controls2 fonts-wqy-microhei tark9ctl; do
    grep -qw "$needed" <<<"$editor_depends" || fail "the editor's Depends lacks $needed: $editor_depends"
done
# The tool: Qt Core, Network and SerialPort, and no library of the desktop.
tool_depends="$(depends tark9ctl)"
for needed in libqt5core5a libqt5network5 libqt5serialport5 libasound2 libudev1; do
    grep -qw "$needed" <<<"$tool_depends" || fail "the tool's Depends lacks $needed: $tool_depends"
done
for unwanted in libqt5gui5 libqt5widgets5 libqt5qml5 libqt5quick5 qml-module libgl libx11; do
    grep -q "$unwanted" <<<"$tool_depends" && fail "the tool depends on $unwanted: $tool_depends"
done

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

# No folder of the build machine in the package, nor in the test build's stripped editor.
strip -o "$TMPDIR/editor" "$editor"
for place in "$root" "$TMPDIR/editor"; do
    carrying="$(grep -rlF "$source" "$place")"
    [ -z "$carrying" ] || fail "holds the source folder $source: $carrying"
done
exit $((failures > 0))
