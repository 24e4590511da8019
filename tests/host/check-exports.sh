#!/usr/bin/env bash
# Checks a built plug-in from the outside: it exports exactly VSTPluginMain and main, and a DLL
# imports nothing but Windows system libraries (the compiler's runtime must be linked in statically).
set -euo pipefail
plugin=$1
[ -f "$plugin" ] || { echo "no such file: $plugin"; exit 1; }

case "$plugin" in
  *.dll)
    dump=$(objdump -p "$plugin")
    exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { table = 1; next } table && NF == 0 { table = 0 } table { print $NF }' <<<"$dump")
    imports=$(awk '/DLL Name:/ { print $3 }' <<<"$dump")
    ;;
  *)
    exports=$(nm -D --defined-only "$plugin" | awk '{ print $NF }')
    imports=
    ;;
esac

status=0
sorted=$(sort <<<"$exports" | tr '\n' ' ')
if [ "$sorted" != "VSTPluginMain main " ]; then
  echo "exports should be exactly VSTPluginMain and main, found: $sorted"
  status=1
fi

system_dll='^(kernel32|user32|gdi32|msimg32|ole32|oleaut32|shell32|comdlg32|comctl32|advapi32|shlwapi|uxtheme|imm32|winmm|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
for dll in $imports; do
  if ! grep -Eqi "$system_dll" <<<"$dll"; then
    echo "imports a library that is not part of Windows: $dll"
    status=1
  fi
done

[ $status -eq 0 ] && echo "exports: $sorted${imports:+; imports: $(tr '\n' ' ' <<<"$imports")}"
exit $status
