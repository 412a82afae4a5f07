#!/bin/sh
# desktop-file-validate exits 0 on warnings and hints; any of those fails here too.
out=$(desktop-file-validate "$1" 2>&1)
rc=$?
[ -n "$out" ] && printf '%s\n' "$out"
[ $rc -eq 0 ] && [ -z "$out" ]
