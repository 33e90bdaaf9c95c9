#!/usr/bin/env bash
# A private nginx on loopback that answers for the package host the way the maker's
# server does: the package under /uploads/hub/ with Range, HEAD and Last-Modified. The
# program reaches it through the system proxy setting (http_proxy), so nginx receives
# absolute-form requests for the real host and serves them from its root.
#
#   package-server.sh start DIR PACKAGE [RATE]   copies PACKAGE under the package name,
#                                               starts nginx, prints the port
#   package-server.sh stop DIR                   stops it by its process id
#
# DIR holds everything: root/, logs/ (access.log records each request's Range), the
# config, nginx.pid and port. RATE (e.g. 400k) slows each response down.
set -eu
cmd=${1:?start|stop}; dir=${2:?dir}
name='Velmora（湖北）（完整安装包）.exe'

case "$cmd" in
start)
  package=${3:?package}; rate=${4:-0}
  mkdir -p "$dir/root/uploads/hub" "$dir/logs" "$dir/tmp"
  dir=$(cd "$dir" && pwd)
  cp -p "$package" "$dir/root/uploads/hub/$name"   # -p: one file, one date, whichever server serves it
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  cat >"$dir/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/logs/error.log;
events { worker_connections 64; }
http {
  access_log off;
  log_format ranges '\$request_method \$uri range=[\$http_range] status=\$status bytes=\$body_bytes_sent';
  client_body_temp_path $dir/tmp/body;
  proxy_temp_path $dir/tmp/proxy;
  fastcgi_temp_path $dir/tmp/fastcgi;
  uwsgi_temp_path $dir/tmp/uwsgi;
  scgi_temp_path $dir/tmp/scgi;
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$port;
    server_name _;
    root $dir/root;
    access_log $dir/logs/access.log ranges;
    limit_rate $rate;
  }
}
CONF
  # Detached from the caller's output, so a test runner does not wait for it.
  setsid nginx -c "$dir/nginx.conf" -p "$dir" </dev/null >"$dir/logs/stdout.log" 2>&1 &
  echo $! >"$dir/server.pid"
  for _ in $(seq 100); do
    if python3 -c "import socket,sys; socket.create_connection(('127.0.0.1',$port),0.2)" 2>/dev/null; then
      echo "$port" >"$dir/port"; echo "$port"; exit 0
    fi
    sleep 0.05
  done
  echo "nginx did not start; see $dir/logs/error.log" >&2; exit 1
  ;;
stop)
  [ -f "$dir/server.pid" ] || exit 0
  pid=$(cat "$dir/server.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  rm -f "$dir/server.pid" "$dir/port"
  ;;
*) echo "usage: $0 start|stop DIR [PACKAGE [RATE]]" >&2; exit 2 ;;
esac
