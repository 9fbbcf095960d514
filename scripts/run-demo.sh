#!/usr/bin/env bash
# Builds everything, starts the reference server on a demo database, binds this machine's
# workstation to the demo dealer DEMO and launches the program. The server stops with it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZERDA_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"

server="$build/appserver/zerda-appserver"
demo="$root/.demo"
db="$demo/demo.db"
port="${ZERDA_B2B_PORT:-9090}"
mkdir -p "$demo"

if [ ! -f "$db" ]; then
  "$server" --db "$db" init-demo --items "${ZERDA_DEMO_ITEMS:-20000}"
else
  echo "Var olan örnek veritabanı kullanılıyor: $db (yenisi için klasörü silin)"
fi

if id="$("$build/client/zerda-workstation-id")"; then
  "$server" --db "$db" bind-workstation "$id" DEMO
else
  echo "Bu makinenin iş istasyonu kimliği bulunamadı; giriş 'tanınmayan iş istasyonu' olarak görünecek." >&2
fi

cat <<USERS
Örnek kullanıcılar (kullanıcı adı / şifre):
  DEMO / 1234      bayi (müşteri tipi 3), bu makineye bağlı
  BAYI4 / 1234     bayi (müşteri tipi 4)
  SATICI / 1234    satıcı (müşteri tipi 2)
  TEMSILCI / 1234  satıcı (müşteri tipi 1)
Başka bir kullanıcıyla girmek için: $server --db $db bind-workstation $id KULLANICI
USERS

log="$demo/server.log"
"$server" --db "$db" serve --listen 127.0.0.1 --port "$port" >"$log" 2>&1 &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
  if grep -q "dinliyor" "$log" 2>/dev/null; then break; fi
  if ! kill -0 "$server_pid" 2>/dev/null; then
    echo "Sunucu başlatılamadı:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done
cat "$log"

export ZERDA_B2B_HOST=127.0.0.1 ZERDA_B2B_PORT="$port"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Ekran bulunamadı: program açılamıyor. Sunucu çalışıyor; durdurmak için Ctrl+C."
  wait "$server_pid"
else
  "$build/client/zerda-b2b"
fi
