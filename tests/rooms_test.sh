#!/usr/bin/env bash
# The rooms of the program and what each may stand on, read from every file's includes: an
# include of a room not listed for it is a wrong arrow. Rooms below stand on no room above them.
set -euo pipefail
top=$1
declare -A allowed=(
    [core/records]="records"
    [core/text]="text"
    [core/settings]="settings text"
    [core/files]="files records settings text"
    [core/figures]="figures files records text"
    [core/imports]="imports figures files records text"
    [core/actions]="actions figures files imports records settings text"
    [widgets]="widgets actions figures files imports records settings text"
    [fuellog]="fuellog widgets actions figures files imports records settings text"
    [vehicle]="vehicle widgets actions figures files imports records settings text"
    [shell]="shell fuellog vehicle widgets actions figures files imports records settings text"
)
status=0
for room in "${!allowed[@]}"; do
    while IFS=: read -r file include; do
        folder=${include%%/*}
        if [[ " ${allowed[$room]} " != *" $folder "* ]]; then
            echo "$file: includes \"$include\", which $room may not stand on"
            status=1
        fi
    done < <(grep -ro '^#include "[^"]*"' "$top/$room" --include='*.h' --include='*.cpp' |
                 sed -E 's|^'"$top"'/||; s|#include "([^"]*)"|\1|')
done
# Every include names its room, so that the arrows above can be read at all.
if grep -rn '^#include "[^/"]*"' "$top/core" "$top/widgets" "$top/fuellog" "$top/vehicle" \
        "$top/shell" --include='*.h' --include='*.cpp' | grep -v '\.moc"'; then
    echo "the includes above do not name their room"
    status=1
fi
exit $status
