#!/bin/bash
# Builds kq_service and service_load_bench in a release folder (build-bench/, no sanitizers) and
# runs the load scenarios (readers alone, then beside clients looping wrong passwords) twice:
# against one instance on a fresh SQLite file, then, when PostgreSQL is installed, against two
# instances sharing one fresh database and one files folder, with the clients split between them.
# The PostgreSQL server is a throwaway cluster in a temporary folder, reachable only through a Unix
# socket there, with its durability settings left as they are by default (fsync on).
# KQ_SERVICE_BIN=/path/kq_service measures another build of the service (an older one, say) with
# the same client. Holds the shared build lock for the whole run, so that no other build skews
# the figures.
#     bench/service_load.sh            (SECONDS_PER_RUN=10 by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
seconds=${SECONDS_PER_RUN:-10}
pg_port=54331
# Readers alone; beside two clients guessing one account's password; beside two clients trying
# a new phone number each time (every try a full password check).
scenarios=("10 0" "20 0" "10 2" "20 2" "10 2 --spread" "20 2 --spread")

exec 9>/tmp/kq-build.lock
flock 9

cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target kq_service service_load_bench -- -j2 >/dev/null
service=${KQ_SERVICE_BIN:-$work/build/bin/kq_service}
bench=$work/build/bin/service_load_bench

data=$(mktemp -d)
pids=()
pg_bin=
pg_dir=
# The server refuses to run as root; root runs it as the package's user.
as_pg() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
stop_services() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
cleanup() {
    stop_services
    if [ -n "$pg_dir" ] && [ -f "$pg_dir/data/postmaster.pid" ]; then
        as_pg "$pg_bin/pg_ctl" -D "$pg_dir/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    [ -z "$pg_dir" ] || rm -rf "$pg_dir"
    rm -rf "$data"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# start_service LOG ARGS...: starts kq_service on a free port and waits until it listens (a new
# database is migrated and seeded first); its port is left in $port.
start_service() {
    local log=$1 pid
    shift
    "$service" --port 0 "$@" >"$log" 2>&1 &
    pid=$!
    pids+=("$pid")
    port=
    for _ in $(seq 600); do
        port=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$log")
        [ -n "$port" ] && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "the service did not start:"
    cat "$log"
    exit 1
}

# run_scenarios PORT...: every scenario with the clients spread over the given instances.
status=0
run_scenarios() {
    local ports scenario clients guessers extra
    ports=$(IFS=,; echo "$*")
    for scenario in "${scenarios[@]}"; do
        read -r clients guessers extra <<<"$scenario"
        # A write not readable through another instance is reported, and fails the script at the
        # end, but the other scenarios still run.
        "$bench" --ports "$ports" --clients "$clients" --guessers "$guessers" --seconds "$seconds" ${extra:+"$extra"} \
            || status=1
    done
}

echo "service: $service, $(nproc) cores, $seconds s per scenario"
echo
echo "== one instance, SQLite =="
start_service "$data/sqlite.log" --db "$data/load.sqlite"
echo "instance on port $port"
run_scenarios "$port"
stop_services

echo
echo "== two instances, one PostgreSQL database, clients split between them =="
pg_bin=$(find /usr/lib/postgresql -mindepth 2 -maxdepth 2 -name bin -type d 2>/dev/null | sort -V | tail -n 1)
if [ -z "$pg_bin" ] || [ ! -x "$pg_bin/initdb" ] || [ ! -x "$pg_bin/pg_ctl" ]; then
    echo "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb): part skipped"
    exit $status
fi
if [ "$(id -u)" -eq 0 ] && ! id -u postgres >/dev/null 2>&1; then
    echo "running as root but there is no user \"postgres\" to run the server as: part skipped"
    exit $status
fi
pg_user=$(if [ "$(id -u)" -eq 0 ]; then echo postgres; else id -un; fi)
# Under /tmp: the server's user must reach it, and a socket's path must stay short.
pg_dir=$(mktemp -d /tmp/kqload.XXXXXX)
[ "$(id -u)" -ne 0 ] || chown postgres: "$pg_dir"
as_pg "$pg_bin/initdb" -D "$pg_dir/data" -U "$pg_user" --auth=trust --encoding=UTF8 --no-locale \
    >"$pg_dir/initdb.log" 2>&1 || { echo "initdb failed:"; cat "$pg_dir/initdb.log"; exit 1; }
# No TCP: the server is reached only through the socket in its own folder.
cat >>"$pg_dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$pg_dir'
port = $pg_port
EOF
as_pg "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w -t 60 start >/dev/null \
    || { echo "the PostgreSQL server did not start:"; cat "$pg_dir/server.log"; exit 1; }
as_pg "$pg_bin/createdb" -h "$pg_dir" -p "$pg_port" -U "$pg_user" kq_load
echo "PostgreSQL $("$pg_bin/postgres" --version | awk '{ print $3 }'), fsync $(as_pg "$pg_bin/psql" -h "$pg_dir" \
    -p "$pg_port" -U "$pg_user" -d kq_load -Atc 'SHOW fsync'), synchronous_commit $(as_pg "$pg_bin/psql" -h "$pg_dir" \
    -p "$pg_port" -U "$pg_user" -d kq_load -Atc 'SHOW synchronous_commit')"

db="postgresql://$pg_user@${pg_dir//\//%2F}:$pg_port/kq_load"
mkdir "$data/pg-files"
# The first one migrates and seeds the new database; the second finds it ready.
start_service "$data/pg1.log" --db "$db" --files "$data/pg-files"
first=$port
start_service "$data/pg2.log" --db "$db" --files "$data/pg-files"
second=$port
echo "instances on ports $first and $second"
run_scenarios "$first" "$second"
exit $status
