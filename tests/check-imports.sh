#!/usr/bin/env bash
# The program must run on a bare Windows: its import table may name only
# libraries the system itself ships.
set -euo pipefail
objdump=$1
exe=$2
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comctl32|comdlg32|advapi32|msvcrt|shlwapi|version)\.dll$'
format=$("$objdump" -f "$exe" | sed -n 's/.*file format //p')
if [ "$format" != "pei-i386" ]; then
  echo "FAIL: $exe is '$format', not a PE32 i386 image"; exit 1
fi
headers=$("$objdump" -p "$exe")
if ! grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
  echo "FAIL: $exe is not a GUI program"; exit 1
fi
bad=0
while read -r dll; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  if [[ ! $lower =~ $allowed ]]; then echo "FAIL: imports $dll"; bad=1; else echo "ok: $dll"; fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
exit $bad
