#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the GUI need.
# Does nothing when everything is already there; runs apt-get update only
# when something is missing.
set -eu

PACKAGES="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev \
qt6-base-dev qt6-qpa-plugins libgl-dev fonts-wqy-microhei"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
