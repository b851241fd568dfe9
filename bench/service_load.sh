#!/bin/bash
# Builds kq_service and service_load_bench in a release folder (build-bench/, no sanitizers),
# starts the service on a free port with a fresh database and runs the load scenarios: readers
# alone, then beside clients looping wrong passwords. KQ_SERVICE_BIN=/path/kq_service measures
# another build of the service (an older one, say) with the same client.
#     bench/service_load.sh            (SECONDS_PER_RUN=10 by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
seconds=${SECONDS_PER_RUN:-10}

cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target kq_service service_load_bench -- -j2 >/dev/null
service=${KQ_SERVICE_BIN:-$work/build/bin/kq_service}
bench=$work/build/bin/service_load_bench

data=$(mktemp -d)
log=$data/service.log
"$service" --port 0 --db "$data/load.sqlite" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$data"' EXIT
port=
for _ in $(seq 100); do
    port=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "the service did not start:"; cat "$log"; exit 1; }

echo "service: $service (port $port), $(nproc) cores"
# Readers alone; beside two clients guessing one account's password; beside two clients trying
# a new phone number each time (every try a full password check).
for scenario in "10 0" "20 0" "10 2" "20 2" "10 2 --spread" "20 2 --spread"; do
    set -- $scenario
    "$bench" --port "$port" --clients "$1" --guessers "$2" --seconds "$seconds" ${3:-}
done
