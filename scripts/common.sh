# Shared by scripts/run and scripts/test: install what is missing, then build in one folder.
# shellcheck shell=bash

KQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The tests build with the sanitizers in build/; the main job runs a release build of its own.
KQ_TEST_BUILD="${KQ_BUILD_DIR:-$KQ_ROOT/build}"
KQ_RELEASE_BUILD="${KQ_RELEASE_BUILD_DIR:-$KQ_ROOT/build-release}"
KQ_BUILD="$KQ_TEST_BUILD"

# Photos: libjpeg-turbo's own interface for the compression; Qt's readers of the formats phones
# and scanners save (TIFF and WebP; HEIF/HEIC and AVIF); heif-enc makes the tests' HEIC photo.
# Web pages: Qt WebEngine and QWebChannel for the browser library (their run-time parts come along).
# PostgreSQL: the service's second store, through libpq. Boost's Beast and Asio: the service's HTTP edge.
KQ_PACKAGES=(cmake ninja-build g++ pkg-config qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite
    libboost1.81-dev libsqlite3-dev libssl-dev xvfb xauth fonts-wqy-microhei
    libjpeg-dev libpng-dev qt5-image-formats-plugins kimageformat-plugins libheif-examples
    qtwebengine5-dev libqt5webchannel5-dev libpq-dev qttranslations5-l10n libqt5svg5)
# Only the tests: a PostgreSQL server of their own and Qt's driver to look into its databases;
# Qt's platform interface, through which the whole-task suites give the screen an office size.
KQ_TEST_PACKAGES=(postgresql libqt5sql5-psql qtbase5-private-dev)

kq_install_packages() {
    local missing=()
    local p
    for p in "${KQ_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq || return 1
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get install -y --no-install-recommends ${missing[*]}"
        return 1
    fi
}

# kq_build [cmake args...]: configure the build folder $KQ_BUILD once, then build incrementally.
# Arguments given again later (another build type, say) are applied to the existing folder.
kq_build() {
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    if [ ! -f "$KQ_BUILD/CMakeCache.txt" ]; then
        cmake -S "$KQ_ROOT" -B "$KQ_BUILD" "${generator[@]}" "$@" || return 1
    elif [ $# -gt 0 ]; then
        cmake -S "$KQ_ROOT" -B "$KQ_BUILD" "$@" || return 1
    fi
    cmake --build "$KQ_BUILD" --parallel "$(nproc)"
}

# A throwaway PostgreSQL server for the tests. kq_pg_start makes a cluster in a new temporary
# folder, reachable only through a Unix socket in that folder, and exports KQ_TEST_PG_HOST (the
# folder), KQ_TEST_PG_PORT and KQ_TEST_PG_USER; kq_pg_stop stops it and removes the folder.
# The server refuses to run as root, so root runs it as the package's user "postgres".
KQ_PG_DIR=""
KQ_PG_BIN=""
KQ_PG_PORT=54329

# kq_pg_as CMD...: runs CMD as the user the server runs as.
kq_pg_as() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

kq_pg_start() {
    local user parent
    KQ_PG_BIN=$(find /usr/lib/postgresql -mindepth 2 -maxdepth 2 -name bin -type d 2>/dev/null | sort -V | tail -n 1)
    if [ -z "$KQ_PG_BIN" ] || [ ! -x "$KQ_PG_BIN/initdb" ] || [ ! -x "$KQ_PG_BIN/pg_ctl" ]; then
        echo "PostgreSQL: no server found under /usr/lib/postgresql/*/bin" >&2
        return 1
    fi
    if [ "$(id -u)" -eq 0 ]; then
        if ! id -u postgres >/dev/null 2>&1; then
            echo "PostgreSQL: running as root, but there is no user \"postgres\" to run the server as" >&2
            return 1
        fi
        user=postgres
    else
        user=$(id -un)
    fi
    # Under /tmp for root: the server's user must reach the folder, and the socket's path is short.
    parent="${TMPDIR:-/tmp}"
    if [ "$(id -u)" -eq 0 ]; then
        parent=/tmp
    fi
    KQ_PG_DIR=$(mktemp -d "$parent/kqpg.XXXXXX") || return 1
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$KQ_PG_DIR" || { kq_pg_stop; return 1; }
    fi
    if ! kq_pg_as "$KQ_PG_BIN/initdb" -D "$KQ_PG_DIR/data" -U "$user" --auth=trust --encoding=UTF8 --no-locale \
        >"$KQ_PG_DIR/initdb.log" 2>&1; then
        echo "PostgreSQL: initdb failed:" >&2
        cat "$KQ_PG_DIR/initdb.log" >&2
        kq_pg_stop
        return 1
    fi
    # No TCP at all: the socket's file name carries the port. Durability does not matter here.
    cat >>"$KQ_PG_DIR/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$KQ_PG_DIR'
port = $KQ_PG_PORT
max_connections = 200
fsync = off
synchronous_commit = off
full_page_writes = off
EOF
    if ! kq_pg_as "$KQ_PG_BIN/pg_ctl" -D "$KQ_PG_DIR/data" -l "$KQ_PG_DIR/server.log" -w -t 60 start >/dev/null; then
        echo "PostgreSQL: the server did not start:" >&2
        cat "$KQ_PG_DIR/server.log" >&2
        kq_pg_stop
        return 1
    fi
    export KQ_TEST_PG_HOST="$KQ_PG_DIR" KQ_TEST_PG_PORT="$KQ_PG_PORT" KQ_TEST_PG_USER="$user"
}

kq_pg_stop() {
    [ -n "$KQ_PG_DIR" ] || return 0
    if [ -f "$KQ_PG_DIR/data/postmaster.pid" ]; then
        kq_pg_as "$KQ_PG_BIN/pg_ctl" -D "$KQ_PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    rm -rf -- "$KQ_PG_DIR"
    KQ_PG_DIR=""
    unset KQ_TEST_PG_HOST KQ_TEST_PG_PORT KQ_TEST_PG_USER
}
