# Shared settings of the scripts; sourced, never run.
export VORLIX_CACHE="${VORLIX_CACHE:-$HOME/.cache/vorlix}"
JOBS="${JOBS:-$(nproc)}"

# Which Windows form Wine can run here. The product is 32-bit; a kernel without 32-bit execution cannot
# start Wine's 32-bit loader, and then the 64-bit build of the same tree is the one that runs and is tested.
if [ -z "${VORLIX_RUN_ARCH:-}" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then VORLIX_RUN_ARCH=win32; else VORLIX_RUN_ARCH=win64; fi
fi
export VORLIX_RUN_ARCH
if [ "$VORLIX_RUN_ARCH" = win32 ]; then
  export WINEARCH=win32 VORLIX_WINE=/usr/lib/wine/wine VORLIX_RUN_DIST_NAME=dist
else
  export WINEARCH=win64 VORLIX_WINE=/usr/lib/wine/wine64 VORLIX_RUN_DIST_NAME=dist64
fi
export WINEPREFIX="${WINEPREFIX:-$VORLIX_CACHE/wine-$WINEARCH}"
export WINELOADER="$VORLIX_WINE"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
