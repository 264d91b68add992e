# Makes a Firebird 3 server answer on 127.0.0.1:3050 for the tests (sourced by scripts/test), with
# SYSDBA's password set to the program's. A server already listening there (Debian's own service,
# or one started by someone else) is used as it is and never stopped; otherwise one is started
# here, and only that one — by the process ids it was given — is stopped again.

FB_SECURITY=/var/lib/firebird/3.0/system/security3.fdb
FB_SENHA="create or alter user SYSDBA password 'plumwater' using plugin Srp; commit;"
FB_PASTA_PID=""

firebird_escutando() {
  (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null
}

# The server's root (firebird.conf, plugins): Debian puts it under the architecture's library folder.
firebird_raiz() {
  local d
  for d in /usr/lib/*/firebird/3.0 /usr/lib/firebird/3.0; do
    [ -f "$d/firebird.conf" ] && { echo "$d"; return 0; }
  done
  return 1
}

firebird_server_start() {
  if firebird_escutando; then
    # not ours: only the password may need setting, through the server itself
    echo "$FB_SENHA" | isql-fb -q -user SYSDBA -password plumwater localhost:"$FB_SECURITY" >/dev/null 2>&1 || true
    return 0
  fi
  local raiz
  raiz=$(firebird_raiz) || return 1
  [ -x /usr/sbin/fbguard ] || return 1
  echo "$FB_SENHA" | isql-fb -q -user SYSDBA "$FB_SECURITY" >/dev/null 2>&1 || return 1
  FB_PASTA_PID=$(mktemp -d)
  FIREBIRD="$raiz" /usr/sbin/fbguard -pidfile "$FB_PASTA_PID/fbguard.pid" -daemon -forever || return 1
  for _ in $(seq 1 50); do
    firebird_escutando && return 0
    sleep 0.2
  done
  return 1
}

firebird_server_stop() {
  [ -n "$FB_PASTA_PID" ] && [ -f "$FB_PASTA_PID/fbguard.pid" ] || return 0
  local guarda servidores
  guarda=$(cat "$FB_PASTA_PID/fbguard.pid")
  # the server process is the guard's child; the guard restarts it unless the guard goes first
  servidores=$(pgrep -P "$guarda" 2>/dev/null || true)
  kill "$guarda" 2>/dev/null || true
  for _ in $(seq 1 25); do
    kill -0 "$guarda" 2>/dev/null || break
    sleep 0.2
  done
  for pid in $servidores; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$FB_PASTA_PID"
  FB_PASTA_PID=""
}
