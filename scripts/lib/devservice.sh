# Starts the development service for a test run and exports VORLIX_SERVICE_URL; sourced.
#   start_devservice DATA_DIR   /   stop_devservice
start_devservice() {
  local data=$1
  rm -rf "$data"; mkdir -p "$data"
  python3 "$here/tools/devservice" --port 0 --data "$data" >"$data/stdout.log" 2>"$data/stderr.log" &
  DEVSERVICE_PID=$!
  for _ in $(seq 100); do
    [ -s "$data/service.url" ] && break
    kill -0 "$DEVSERVICE_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$data/service.url" ]; then
    echo "the development service did not start:" >&2; cat "$data/stderr.log" >&2
    return 1
  fi
  VORLIX_SERVICE_URL=$(head -n1 "$data/service.url")
  export VORLIX_SERVICE_URL
  echo "development service at $VORLIX_SERVICE_URL" >&2
}
stop_devservice() {
  [ -n "${DEVSERVICE_PID:-}" ] || return 0
  kill "$DEVSERVICE_PID" 2>/dev/null; wait "$DEVSERVICE_PID" 2>/dev/null
  DEVSERVICE_PID=
}
