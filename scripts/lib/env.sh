# Shared settings of the scripts; sourced, never run.
export VORLIX_CACHE="${VORLIX_CACHE:-$HOME/.cache/vorlix}"
export W32="$VORLIX_CACHE/win32"            # cross-built libraries (prefix)
export VORLIX_WIN32_PREFIX="$W32"
export WINEPREFIX="${WINEPREFIX:-$VORLIX_CACHE/wine32}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
JOBS="${JOBS:-$(nproc)}"
