#!/usr/bin/env bash
# The shipped plug-in: a 32-bit (i386) PE DLL exporting the six entry points under their
# plain names, importing only KERNEL32.dll, USER32.dll and msvcrt.dll.
set -euo pipefail
dll=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
[ -f "$dll" ] || { echo "missing $dll: build the windows preset first"; exit 1; }

headers=$("$objdump" -p "$dll")
status=0
grep -q "file format pei-i386" <<<"$headers" || { echo "not an i386 PE image"; status=1; }
grep -qE "^Magic\s+010b" <<<"$headers" || { echo "not PE32"; status=1; }

exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ { table = 1; next } table && /^[ \t]*\[/ { print $NF } table && /^$/ { table = 0 }' <<<"$headers" | sort)
wanted=$(printf '%s\n' FinaleExtensionEnumerate FinaleExtensionGetMenuStatus FinaleExtensionInit \
  FinaleExtensionInvoke FinaleExtensionTerminate FinaleExtensionVersion)
[ "$exports" == "$wanted" ] || { echo "exports differ:"; diff <(echo "$wanted") <(echo "$exports") || true; status=1; }

imports=$(awk '/DLL Name:/ { print toupper($3) }' <<<"$headers" | sort)
allowed=$(printf '%s\n' KERNEL32.DLL MSVCRT.DLL USER32.DLL)
[ "$imports" == "$allowed" ] || { echo "imports differ:"; diff <(echo "$allowed") <(echo "$imports") || true; status=1; }
[ $status -eq 0 ] && echo "holdsync.fxt: PE32 i386, six plain exports, three system imports"
exit $status
