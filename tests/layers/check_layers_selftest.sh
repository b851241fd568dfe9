#!/usr/bin/env bash
# The layer check must fail on each kind of wrong include and pass on a clean tree: it runs on
# small trees made here, one fault at a time.
set -uo pipefail
check="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/check_layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

clean_tree() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"/{host/base,module/net/http,module/widgets/popups,module/listings/common,module/frame}
    mkdir -p "$work/tree"/{service/http,service/routes,tests/support/service}
    cd "$work/tree" || exit 2
    echo '' > host/base/DataCenter.h
    printf '#include "DataCenter.h"\n' > module/net/http/Request.h
    printf '#include "net/http/Request.h"\n#include "ui_Alert.h"\n' > module/widgets/popups/Alert.cpp
    printf '#include "widgets/popups/Alert.h"\n#include "net/http/Request.h"\n' > module/listings/common/Page.cpp
    printf '#include "listings/common/Page.h"\n' > module/frame/Center.cpp
    printf '#include <boost/beast/http.hpp>\n' > service/http/Bridge.cpp
    printf '#include "http/Bridge.h"\n' > service/routes/Routes.cpp
    printf '#include "support/service/Server.h"\n' > tests/support/service/Server.cpp
}

status=0
expect() {
    local want="$1" what="$2"
    bash "$check" "$work/tree" >"$work/out" 2>&1
    local got=$?
    if { [ "$want" = pass ] && [ $got -ne 0 ]; } || { [ "$want" = fail ] && [ $got -eq 0 ]; }; then
        echo "FAIL: $what (expected the check to $want)"
        cat "$work/out"
        status=1
    else
        echo "ok: $what"
    fi
}

clean_tree
expect pass "a clean tree"

clean_tree
printf '#include "widgets/popups/Alert.h"\n' >> module/net/http/Request.h
expect fail "net including widgets"

clean_tree
printf '#include "frame/Center.h"\n' >> module/listings/common/Page.cpp
expect fail "listings including frame"

clean_tree
printf '#include "Request.h"\n' >> module/widgets/popups/Alert.cpp
expect fail "an include without its folder"

clean_tree
printf '#include <boost/beast/http.hpp>\n' >> service/routes/Routes.cpp
expect fail "the HTTP library outside service/http"

clean_tree
printf '#include "net/http/Request.h"\n' >> tests/support/service/Server.cpp
expect fail "the service's test support including module code"

exit $status
