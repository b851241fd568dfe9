#!/usr/bin/env bash
# Runs a command beside a throwaway PostgreSQL server, for running the "_pg" tests by hand:
#   tests/support/with_postgres.sh ctest --test-dir build -R _pg
# The command sees KQ_TEST_PG_HOST, KQ_TEST_PG_PORT and KQ_TEST_PG_USER; the server and its folder
# are gone when it ends.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
trap kq_pg_stop EXIT
trap 'exit 130' INT TERM
kq_pg_start || exit 1
"$@"
