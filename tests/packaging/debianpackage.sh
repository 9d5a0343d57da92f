#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it carries:
#   debianpackage.sh CPACK BUILD_DIR FILE_LIST
set -u
cpack="$1" build="$2" expected="$3"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$TMPDIR/package" >"$TMPDIR/cpack.log" 2>&1 \
    || { cat "$TMPDIR/cpack.log"; echo "FAIL: cpack"; exit 1; }
package="$(ls "$TMPDIR"/package/*.deb)"

# The files under /usr, exactly those an installation has; nothing from the build folder.
diff <(sed 's|^|usr/|' "$expected" | LC_ALL=C sort) \
     <(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) \
    || fail "the package holds other files than $expected"

# The dependencies: the Qt libraries found by the library scan, and the QML modules named.
depends="$(dpkg-deb -f "$package" Depends)"
for needed in libqt5quick5 libqt5serialport5 libasound2 libudev1 qml-module-qtquick-controls2; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
exit $((failures > 0))
