#!/usr/bin/env bash
# Builds the Debian package from the build tree $1 into $2, as scripts/package.sh does, and checks
# it: lintian, even with its informational tags, finds nothing but the executable we keep beside its
# data in /usr/lib on purpose (so a binary built without Debian's hardening flags, or not stripped as
# Debian strips, fails); the AppStream description and the desktop entry validate and carry
# English texts with German translations; icons and manual pages lie where desktops and man look.
set -u
build=$1 out=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$out" && mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/quillon_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no quillon_<version>_amd64.deb"
echo "built $(basename "$deb")"

# lintian sees fortification only by the checked calls it finds; the compile commands show that it
# is on for every file.
grep -q -- '-D_FORTIFY_SOURCE=2 .*-fstack-protector-strong .*avrdude/process_runner\.cpp"' \
  "$build/compile_commands.json" || fail "the runner is not compiled with Debian's hardening flags"
lintian -I "$deb" 2>&1 | grep -v "running with root privileges" | tee "$out/lintian.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"
unexpected=$(grep -v "^[EWIP]: quillon: executable-in-usr-lib " "$out/lintian.txt")
[ -z "$unexpected" ] || fail "lintian -I reports more than executable-in-usr-lib"

dpkg-deb -c "$deb" >"$out/contents.txt"
for path in ./usr/lib/quillon/quillon ./usr/lib/quillon/options.ini ./usr/lib/quillon/fuses/m8.fuse \
            ./usr/lib/quillon/fuses/m328p.fuse \
            ./usr/lib/quillon/install_giveio.bat ./usr/share/applications/quillon.desktop \
            ./usr/share/icons/hicolor/scalable/apps/quillon.svg ./usr/share/doc/quillon/copyright \
            ./usr/share/man/man1/quillon.1.gz ./usr/share/man/de/man1/quillon.1.gz \
            ./usr/share/metainfo/org.example.quillon.metainfo.xml; do
  grep -q " $path\$" "$out/contents.txt" || fail "$path is missing"
done
# Every description file of data/fuses is packed.
shipped=$(ls "$(dirname "$0")/../../data/fuses" | grep -c '\.fuse$')
packed=$(grep -c ' ./usr/lib/quillon/fuses/[^/]*\.fuse$' "$out/contents.txt")
[ "$packed" -eq "$shipped" ] || fail "$packed of $shipped fuse description files are packed"
grep -q " ./usr/bin/quillon -> ../lib/quillon/quillon\$" "$out/contents.txt" || fail "/usr/bin/quillon is no link to /usr/lib/quillon"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in avrdude libqt6widgets6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done

dpkg-deb -x "$deb" "$out/root"
share=$out/root/usr/share
for size in 16 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x$size/apps/quillon.png" | grep -q "PNG image data, $size x $size," ||
    fail "no $size px icon in the hicolor theme"
done

metainfo=$share/metainfo/org.example.quillon.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "AppStream"
desktop=$share/applications/quillon.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
# English in the default slots, German beside it, as desktops and software centres choose by locale.
grep -qx "Comment=Front-end for avrdude: .*" "$desktop" || fail "the desktop entry's comment is not English"
for key in Name GenericName Comment Keywords; do
  grep -q "^$key\[de\]=" "$desktop" || fail "the desktop entry has no German $key"
done
grep -q "<summary>Graphical front-end" "$metainfo" && grep -q '<summary xml:lang="de">' "$metainfo" &&
  grep -q '<p xml:lang="de">' "$metainfo" || fail "AppStream lacks the English summary or the German translation"
zgrep -q "^\.SH DESCRIPTION" "$share/man/man1/quillon.1.gz" || fail "the manual page is not English"
zgrep -q "^\.SH BESCHREIBUNG" "$share/man/de/man1/quillon.1.gz" || fail "the German manual page is not German"
echo "PASS"
