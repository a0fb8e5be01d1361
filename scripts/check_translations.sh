#!/usr/bin/env bash
# Checks that translations/kestrel_en.ts and kestrel_hr.ts hold every window text of the sources:
# lupdate runs over src into temporary copies of both files, and every text it had to add to a
# copy is missing from the original. A missing text fails the run with the list (a window left out
# would show English in a Croatian window).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then lupdate=$candidate; break; fi
  done
fi
[ -n "$lupdate" ] || { echo "translations: lupdate not found (qt6-l10n-tools)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/translations/kestrel_en.ts" "$root/translations/kestrel_hr.ts" "$work/"
(cd "$root" && "$lupdate" -silent -no-obsolete -locations none src \
  -ts "$work/kestrel_en.ts" "$work/kestrel_hr.ts" >/dev/null)

python3 - "$root/translations" "$work" <<'PY'
import sys
import xml.etree.ElementTree as ET

def texts(path):
    found = set()
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            found.add((name, message.findtext("source", "")))
    return found

failed = False
for ts in ("kestrel_en.ts", "kestrel_hr.ts"):
    missing = sorted(texts(f"{sys.argv[2]}/{ts}") - texts(f"{sys.argv[1]}/{ts}"))
    for context, source in missing:
        print(f"translations/{ts}: missing {context}: {source!r}")
    failed = failed or bool(missing)
sys.exit(1 if failed else 0)
PY
echo "translations: both .ts files hold every window text of the sources"
