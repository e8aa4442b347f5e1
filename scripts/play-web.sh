#!/usr/bin/env bash
# Builds the browser edition if needed and serves its site, build/web/site, on 127.0.0.1 at
# the port given (8080 when none is), for a browser on this machine to open. The site is a
# folder of static files: any web server can serve it as it is.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$vortila_root"

port=${1:-8080}
if ! [[ $port =~ ^[0-9]+$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "La porta dev'essere un numero da 1 a 65535, non «$port»." >&2
  exit 2
fi
# Something already answers there: better to say so than to fail inside the server.
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "La porta $port è già occupata: scegline un'altra, per esempio ./play --web $((port % 65535 + 1))." >&2
  exit 1
fi

vortila_require_packages "${vortila_build_packages[@]}" "${vortila_web_packages[@]}"
vortila_build web vortila-web web_site
echo "La Vortila è pronta: apri http://127.0.0.1:$port/ nel browser. Ctrl-C ferma il server."
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
