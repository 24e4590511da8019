#!/usr/bin/env bash
# Checks a built plug-in from the outside: it exports exactly the names given, and a Windows DLL imports
# nothing but Windows system libraries (the compiler's runtime must be linked in statically).
# Usage: check-exports.sh PLUGIN NAME...   (the VST module: VSTPluginMain main; the .clap: clap_entry)
set -euo pipefail
plugin=$1
shift
[ -f "$plugin" ] || { echo "no such file: $plugin"; exit 1; }
[ $# -gt 0 ] || { echo "usage: $0 PLUGIN NAME..."; exit 1; }

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
wanted=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
if [ "$found" != "$wanted" ]; then
  echo "exports should be exactly $wanted, found: $found"
  status=1
fi

system_dll='^(kernel32|user32|gdi32|msimg32|ole32|oleaut32|shell32|comdlg32|comctl32|advapi32|shlwapi|uxtheme|imm32|winmm|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
for dll in $imports; do
  if ! grep -Eqi "$system_dll" <<<"$dll"; then
    echo "imports a library that is not part of Windows: $dll"
    status=1
  fi
done

[ $status -eq 0 ] && echo "exports: $found${imports:+; imports: $(tr '\n' ' ' <<<"$imports")}"
exit $status
