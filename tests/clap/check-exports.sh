#!/usr/bin/env bash
# Checks a built .clap from the outside: it exports exactly clap_entry, and the Windows one imports
# nothing but Windows system libraries (the compiler's runtime is linked in statically).
set -euo pipefail
plugin=$1
[ -f "$plugin" ] || { echo "no such file: $plugin"; exit 1; }

if objdump -f "$plugin" | grep -q 'pei-x86-64'; then
  dump=$(objdump -p "$plugin")
  exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { table = 1; next } table && NF == 0 { table = 0 } table { print $NF }' <<<"$dump")
  imports=$(awk '/DLL Name:/ { print $3 }' <<<"$dump")
else
  exports=$(nm -D --defined-only "$plugin" | awk '{ print $NF }')
  imports=
fi

status=0
found=$(sort <<<"$exports" | tr '\n' ' ')
if [ "$found" != "clap_entry " ]; then
  echo "exports should be exactly clap_entry, found: $found"
  status=1
fi
for dll in $imports; do
  if ! grep -Eqi '^(kernel32|user32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$' <<<"$dll"; then
    echo "imports a library that is not part of Windows: $dll"
    status=1
  fi
done
[ $status -eq 0 ] && echo "exports: $found${imports:+; imports: $(tr '\n' ' ' <<<"$imports")}"
exit $status
