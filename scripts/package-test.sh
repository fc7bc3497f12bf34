#!/usr/bin/env bash
# The Debian package's round trip on this machine:
#   1. build it (scripts/package.sh) and check it with lintian (no errors),
#      its menu entry, AppStream metadata and manual page with their checkers;
#   2. install it with apt-get;
#   3. start the installed game from its menu entry's Exec line under a
#      virtual X server, with a fresh home, and save (COUNTINE, then the save
#      button): the save must land in $XDG_DATA_HOME/ikeasobi/dat/my.dat;
#   4. remove it with apt-get --purge and show that nothing of it is left
#      under /usr.
# It installs into the real /usr, so it needs root (or sudo). The machine is
# left as it was found, also when a step fails: a package left by an earlier
# run is purged first, and the package (with any dependency the install
# brought in) is purged on the way out.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
DESKTOP=/usr/share/applications/ikeasobi.desktop

# --- Inside the virtual X server: play the installed game ---------------------
if [[ "${1:-}" == --inside ]]; then
  WORK=$2
  SAVE=$WORK/data/ikeasobi/dat/my.dat
  SEED=/usr/share/games/ikeasobi/dat/my.dat

  # The menu entry's command, as a desktop would run it: field codes dropped,
  # looked up on a desktop session's PATH.
  EXEC=$(sed -n 's/^Exec=//p' "$DESKTOP" | head -n1 | sed 's/%[fFuUdDnNickvm]//g')
  read -r -a CMD <<<"$EXEC"
  SESSION_PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
  PROGRAM=$(PATH=$SESSION_PATH command -v "${CMD[0]}" || true)
  [[ "$PROGRAM" == /usr/games/ikeasobi ]] || { echo "package-test: Exec=$EXEC runs '$PROGRAM', not the installed game"; exit 1; }
  echo "package-test: starting the menu entry's command: $EXEC"

  mkdir -p "$WORK/home" "$WORK/data" "$WORK/config" "$WORK/cache" "$WORK/capture"
  mkdir -m 700 "$WORK/runtime"
  env -i DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" PATH="$SESSION_PATH" LANG=C.UTF-8 \
      HOME="$WORK/home" XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" \
      XDG_CACHE_HOME="$WORK/cache" XDG_RUNTIME_DIR="$WORK/runtime" \
      IKEASOBI_AUDIO="capture:$WORK/capture" \
      "${CMD[@]}" >"$WORK/stdout.log" 2>"$WORK/stderr.log" &
  PID=$!
  trap 'kill "$PID" 2>/dev/null || true' EXIT

  source "$ROOT/scripts/lib/game-windows.sh"
  alive() { kill -0 "$PID" 2>/dev/null; }

  WID=
  for _ in $(seq 1 240); do                  # up to 120 s for the window
    WID=$(game_windows | head -n1)
    [[ -n "$WID" ]] && break
    alive || break
    sleep 0.5
  done
  [[ -n "$WID" ]] || { echo "package-test: the game showed no window"; cat "$WORK/stderr.log"; exit 1; }

  # The first start seeds the player's folder with the installed first save.
  for _ in $(seq 1 60); do [[ -f "$SAVE" ]] && break; sleep 0.5; done
  [[ -f "$SAVE" ]] || { echo "package-test: no save was seeded in $SAVE"; exit 1; }
  cmp -s "$SAVE" "$SEED" || { echo "package-test: the seeded save is not the installed first save"; exit 1; }
  SEEDED=$(sha256sum <"$SAVE")

  # COUNTINE on the start screen, then the save button (50 yen of the first
  # save's 100). A click lost while the window is still settling is tried
  # again; a second save would find too little money, so one landing is all
  # it takes.
  SAVED=
  for _ in $(seq 1 30); do                   # up to about 60 s
    alive || break
    click_at 208 256                         # COUNTINE
    sleep 0.5
    click_at 342 194                         # セーブ ¥50
    for _ in $(seq 1 6); do
      sleep 0.25
      if [[ "$(sha256sum <"$SAVE")" != "$SEEDED" ]]; then SAVED=1; break 2; fi
    done
    answer_boxes
  done
  alive || { echo "package-test: the game ended on its own"; cat "$WORK/stderr.log"; exit 1; }
  [[ -n "$SAVED" ]] || { echo "package-test: the save button did not change $SAVE"; exit 1; }
  cmp -s "$SEED" "$WORK/seed.copy" || { echo "package-test: the installed first save was written to"; exit 1; }
  echo "package-test: saved: $SAVE changed ($(stat -c %s "$SAVE") bytes), the installed first save is untouched"

  # Answer セーブ完了, then close the window as a window manager would.
  for _ in $(seq 1 20); do
    answer_boxes
    [[ "$(game_windows | wc -l)" -le 1 ]] && break
    sleep 0.25
  done
  "$ROOT/scripts/lib/close-window.py" "$WID"
  for _ in $(seq 1 60); do
    alive || break
    answer_boxes
    sleep 0.5
  done
  if alive; then echo "package-test: the game did not close when asked"; exit 1; fi
  wait "$PID" && RC=0 || RC=$?
  trap - EXIT
  (( RC == 0 )) || { echo "package-test: the game exited with $RC"; cat "$WORK/stderr.log"; exit 1; }

  # The music came through the soundfont the package depends on.
  MUSIC=$(stat -c %s "$WORK/capture/music.wav" 2>/dev/null || echo 0)
  (( MUSIC > 44 )) || { echo "package-test: no music was played"; exit 1; }
  echo "package-test: the game closed cleanly; music captured: $MUSIC bytes"
  if [[ -s "$WORK/stderr.log" ]]; then echo "package-test: the game's stderr:"; tail -5 "$WORK/stderr.log"; fi
  exit 0
fi

# --- Outside: build, check, install, play, remove -----------------------------
APT=(env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
(( EUID == 0 )) || APT=(sudo "${APT[@]}")

command -v python3 >/dev/null || "${APT[@]}" install --no-install-recommends python3 >/dev/null

WORK=$(mktemp -d /tmp/ikeasobi-package.XXXXXX)
chmod 755 "$WORK"

installed() {
  dpkg-query -W -f='${db:Status-Status}' ikeasobi 2>/dev/null | grep -qv '^not-installed$'
}
purge() {
  if installed; then "${APT[@]}" remove --purge ikeasobi >"$WORK/purge.log" 2>&1 || { cat "$WORK/purge.log"; return 1; }; fi
  # Whatever the install brought in goes too.
  if [[ -f "$WORK/packages-before.txt" ]]; then
    local extra
    extra=$(comm -13 "$WORK/packages-before.txt" <(dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 != "not-installed" {print $2}' | sort))
    if [[ -n "$extra" ]]; then
      echo "package-test: removing what the install brought in: $extra"
      # shellcheck disable=SC2086
      "${APT[@]}" remove --purge $extra >>"$WORK/purge.log" 2>&1 || { cat "$WORK/purge.log"; return 1; }
    fi
  fi
}
cleanup() {
  local rc=$?
  purge || rc=1
  [[ -n "${IKEASOBI_PACKAGE_KEEP:-}" ]] || rm -rf "$WORK"
  exit "$rc"
}
trap cleanup EXIT

# 1. Build and check.
DEB=$("$ROOT/scripts/package.sh" | tail -n1)
echo "package-test: built $DEB"

lintian --display-info --pedantic --show-overrides "$DEB" >"$WORK/lintian.txt" 2>"$WORK/lintian.err" && LINTIAN=0 || LINTIAN=$?
grep -v 'running with root privileges' "$WORK/lintian.err" || true
cat "$WORK/lintian.txt"
ERRORS=$(grep -c '^E: ' "$WORK/lintian.txt" || true)
WARNINGS=$(grep -c '^W: ' "$WORK/lintian.txt" || true)
echo "package-test: lintian: $ERRORS errors, $WARNINGS warnings, $(grep -c '^[IPX]: ' "$WORK/lintian.txt" || true) notes," \
     "$(grep -c '^O: ' "$WORK/lintian.txt" || true) overridden (dist/lintian/ikeasobi says why)"
(( ERRORS == 0 && LINTIAN == 0 )) || { echo "package-test: lintian found errors"; exit 1; }

mkdir "$WORK/unpacked"
dpkg-deb -x "$DEB" "$WORK/unpacked"
desktop-file-validate "$WORK/unpacked$DESKTOP"
appstreamcli validate --no-net "$WORK/unpacked/usr/share/metainfo/io.github.ikeasobi.metainfo.xml" >"$WORK/appstream.txt" \
  || { cat "$WORK/appstream.txt"; exit 1; }
MANWARN=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$WORK/unpacked/usr/share/man/man6/ikeasobi.6.gz" 2>&1 >/dev/null)
[[ -z "$MANWARN" ]] || { echo "package-test: the manual page has warnings:"; echo "$MANWARN"; exit 1; }
# The changelog and the AppStream release name the package's version.
VERSION=$(dpkg-deb -f "$DEB" Version)
zcat "$WORK/unpacked/usr/share/doc/ikeasobi/changelog.gz" >"$WORK/changelog"
[[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" == "$VERSION" ]] \
  || { echo "package-test: the changelog's latest entry is not version $VERSION"; exit 1; }
grep -q "<release version=\"$VERSION\"" "$WORK/unpacked/usr/share/metainfo/io.github.ikeasobi.metainfo.xml" \
  || { echo "package-test: the AppStream metadata has no release $VERSION"; exit 1; }
cp "$WORK/unpacked/usr/share/games/ikeasobi/dat/my.dat" "$WORK/seed.copy"
echo "package-test: version $VERSION; menu entry, AppStream metadata and manual page are clean"

# 2. Install, from a machine without the package.
purge
usr_listing() { find /usr -xdev | sort; }
usr_listing >"$WORK/usr-before.txt"
dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 != "not-installed" {print $2}' | sort >"$WORK/packages-before.txt"
"${APT[@]}" install "$DEB" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; exit 1; }
echo "package-test: installed: $(dpkg-query -W -f='${Package} ${Version} ${Architecture}' ikeasobi)," \
     "$(dpkg -L ikeasobi | wc -l) paths"

# 3. Play from the menu entry, and save.
XVFB=(xvfb-run -a -s "-screen 0 800x600x24 -noreset")
"${XVFB[@]}" "$0" --inside "$WORK"

# 4. Remove, and compare /usr with what it was.
"${APT[@]}" remove --purge ikeasobi >"$WORK/remove.log" 2>&1 || { cat "$WORK/remove.log"; exit 1; }
installed && { echo "package-test: ikeasobi is still known to dpkg after the purge"; exit 1; }
purge
usr_listing >"$WORK/usr-after.txt"
# Caches the system's triggers rebuild for every package are not the package's.
TRIGGER_CACHES='^/usr/share/(icons/[^/]+/icon-theme\.cache|applications/mimeinfo\.cache)$'
LEFT=$(comm -13 "$WORK/usr-before.txt" "$WORK/usr-after.txt" | grep -Ev "$TRIGGER_CACHES" || true)
GONE=$(comm -23 "$WORK/usr-before.txt" "$WORK/usr-after.txt" | grep -Ev "$TRIGGER_CACHES" || true)
if [[ -n "$LEFT$GONE" ]]; then
  echo "package-test: /usr differs after the round trip"
  [[ -z "$LEFT" ]] || { echo "left behind:"; echo "$LEFT" | head -40; }
  [[ -z "$GONE" ]] || { echo "gone:"; echo "$GONE" | head -40; }
  exit 1
fi
echo "package-test: removed; /usr holds the same $(wc -l <"$WORK/usr-after.txt") paths as before the install"
echo "package-test: passed"
