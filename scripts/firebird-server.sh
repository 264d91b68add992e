# Starts and stops Debian's Firebird 3 server on 127.0.0.1 for the tests (sourced by scripts/test).
# SYSDBA gets the program's fixed password through the embedded security database.

FB_ROOT=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_SECURITY=/var/lib/firebird/3.0/system/security3.fdb
FB_PIDFILE=/tmp/orbel-fbguard.pid

firebird_server_start() {
  [ -x /usr/sbin/fbguard ] || return 1
  # already listening (a service started by the system): only the password needs setting
  if ! (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
    echo "create or alter user SYSDBA password 'plumwater' using plugin Srp; commit;" |
      isql-fb -q -user SYSDBA "$FB_SECURITY" >/dev/null 2>&1 || return 1
    FIREBIRD="$FB_ROOT" /usr/sbin/fbguard -pidfile "$FB_PIDFILE" -daemon -forever || return 1
  else
    echo "create or alter user SYSDBA password 'plumwater' using plugin Srp; commit;" |
      isql-fb -q -user SYSDBA -password plumwater localhost:"$FB_SECURITY" >/dev/null 2>&1 || true
  fi
  for _ in $(seq 1 50); do
    (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

firebird_server_stop() {
  if [ -f "$FB_PIDFILE" ]; then
    kill "$(cat "$FB_PIDFILE")" 2>/dev/null || true
    rm -f "$FB_PIDFILE"
    pkill -f "$FB_ROOT/bin/firebird" 2>/dev/null || pkill -x firebird 2>/dev/null || true
  fi
}
