#!/usr/bin/env bash
# Installs what is missing, builds and starts fapiao on its default data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/app/fapiao "$@"
