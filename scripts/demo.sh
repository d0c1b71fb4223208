#!/usr/bin/env bash
# Installs what is missing, builds the utility and serves it from a sample site in demo/
# with lighttpd on 127.0.0.1 until Ctrl-C.
#
#   ./scripts/demo.sh [--port PORT] [--no-auth] [--fresh]
#
#   --port PORT  listen on 127.0.0.1:PORT (default 8080)
#   --no-auth    serve the utility without a password (it then shows its warning)
#   --fresh      throw away demo/ and lay out the sample site anew
set -euo pipefail
cd "$(dirname "$0")/.."
PATH=$PATH:/usr/sbin:/sbin  # lighttpd lives in sbin

port=8080
site_options=()
fresh=no
while (($#)); do
  case $1 in
    --port) port=${2:-}; shift 2 ;;
    --no-auth) site_options+=(--no-auth); shift ;;
    --fresh) fresh=yes; shift ;;
    *) sed -n '4,9s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
  esac
done

packages=(g++ cmake make lighttpd)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

build=build/demo
echo "Building the utility and the engine stand-in in $build/ ..."
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTVQ_BUILD_TESTS=OFF -DTVQ_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tvqconf_cgi engine_standin >/dev/null

[[ $fresh == no ]] || rm -rf demo
./scripts/site.sh demo --build "$build" --port "$port" "${site_options[@]}"

echo
echo "Tovimarq configuration utility: http://127.0.0.1:$port/cgi-bin/tovimarqdata/tvqconf.cgi"
if [[ ${site_options[*]-} != *--no-auth* ]]; then
  echo "Log in as: $(sed 's/:/   password: /' demo/users)"
fi
echo "Sample site: $PWD/demo/htdocs    Server log: $PWD/demo/logs/error.log"
echo "Press Ctrl-C to stop the server."

lighttpd -D -f demo/lighttpd.conf &
server=$!
trap 'kill "$server" 2>/dev/null || true' INT TERM
wait "$server" || true
trap - INT TERM
wait "$server" 2>/dev/null || true
echo "Server stopped."
