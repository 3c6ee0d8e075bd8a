#!/usr/bin/env bash
# Every host wrapper in the 32-bit Windows build is a __stdcall function, whose decorated
# symbol _FX_Name@N states the bytes of its arguments: each N must be the host's.
set -euo pipefail
library=$1 expected=$2
nm=${NM:-i686-w64-mingw32-nm}
[ -f "$library" ] || { echo "missing $library: build the windows preset first"; exit 1; }

actual=$("$nm" -g --defined-only "$library" | awk '$3 ~ /^_FX_[A-Za-z0-9_]+@[0-9]+$/ { sub(/^_/, "", $3); split($3, p, "@"); print p[1], p[2] }' | sort -u)
status=0
while read -r name bytes; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  got=$(awk -v n="$name" '$1 == n { print $2 }' <<<"$actual")
  if [ -z "$got" ]; then echo "missing wrapper: $name"; status=1
  elif [ "$got" != "$bytes" ]; then echo "$name takes $got bytes, the host's takes $bytes"; status=1; fi
done <"$expected"
extra=$(comm -23 <(cut -d' ' -f1 <<<"$actual" | sort) <(grep -v '^#' "$expected" | cut -d' ' -f1 | sort))
[ -z "$extra" ] || { echo "wrappers the host does not have: $extra"; status=1; }
[ $status -eq 0 ] && echo "$(wc -l <<<"$actual") wrappers match the host's argument lists"
exit $status
