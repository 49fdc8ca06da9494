#!/usr/bin/env bash
# Under an X server: a host window starts ambrix with its id; ambrix must appear as the host's
# child and end within two seconds of the host window going away.
# Usage: embedding.sh HOST_WINDOW AMBRIX FIXTURE_DATABASE
set -u
host_program=$1 ambrix=$2
host_pid="" ambrix_pid=""
work=$(mktemp -d)
trap 'kill $host_pid $ambrix_pid 2>/dev/null; rm -rf "$work"' EXIT

# Settings on a copy of the fixture database, as a user's TAXCONFIG.INI would give them.
cp "$3" "$work/GLOBAL.MDB"
printf '[PATH]\r\nPath_App=%s/\r\nPath_db=%s/\r\nPath_Log=%s/\r\n[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\ndbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n' \
  "$work" "$work" "$work" >"$work/TAXCONFIG.INI"
printf '[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsDecimal=.\r\n' >"$work/win.ini"
export AMBRIX_CONFIG_DIR=$work AMBRIX_WIN_INI=$work/win.ini XDG_RUNTIME_DIR=$work
mkfifo "$work/stdin"
"$host_program" <"$work/stdin" >"$work/id" &
host_pid=$!
exec 3>"$work/stdin"
for _ in $(seq 300); do [ -s "$work/id" ] && break; sleep 0.1; done
id=$(head -n1 "$work/id")
[ -n "$id" ] || { echo "the host window did not start"; exit 1; }

"$ambrix" "$id" 3>&- &
ambrix_pid=$!
child=""
for _ in $(seq 200); do
  if xwininfo -children -id "$id" 2>/dev/null | grep -qE 'Tolvex - Anexo Transaccional Simplificado|"ambrix"'; then
    child=yes
    break
  fi
  kill -0 "$ambrix_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$child" ]; then
  echo "ambrix is not a child of the host window $id:"
  xwininfo -children -id "$id"
  exit 1
fi

xwininfo -children -id "$id" | grep -E "child|Tolvex"
exec 3>&-  # the host destroys its window
wait "$host_pid"
for _ in $(seq 300); do
  kill -0 "$ambrix_pid" 2>/dev/null || { wait "$ambrix_pid"; echo "ambrix ended with the host"; exit 0; }
  sleep 0.1
done
echo "ambrix still runs two seconds after the host window went away"
exit 1
