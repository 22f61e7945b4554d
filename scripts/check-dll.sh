#!/usr/bin/env bash
# Prints a Windows DLL's format, exports and imports, and checks that it is the
# plug-in the player can load anywhere: a DLL of the expected machine type
# exporting exactly one plain name and importing only DLLs that every Windows
# installation has.
#
#   check-dll.sh DLL [EXPORT]   (EXPORT defaults to winampGetMediaLibraryPlugin)
#   MACHINE=x86|x64             the machine type expected (default x86: PE32 i386)
#   OBJDUMP=...                 the objdump to use (default: mingw-w64's for MACHINE)
set -uo pipefail
dll=${1:?usage: check-dll.sh DLL [EXPORT]}
expected_export=${2:-winampGetMediaLibraryPlugin}
case ${MACHINE:-x86} in
  x86) want_format=pei-i386 want_magic=010b kind="PE32 i386" objdump=${OBJDUMP:-i686-w64-mingw32-objdump} ;;
  x64) want_format=pei-x86-64 want_magic=020b kind="PE32+ x86-64" objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump} ;;
  *) echo "check-dll: MACHINE must be x86 or x64, not '$MACHINE'"; exit 2 ;;
esac
allowed_imports="KERNEL32 USER32 GDI32 SHELL32 OLE32 ADVAPI32 COMCTL32 COMDLG32 msvcrt"

[ -f "$dll" ] || { echo "check-dll: no such file: $dll"; exit 2; }
headers=$("$objdump" -p "$dll") || { echo "check-dll: $objdump cannot read $dll"; exit 2; }
problems=0
problem() { echo "  problem: $*"; problems=$((problems + 1)); }

format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$headers" | head -n1)
magic=$(awk '$1 == "Magic" {print $2; exit}' <<<"$headers")
characteristics=$(awk '$1 == "Characteristics" {print $2; exit}' <<<"$headers")
echo "$(basename "$dll"): format $format, magic $magic, characteristics $characteristics"
[ "$format" = "$want_format" ] && [ "$magic" = "$want_magic" ] ||
  problem "not a $kind file (format '$format', magic '$magic')"
(( ${characteristics:-0} & 0x2000 )) || problem "not a DLL"

# Export names follow the "[Ordinal/Name Pointer] Table" header, one "[   n] name" each.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
               on && /^[[:space:]]*\[ *[0-9]+\]/ {print $NF; next}
               on {on = 0}' <<<"$headers")
echo "exports:" ${exports:-(none)}
[ "$exports" = "$expected_export" ] || problem "exports must be exactly '$expected_export'"

imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
echo "imports:" ${imports:-(none)}
for name in $imports; do
  allowed=false
  for ok in $allowed_imports; do
    [ "${name,,}" = "${ok,,}.dll" ] && allowed=true
  done
  $allowed || problem "imports $name, which is not a Windows system DLL"
done

if [ $problems -ne 0 ]; then
  echo "check-dll: $problems problem(s) in $dll"
  exit 1
fi
echo "check-dll: ok"
