#!/bin/bash
# Builds kq_service and service_load_bench in a release folder (build-bench/, no sanitizers), then:
# - wrk (2 threads) on one page of 20 listings, GET with a session, at 10, 50 and 200 kept-alive
#   connections against one instance on a fresh SQLite file, and the same at each count against
#   nginx serving that very reply as a static file (when nginx is installed; bench/setup.sh
#   installs wrk and nginx);
# - the latency of newcomers beside 1,000 idle kept-alive connections;
# - the load scenarios (readers alone, then beside clients looping wrong passwords);
# then, when PostgreSQL is installed, wrk at 50 connections on one of two instances sharing one
# fresh database and one files folder, and on both at once (25 connections each), and the load
# scenarios with the clients split between the two.
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

exec 9>/tmp/kq_build.lock
flock 9

cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target kq_service service_load_bench -- -j2 >/dev/null
service=${KQ_SERVICE_BIN:-$work/build/bin/kq_service}
bench=$work/build/bin/service_load_bench

command -v wrk >/dev/null 2>&1 || { echo "wrk is not installed; run bench/setup.sh"; exit 1; }
data=$(mktemp -d)
chmod 755 "$data"
nginx_port=54332
page="/api/mtore/mshouseposts?pagesize=20&pageindex=1"
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
    [ ! -f "$data/nginx/nginx.pid" ] || kill "$(cat "$data/nginx/nginx.pid")" 2>/dev/null || true
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

# wrk_run CONNECTIONS URL [wrk options...]: one wrk run; prints its figures in one line and
# leaves requests/s in $rate.
wrk_run() {
    local connections=$1 url=$2 out
    shift 2
    out=$(wrk -t2 -c"$connections" -d"${seconds}s" --latency "$@" "$url")
    rate=$(awk '/^Requests\/sec/ { print $2 }' <<<"$out")
    awk -v c="$connections" '
        function ms(v) { if (v ~ /us$/) return v / 1000; if (v ~ /ms$/) return v + 0; if (v ~ /s$/) return v * 1000; return v }
        /^ +Latency +[0-9]/ { mean = ms($2); max = ms($4) }
        /^ +50%/ { p50 = ms($2) }
        /^ +99%/ { p99 = ms($2) }
        /^Requests\/sec/ { rate = $2 }
        /Non-2xx/ { bad = $NF }
        /Socket errors/ { errors = $0; sub(/.*errors: /, "", errors) }
        END { printf "%4d connections  %9.0f requests/s  mean %7.2f ms  p50 %7.2f ms  p99 %7.2f ms  max %8.2f ms  non-2xx %d%s\n",
                     c, rate, mean, p50, p99, max, bad, errors ? "  socket errors: " errors : "" }' <<<"$out"
}

# start_nginx: nginx on $nginx_port serving the page's reply as a static file; false when absent.
start_nginx() {
    command -v nginx >/dev/null 2>&1 || return 1
    mkdir -p "$data/nginx/www"
    cp "$data/page.json" "$data/nginx/www/page.json"
    chmod -R a+rX "$data/nginx"
    cat >"$data/nginx/nginx.conf" <<EOF
worker_processes auto;
pid $data/nginx/nginx.pid;
error_log $data/nginx/error.log;
events { worker_connections 4096; }
http {
    access_log off;
    default_type application/json;
    server { listen 127.0.0.1:$nginx_port; root $data/nginx/www; }
}
EOF
    nginx -p "$data/nginx" -c "$data/nginx/nginx.conf" || return 1
    for _ in $(seq 50); do [ -f "$data/nginx/nginx.pid" ] && return 0; sleep 0.1; done
    return 1
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
read -r sid token <<<"$("$bench" --port "$port" --session)"
"$bench" --port "$port" --get "$page" >"$data/page.json"
echo
echo "-- wrk, GET $page ($(wc -c <"$data/page.json") bytes), the service:"
for c in 10 50 200; do
    wrk_run "$c" "http://127.0.0.1:$port$page" -H "sessionid: $sid" -H "token: $token"
done
if start_nginx; then
    echo "-- wrk, the same reply as a static file, nginx $(nginx -v 2>&1 | sed 's|.*/||'):"
    for c in 10 50 200; do
        wrk_run "$c" "http://127.0.0.1:$nginx_port/page.json"
    done
    kill "$(cat "$data/nginx/nginx.pid")" 2>/dev/null || true
else
    echo "-- nginx is not installed (bench/setup.sh installs it): no comparison"
fi
echo
"$bench" --port "$port" --idle 1000 --get "$page" || status=1
echo
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
read -r sid token <<<"$("$bench" --port "$first" --session)"
echo "-- wrk, GET $page, one instance:"
wrk_run 50 "http://127.0.0.1:$first$page" -H "sessionid: $sid" -H "token: $token"
one=$rate
echo "-- wrk, both instances at once:"
wrk_run 25 "http://127.0.0.1:$second$page" -H "sessionid: $sid" -H "token: $token" >"$data/second.txt" &
second_wrk=$!
wrk_run 25 "http://127.0.0.1:$first$page" -H "sessionid: $sid" -H "token: $token"
both=$rate
wait "$second_wrk"
cat "$data/second.txt"
both=$(awk -v a="$both" '{ for (i = 1; i <= NF; i++) if ($i == "requests/s") print a + $(i - 1) }' "$data/second.txt")
awk -v one="$one" -v both="$both" 'BEGIN { printf "two instances: %.0f requests/s, %.2f x one instance\n", both, both / one }'
echo
run_scenarios "$first" "$second"
exit $status
