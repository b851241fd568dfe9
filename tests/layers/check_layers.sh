#!/usr/bin/env bash
# Fails when an include breaks the direction of the layers:
#   module: net <- store <- widgets <- listings <- content <- settings <- frame <- plugin
#   (a layer includes only its own folder and those before it);
#   service: only http/ sees the HTTP library;
#   tests: the service's test support links no module code;
#   and every quoted include names its folder, apart from the host's base library and Qt's
#   generated ui_ and export headers.
set -uo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root" || exit 2

layers=(net store widgets listings content settings frame plugin)
rank() {
    local i
    for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
    echo -1
}

host_headers=" $(cd host/base && ls -- *.h | tr '\n' ' ') "
status=0
fail() { echo "$1"; status=1; }

# file:line:#include "target"
while IFS= read -r hit; do
    file="${hit%%:*}"
    target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$hit")
    layer=$(cut -d/ -f2 <<<"$file")
    own=$(rank "$layer")
    case "$target" in
        */*)
            top="${target%%/*}"
            theirs=$(rank "$top")
            [ "$theirs" -lt 0 ] && fail "$hit: names no layer of the module"
            [ "$own" -ge 0 ] && [ "$theirs" -gt "$own" ] && fail "$hit: $layer may not include $top"
            ;;
        ui_*|*.moc|*_export.h) ;;
        *) [[ "$host_headers" == *" $target "* ]] || fail "$hit: include without its folder" ;;
    esac
done < <(grep -rHn --include='*.h' --include='*.cpp' '^#include "' module)

while IFS= read -r hit; do
    file="${hit%%:*}"
    [[ "$file" == service/http/* ]] || fail "$hit: only service/http may use the HTTP library"
done < <(grep -rHn --include='*.h' --include='*.cpp' -E '^#include [<"]boost/(beast|asio)' service)

while IFS= read -r hit; do
    target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$hit")
    case "$target" in
        support/service/*) ;;
        *) fail "$hit: the service's test support may include only its own headers" ;;
    esac
done < <(grep -rHn --include='*.h' --include='*.cpp' '^#include "' tests/support/service)

[ "$status" -eq 0 ] && echo "layers point one way"
exit "$status"
