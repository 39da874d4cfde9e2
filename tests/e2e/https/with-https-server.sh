#!/usr/bin/env bash
# Runs a command beside the test web site of serve.py, which it starts and stops, and tells the
# command where it is: GLIMMERLUX_E2E_HTTPS_PORT (trusted certificate), GLIMMERLUX_E2E_ROGUE_PORT
# (a certificate of an authority nobody trusts), GLIMMERLUX_E2E_HTTP_PORT,
# GLIMMERLUX_E2E_MUTE_PORT and GLIMMERLUX_E2E_HALFWAY_PORT (handshakes that never end) and
# GLIMMERLUX_E2E_CA, the trusted authority's certificate (DER) as a Windows path.
set -euo pipefail
work=$(mktemp -d)
server_pid=""
Cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap Cleanup EXIT
trap 'exit 143' TERM INT HUP

for tool in python3 openssl; do
  command -v "$tool" >/dev/null || { echo "with-https-server: $tool is missing: install $tool (make deps)" >&2; exit 1; }
done
python3 "$(dirname "$0")/serve.py" "$work/site" "$work/ready" &
server_pid=$!
for _ in $(seq 300); do
  [ -s "$work/ready" ] && break
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$work/ready" ]; then
  echo "with-https-server: the test web site did not start" >&2
  exit 1
fi
read -r https_port rogue_port http_port mute_port halfway_port <"$work/ready"
export GLIMMERLUX_E2E_HTTPS_PORT=$https_port GLIMMERLUX_E2E_ROGUE_PORT=$rogue_port GLIMMERLUX_E2E_HTTP_PORT=$http_port
export GLIMMERLUX_E2E_MUTE_PORT=$mute_port GLIMMERLUX_E2E_HALFWAY_PORT=$halfway_port
# Wine shows the Unix root as drive Z:.
GLIMMERLUX_E2E_CA="Z:$(echo "$work/site/trusted-ca.der" | tr '/' '\\')"
export GLIMMERLUX_E2E_CA
"$@" &
command_pid=$!
rc=0
wait "$command_pid" || rc=$?
exit "$rc"
