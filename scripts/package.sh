#!/usr/bin/env bash
# Builds Orvalis as a release build and packs it as dist/orvalis_VERSION_ARCH.deb, then checks the package:
# its file list, the desktop entry, the AppStream metainfo and lintian. Any failed check ends the script with
# an error. Run as root on Debian 12; installs the tools it needs when any is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
umask 022

# A package that failed a check is not left in dist/.
deb=
fail() {
    echo "package.sh: FAILED: $*" >&2
    [[ -z "$deb" ]] || rm -f "$deb"
    exit 1
}

bash scripts/deps.sh dpkg-dev lintian desktop-file-utils appstream help2man

# Debian's hardened compiler and linker flags; no debug information, as the installed files are stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow DEB_CXXFLAGS_MAINT_STRIP=-g
dir=$here/build-package
nice -n 10 cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALIS_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
nice -n 10 cmake --build "$dir" --target orvalis_installable

version=$(sed -n 's/^Version: //p' "$dir/packaging/control")
arch=$(dpkg --print-architecture)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

# The staging tree in the layout dpkg-shlibdeps expects: a debian/control naming the package beside
# debian/orvalis.
work=$dir/deb
stage=$work/debian/orvalis
rm -rf "$work"
mkdir -p "$work/debian"
printf 'Source: orvalis\n\nPackage: orvalis\nArchitecture: any\n' >"$work/debian/control"
DESTDIR="$stage" cmake --install "$dir" >/dev/null
strip --remove-section=.comment --remove-section=.note --strip-unneeded \
    "$stage/usr/lib/orvalis/orvalis" "$stage/usr/lib/orvalis/orvalis-db"

# Manual pages from the programs' own --help and --version.
man=$stage/usr/share/man/man1
mkdir -p "$man"
help2man --no-info --name="illustrated Dutch reference work on everyday health complaints" \
    --output="$man/orvalis.1" "$stage/usr/lib/orvalis/orvalis"
help2man --no-info --name="compile, inspect and check the Orvalis record database" \
    --output="$man/orvalis-db.1" "$stage/usr/lib/orvalis/orvalis-db"
gzip -9n "$man/orvalis.1" "$man/orvalis-db.1"

maintainer=$(sed -n 's/^Maintainer: //p' "$dir/packaging/control")
printf 'orvalis (%s) unstable; urgency=medium\n\n  * Packaged from the Orvalis sources.\n\n -- %s  %s\n' \
    "$version" "$maintainer" "$(date -R -u -d "@$SOURCE_DATE_EPOCH")" |
    gzip -9n >"$stage/usr/share/doc/orvalis/changelog.gz"

chmod -R u=rwX,go=rX "$stage"
mkdir -p "$stage/DEBIAN"
shlibs=$(cd "$work" &&
    dpkg-shlibdeps -O debian/orvalis/usr/lib/orvalis/orvalis debian/orvalis/usr/lib/orvalis/orvalis-db |
    sed -n 's/^shlibs:Depends=//p')
[[ -n "$shlibs" ]] || fail "dpkg-shlibdeps found no shared library dependencies"
size=$(du -sk --apparent-size "$stage" | cut -f1)
sed -e "s#\${Architecture}#$arch#" -e "s#\${Installed-Size}#$size#" -e "s#\${shlibs:Depends}#$shlibs#" \
    "$dir/packaging/control" >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

mkdir -p dist
deb=dist/orvalis_${version}_${arch}.deb
rm -f "$deb"
dpkg-deb --root-owner-group --build "$stage" "$deb" >/dev/null

# Check 1: the file list. Every expected path is there, the links point where they should, the program
# folder holds exactly the built data, and nothing lies outside /usr.
listing=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
expected=(
    "./usr/bin/orvalis -> ../lib/orvalis/orvalis"
    "./usr/bin/orvalis-db -> ../lib/orvalis/orvalis-db"
    "./usr/lib/orvalis/orvalis"
    "./usr/lib/orvalis/orvalis-db"
    "./usr/lib/orvalis/tahoma.ttf -> ../../share/wine/fonts/tahoma.ttf"
    "./usr/share/applications/nl.brantwell.orvalis.desktop"
    "./usr/share/metainfo/nl.brantwell.orvalis.metainfo.xml"
    "./usr/share/man/man1/orvalis.1.gz"
    "./usr/share/man/man1/orvalis-db.1.gz"
    "./usr/share/doc/orvalis/copyright"
    "./usr/share/doc/orvalis/changelog.gz"
)
for size in 16 22 24 32 48 64 128 256 512; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/orvalis.png")
done
while IFS= read -r file; do
    expected+=("./usr/lib/orvalis/$file")
done < <(cd "$dir/program" && find D I -type f | sort)
missing=0
for path in "${expected[@]}"; do
    grep -qxF -- "$path" <<<"$listing" || { echo "missing from the package: $path" >&2; missing=1; }
done
((missing == 0)) || fail "$deb lacks expected files"
programFiles=$(grep -c '^\./usr/lib/orvalis/[DI]/.*[^/]$' <<<"$listing")
builtFiles=$(cd "$dir/program" && find D I -type f | wc -l)
((programFiles == builtFiles)) || fail "$deb holds $programFiles data files, the build $builtFiles"
outside=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$listing" || true)
[[ -z "$outside" ]] || fail "files outside /usr: $outside"
for program in orvalis orvalis-db; do
    modes=$(dpkg-deb -c "$deb" | awk -v p="./usr/lib/orvalis/$program" '$6 == p { print $1, $2 }')
    [[ "$modes" == "-rwxr-xr-x root/root" ]] || fail "$program is installed as '$modes'"
    answer=$("$stage/usr/bin/$program" --version)
    [[ "$answer" == "$program $version" ]] || fail "$program --version answers '$answer'"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-wine libqt6gui6; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "the package does not depend on $package: $depends"
done

# Check 2: the desktop entry and the AppStream metainfo, together with the icons beside them.
report=$(desktop-file-validate "$stage/usr/share/applications/nl.brantwell.orvalis.desktop" 2>&1) ||
    fail "desktop-file-validate: $report"
[[ -z "$report" ]] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$stage/usr/share/metainfo/nl.brantwell.orvalis.metainfo.xml" ||
    fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$stage" || fail "appstreamcli validate-tree"

# Check 3: lintian; its warnings are shown, its errors fail the package.
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

echo "package.sh: $deb built and checked"
