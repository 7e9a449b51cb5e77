#!/usr/bin/env bash
# Builds the Debian package from the build tree $1 into $2, as scripts/package.sh does, and checks
# it: lintian finds no error, the AppStream description validates, and the files lie where users
# and the desktop look for them.
set -u
build=$1 out=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$out" && mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/quillon_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no quillon_<version>_amd64.deb"
echo "built $(basename "$deb")"

# lintian exits non-zero on any error; its warnings are shown for the log.
lintian "$deb" 2>&1 | grep -v "running with root privileges" | tee "$out/lintian.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"

dpkg-deb -c "$deb" >"$out/contents.txt"
for path in ./usr/lib/quillon/quillon ./usr/lib/quillon/options.ini ./usr/lib/quillon/fuses/m8.fuse \
            ./usr/lib/quillon/install_giveio.bat ./usr/share/applications/quillon.desktop \
            ./usr/share/icons/hicolor/32x32/apps/quillon.png ./usr/share/doc/quillon/copyright \
            ./usr/share/metainfo/org.example.quillon.metainfo.xml; do
  grep -q " $path\$" "$out/contents.txt" || fail "$path is missing"
done
grep -q " ./usr/bin/quillon -> ../lib/quillon/quillon\$" "$out/contents.txt" || fail "/usr/bin/quillon is no link to /usr/lib/quillon"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in avrdude libqt6widgets6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done

dpkg-deb -x "$deb" "$out/root"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/org.example.quillon.metainfo.xml" || fail "AppStream"
echo "PASS"
