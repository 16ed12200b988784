#!/usr/bin/env bash
# install_package.sh
# Makes the Debian package with cpack, unpacks it into a scratch root and runs what it installed:
# vrtinela2D on a fixed dialogue, and krondel (offscreen) from an unrelated folder, which must find
# its data in the package's share folder. Also checks the desktop entry, the icon and the dependencies.
# Usage: install_package.sh <build folder>
set -euo pipefail

build=$(realpath "${1:?usage: install_package.sh <build folder>}")
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
package=$(ls "$work"/out/*.deb | head -n1)
[ -f "$package" ] || fail "no .deb written"
dpkg-deb -f "$package" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
dpkg-deb -x "$package" "$work/root"

usr="$work/root/usr"
for file in bin/krondel bin/vrtinela2D share/krondel/font1.fnt share/krondel/font1.png share/krondel/284.jpg \
    share/krondel/brushed-metal.jpg share/krondel/background1.png share/krondel/Arrow.png \
    share/krondel/DejaVu-LICENSE.txt share/applications/krondel.desktop \
    share/icons/hicolor/64x64/apps/krondel.png share/krondel/krondel.png share/man/man1/krondel.1 \
    share/man/man1/vrtinela2D.1 share/doc/krondel/copyright; do
    [ -f "$usr/$file" ] || fail "the package lacks $file"
done
grep -q '^Exec=krondel$' "$usr/share/applications/krondel.desktop" || fail "desktop entry does not start krondel"
grep -q "the krondel developers" "$usr/share/doc/krondel/copyright" || fail "the copyright file lacks the project's licence"
grep -q "DejaVu" "$usr/share/doc/krondel/copyright" || fail "the copyright file lacks the font's licence"
for program in krondel vrtinela2D prag; do
    file "$usr/bin/$program" | grep -q "not stripped" && fail "$program is not stripped"
    [ "$("$usr/bin/$program" --version)" = "$program $(dpkg-deb -f "$package" Version)" ] ||
        fail "installed $program --version does not give the package's version"
done

# vrtinela2D: no pictures, M = 3, every square conducting, one repetition, then the end.
output=$(printf '0\r\n3\r\n100\r\n1\r\n1\r\n' | "$usr/bin/vrtinela2D")
grep -q 'Stev. perkolacij: 1 od 1 -->  100.00 % ' <<<"$output" || fail "installed vrtinela2D: $output"

# krondel, started from an empty folder: it must take its data from the package.
mkdir "$work/elsewhere"
cd "$work/elsewhere"
SDL_VIDEODRIVER=offscreen "$usr/bin/krondel" &
pid=$!
sleep 2
kill -TERM "$pid" # SDL turns the signal into a quit request, which ends the frame loop like Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "installed krondel exited with $status"
grep -q "DATA: \[$usr/share/krondel\]" vrtinela.log || fail "installed krondel did not use its share folder: $(cat vrtinela.log)"
if grep -i -E "fail|error" vrtinela.log; then fail "installed krondel logged a failure"; fi
# prag: its manual page, gnuplot as a recommendation, and a small run of the installed program.
[ -f "$usr/bin/prag" ] || fail "the package lacks bin/prag"
[ -f "$usr/share/man/man1/prag.1" ] || fail "the package lacks prag's manual page"
dpkg-deb -f "$package" Recommends | grep -q gnuplot-nox || fail "the package does not recommend gnuplot-nox"
"$usr/bin/prag" --sizes 8 --samples 50 --seed 1 --quiet | grep -q '^p_c = ' || fail "installed prag printed no estimate"
echo "package: $(basename "$package") installs and runs"
