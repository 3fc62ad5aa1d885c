#!/usr/bin/env bash
# Installs what the web build and its tests need beyond packages.txt: the
# Debian packages of web-packages.txt, npm where no npm comes with Node.js,
# and, with --tests, the page driver's npm packages (tests/web, from its
# package-lock). Runs apt-get and npm only when something is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
bash "$here/setup.sh" "$here/web-packages.txt"
# Debian's Node.js ships npm as a package of its own; other builds of Node.js
# bring it along.
if [ "${1:-}" = "--tests" ] && ! command -v npm >/dev/null; then
  bash "$here/setup.sh" <(echo npm)
fi
if [ "${1:-}" = "--tests" ] && [ ! -d "$top/tests/web/node_modules/playwright-core" ]; then
  echo "setup-web: installing the page driver's npm packages"
  (cd "$top/tests/web" && npm ci --no-audit --no-fund)
fi
echo "setup-web: ready"
