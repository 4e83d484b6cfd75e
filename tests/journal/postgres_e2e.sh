#!/usr/bin/env bash
# The journal against a real PostgreSQL server: four stations write 1000 parts each at once
# while the server is stopped and started again; afterwards every part is on the server exactly
# once. Then a login with a wrong password is refused with the server's reason, the parts kept.
#   postgres_e2e.sh JOURNAL_STATION
# Exit 77 (skipped) only when the PostgreSQL server programs are not installed.
set -euo pipefail
station=$1
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [[ -z "$bin" || ! -x "$bin/initdb" || ! -x "$bin/pg_ctl" ]]; then
  echo "postgres_e2e: PostgreSQL server programs not installed, skipped"
  exit 77
fi
psql=$bin/psql
[[ -x $psql ]] || psql=$(command -v psql)

work=$(mktemp -d /tmp/tarvo-pg-e2e.XXXXXX)
chmod 755 "$work"
data=$work/data
# initdb refuses root: the server runs as the postgres system user (or as us when we are not root).
as=()
if [[ $(id -u) -eq 0 ]]; then
  id postgres >/dev/null 2>&1 || useradd --system --no-create-home postgres
  as=(runuser -u postgres --)
fi
mkdir -p "$data" "$work/sock"
[[ ${#as[@]} -eq 0 ]] || chown postgres "$data" "$work/sock"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

stop_server() { "${as[@]}" "$bin/pg_ctl" -D "$data" -m immediate stop >/dev/null 2>&1 || true; }
cleanup() {
  local pids
  pids=$(jobs -p) || true
  [[ -z "$pids" ]] || kill $pids 2>/dev/null || true
  stop_server
  rm -rf "$work"
}
trap cleanup EXIT

pw=$work/pw
printf 'e2e-%s\n' "$RANDOM$RANDOM" > "$pw"
chmod 600 "$pw"
chmod 644 "$pw"; cp "$pw" "$work/pw-init"; chmod 600 "$pw"
[[ ${#as[@]} -eq 0 ]] || chown postgres "$work/pw-init"
"${as[@]}" "$bin/initdb" -D "$data" -U postgres --auth-local=trust --auth-host=scram-sha-256 \
  --pwfile="$work/pw-init" >"$work/initdb.log" 2>&1 || { cat "$work/initdb.log"; exit 1; }
rm -f "$work/pw-init"
start_server() {
  "${as[@]}" "$bin/pg_ctl" -D "$data" -l "$data/server.log" -w -t 60 \
    -o "-h 127.0.0.1 -p $port -k $work/sock -c fsync=off" start >/dev/null
}
start_server
sql() { "${as[@]}" "$psql" -X -q -t -A -h "$work/sock" -p "$port" -U postgres -d "$@"; }
password=$(head -1 "$pw")
sql postgres -c "CREATE ROLE tarvo LOGIN PASSWORD '$password'"
sql postgres -c "CREATE DATABASE tarvo OWNER tarvo"

common=(--host 127.0.0.1 --port "$port" --database tarvo --user tarvo --password-file "$pw"
        --parts 1000 --rows 5 --retry-ms 200 --drain-seconds 120)
for s in 1 2 3 4; do
  "$station" --local "$work/station$s.db" --station "M$s" "${common[@]}" >"$work/station$s.log" 2>"$work/station$s.err" &
done
# Stop the server once parts are arriving, start it again a little later.
for _ in $(seq 1 300); do
  n=$(sql tarvo -c "SELECT count(*) FROM journal_parts" 2>/dev/null || echo 0)
  [[ ${n:-0} -ge 400 ]] && break
  sleep 0.1
done
echo "postgres_e2e: $n parts on the server, stopping it"
"${as[@]}" "$bin/pg_ctl" -D "$data" -m fast stop >/dev/null
sleep 2
start_server
echo "postgres_e2e: server started again"
fail=0
for s in 1 2 3 4; do
  wait %$s || { echo "station $s failed"; fail=1; }
done
total=$(sql tarvo -c "SELECT count(*) FROM journal_parts")
distinct=$(sql tarvo -c "SELECT count(DISTINCT part_id) FROM journal_parts")
rows=$(sql tarvo -c "SELECT count(*) FROM journal_rows")
perstation=$(sql tarvo -c "SELECT string_agg(station || '=' || n, ' ' ORDER BY station) FROM (SELECT station, count(*) n FROM journal_parts GROUP BY station) x")
echo "postgres_e2e: parts $total (distinct $distinct), rows $rows, per station: $perstation"
# Every part a station wrote is on the server, with all its rows.
for s in 1 2 3 4; do
  grep -q '^waiting=0$' "$work/station$s.log" || { echo "station $s: parts left waiting"; tail -5 "$work/station$s.log"; fail=1; }
  grep '^part ' "$work/station$s.log" | cut -d' ' -f2 | sort > "$work/ids$s"
  [[ $(wc -l < "$work/ids$s") -eq 1000 ]] || { echo "station $s wrote $(wc -l < "$work/ids$s") parts"; fail=1; }
done
sort -m "$work"/ids[1-4] > "$work/ids-all"
sql tarvo -c "SELECT part_id FROM journal_parts ORDER BY part_id" | sort > "$work/ids-server"
cmp -s "$work/ids-all" "$work/ids-server" || { echo "the server's parts differ from what the stations wrote"; fail=1; }
[[ $total -eq 4000 && $distinct -eq 4000 && $rows -eq 20000 ]] || fail=1
bad=$(sql tarvo -c "SELECT count(*) FROM (SELECT part_id FROM journal_rows GROUP BY part_id HAVING count(*) <> 5) x")
[[ $bad -eq 0 ]] || { echo "$bad parts without all their rows"; fail=1; }
grep -h '^note:' "$work"/station*.log | sort | uniq -c | sed 's/^/postgres_e2e: /' || true

# A refused login is said once with the server's reason; the parts stay in the local journal.
printf 'falsch\n' > "$work/wrong"
chmod 600 "$work/wrong"
"$station" --local "$work/refused.db" --station R --host 127.0.0.1 --port "$port" --database tarvo --user tarvo \
  --password-file "$work/wrong" --parts 3 --rows 2 --retry-ms 100 --drain-seconds 1 > "$work/refused.log" 2>&1
refusals=$(grep -c '^note: refused .*password authentication failed' "$work/refused.log" || true)
[[ $refusals -eq 1 ]] || { echo "refused login said $refusals times"; cat "$work/refused.log"; fail=1; }
grep -q '^waiting=3$' "$work/refused.log" || { echo "refused: parts not kept"; fail=1; }
grep -q "falsch" "$work/refused.log" && { echo "the password appears in a message"; fail=1; }
# A password file others may read is refused before any login.
chmod 644 "$work/wrong"
"$station" --local "$work/open.db" --station O --host 127.0.0.1 --port "$port" --database tarvo --user tarvo \
  --password-file "$work/wrong" --parts 1 --rows 1 --drain-seconds 1 > "$work/open.log" 2>&1
grep -q '^note: passwordfile' "$work/open.log" || { echo "open password file not refused"; fail=1; }

if [[ $fail -ne 0 ]]; then
  echo "postgres_e2e: FAILED"
  exit 1
fi
echo "postgres_e2e: 4000 parts from 4 stations, each exactly once, across a server restart"
