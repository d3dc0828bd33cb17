#!/usr/bin/env bash
# The Debian package of this build, made by CPack as `make package` makes it: its name, version
# and dependencies, its contents (dpkg-deb --contents), and an install with dpkg into a scratch
# root, checked as a user would use it (installed_checks.sh).
#
#   package_test.sh BUILD_DIR VERSION
source "$(dirname "$0")/test_start.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$SCRATCH/package" >"$SCRATCH/cpack.log" 2>&1 ||
    { cat "$SCRATCH/cpack.log"; fail "cpack failed"; }
deb=$(ls "$SCRATCH"/package/*.deb)
[ "$(basename "$deb")" = "scenario-builder_${VERSION}_amd64.deb" ] || fail "the package is $deb"

[ "$(dpkg-deb -f "$deb" Package)" = scenario-builder ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$VERSION" ] || fail "wrong version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libcairo2 libfltk1.3 libcpp-httplib; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
description=$(dpkg-deb -f "$deb" Description)
grep -q "train-driving simulator" <<<"$description" || fail "no description"
! grep -q ";" <<<"$description" || fail "the description holds a CMake list: $description"

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for file in ./usr/bin/scenario-builder ./usr/lib/scenario-builder/scenario-desktop.so \
            ./usr/lib/scenario-builder/scenario-plot.so ./usr/lib/scenario-builder/scenario-serve.so \
            ./usr/share/man/man1/scenario-builder.1 \
            ./usr/share/bash-completion/completions/scenario-builder \
            ./usr/share/doc/scenario-builder/README.md; do
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done

# dpkg unpacks the package into a root of its own, with a database of its own: the libraries it
# depends on are the host's, so their check is left out, and so is the configure step, whose
# one script runs ldconfig (CPack adds it for any shared object under /usr/lib) and would have
# to run inside the scratch root, which has no shell.
root=$SCRATCH/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --unpack "$deb" >"$SCRATCH/dpkg.log" 2>&1 ||
    { cat "$SCRATCH/dpkg.log"; fail "dpkg --unpack failed"; }
dpkg --root="$root" -s scenario-builder | grep -q "Status: install ok unpacked" ||
    fail "dpkg does not list the package as unpacked"
dpkg --root="$root" -L scenario-builder | grep -qx /usr/bin/scenario-builder ||
    fail "dpkg does not list the program among the package's files"
PREFIX=$root/usr
source "$here/installed_checks.sh"
echo "the Debian package: all checks passed"
