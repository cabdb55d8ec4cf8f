#!/usr/bin/env bash
# The Debian package as lintian sees it: no error and no warning. Lintian's
# whole report is kept for a person to read.
source "$(dirname "$0")/lib.sh"
package_init "$@"

DEB=$(the_file "velmoran_${VERSION}_amd64.deb")
command -v lintian >/dev/null || fail "lintian is missing: run scripts/setup"
lintian --tag-display-limit 0 --fail-on error,warning "$DEB" >"$OUT/lintian.txt" 2>"$OUT/lintian.err" ||
  fail "lintian rejects the package:
$(cat "$OUT/lintian.txt" "$OUT/lintian.err")"
found=$(grep -E '^[EW]: ' "$OUT/lintian.txt" || true)
[ -z "$found" ] || fail "lintian reports:
$found"
note "lintian: no error, no warning"
