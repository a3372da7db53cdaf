#!/usr/bin/env bash
# Runs lintian on the package in PACKAGE_DIR and fails on any error or warning;
# the informational tags are printed too. Exit code 77 (skipped) without lintian.
#
#   lintian-deb.sh PACKAGE_DIR
set -uo pipefail
dir=${1:?usage: lintian-deb.sh PACKAGE_DIR}
command -v lintian >/dev/null || {
  echo "lintian is not installed (scripts/setup.sh installs it): skipped"
  exit 77
}
deb=$(ls "$dir"/pptdrill_*.deb) || exit 1
report=$(lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" 2>&1)
code=$?
echo "$report"
# 2: an error or a warning was found; 1: lintian itself failed.
if [ $code -ne 0 ] || grep -Eq '^(E|W): ' <<<"$report"; then
  echo "lintian: errors or warnings above (exit code $code)"
  exit 1
fi
echo "lintian: no error, no warning"
