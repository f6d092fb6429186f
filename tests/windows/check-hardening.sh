#!/usr/bin/env bash
# Reads the Windows programs and DLLs back with objdump: each must carry the PE
# hardening flags (ASLR with a 64-bit address space, data that cannot run), use the
# stack protector, and need no MinGW runtime DLL beside it.
#   check-hardening.sh OBJDUMP FILE...
set -euo pipefail
objdump=$1
shift
status=0
for file in "$@"; do
    name=$(basename "$file")
    headers=$("$objdump" -p "$file")
    symbols=$("$objdump" -t "$file")
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
        if ! grep -qw "$flag" <<<"$headers"; then
            echo "FAIL $name: no $flag in its DllCharacteristics"
            status=1
        fi
    done
    if ! grep -qw __stack_chk_fail <<<"$symbols"; then
        echo "FAIL $name: built without the stack protector"
        status=1
    fi
    if grep -E "DLL Name: (libstdc\+\+|libgcc|libwinpthread|libssp)" <<<"$headers"; then
        echo "FAIL $name: needs a MinGW runtime DLL"
        status=1
    fi
    [ "$status" -ne 0 ] || echo "ok   $name"
done
exit "$status"
