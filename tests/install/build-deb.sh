#!/usr/bin/env bash
# Builds the Debian package of a built tree into OUT_DIR and checks what it holds.
#
#   build-deb.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=${1:?usage: build-deb.sh BUILD_DIR OUT_DIR}
out=${2:?usage: build-deb.sh BUILD_DIR OUT_DIR}
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
for f in ./usr/lib/pptdrill/pptdrill ./usr/lib/pptdrill/drillplay ./usr/lib/pptdrill/drillbridge \
  ./usr/lib/pptdrill/stdata.db ./usr/lib/pptdrill/completed.swf ./usr/bin/pptdrill \
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
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6network6 libsqlcipher libpq5 qt6-qpa-plugins fonts-wqy-microhei 'fonts-arphic-uming | fonts-noto-cjk'; do
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
