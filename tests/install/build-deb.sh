#!/usr/bin/env bash
# Builds the Debian package of a built tree into OUT_DIR and checks what it holds.
#
#   build-deb.sh BUILD_DIR OUT_DIR VERSION PROGRAM...
#
# VERSION is the project's; the PROGRAMs are those the package carries in its
# program folder.
set -euo pipefail
usage="usage: build-deb.sh BUILD_DIR OUT_DIR VERSION PROGRAM..."
build=${1:?$usage}
out=${2:?$usage}
version=${3:?$usage}
shift 3
programs=("$@")
((${#programs[@]})) || { echo "$usage"; exit 2; }
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"
  exit 1
}
deb=$(ls "$out"/pptdrill_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

status=0
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || {
  echo "the package's version is $(dpkg-deb -f "$deb" Version), the project's $version"
  status=1
}
for p in "${programs[@]}"; do
  grep -qx -- "./usr/lib/pptdrill/$p" <<<"$contents" || {
    echo "missing in the package: the program $p"
    status=1
  }
done
for f in ./usr/lib/pptdrill/stdata.db ./usr/lib/pptdrill/completed.swf ./usr/bin/pptdrill \
  ./usr/share/doc/pptdrill/copyright ./usr/share/doc/pptdrill/changelog.gz ./usr/share/man/man1/pptdrill.1.gz \
  ./usr/share/applications/org.pptdrill.pptdrill.desktop ./usr/share/metainfo/org.pptdrill.pptdrill.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/pptdrill.svg ./usr/share/icons/hicolor/48x48/apps/pptdrill.png \
  ./usr/share/icons/hicolor/256x256/apps/pptdrill.png \
  ./usr/lib/pptdrill/drillclass ./usr/bin/drillclass ./usr/share/doc/pptdrill/examples/classroom.conf.example; do
  grep -qx -- "$f" <<<"$contents" || {
    echo "missing in the package: $f"
    status=1
  }
done
if grep -E 'drillbank|/tests?/|\.a$|/include/' <<<"$contents"; then
  echo "the package holds build tools or build output (above)"
  status=1
fi
# Nothing in the package may be written by a learner: the installed bank is every learner's start.
listing=$(dpkg-deb -c "$deb")
if awk '$1 ~ /^[^l]....w|^[^l].......w/' <<<"$listing" | grep .; then
  echo "the package holds group- or world-writable entries (above)"
  status=1
fi
bank_mode=$(awk '$6 == "./usr/lib/pptdrill/stdata.db" {print $1}' <<<"$listing")
[ "$bank_mode" = "-rw-r--r--" ] || {
  echo "the installed bank's mode is $bank_mode, not -rw-r--r--"
  status=1
}
# The metainfo's newest release is the package's version.
metainfo=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/org.pptdrill.pptdrill.metainfo.xml)
grep -q "<release version=\"$version\"" <<<"$metainfo" || {
  echo "the metainfo has no release $version"
  status=1
}
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libsqlcipher libpq5 qt6-qpa-plugins fonts-wqy-microhei 'fonts-arphic-uming | fonts-noto-cjk'; do
  grep -qF -- "$d" <<<"$depends" || {
    echo "the package does not depend on $d"
    status=1
  }
done
if grep -Eq '(^|, |\| )(cmake|g\+\+|gcc|googletest|libgtest-dev|xvfb|xdotool|[a-z0-9.+-]+-dev)( |,|$)' <<<"$depends"; then
  echo "the package depends on a build or test tool"
  status=1
fi
exit $status
