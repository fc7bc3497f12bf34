# The release game folder the sound scripts run: what is missing installed,
# configured when the build folder is new, then the program, its pictures,
# first save and sounds.
#
#   source scripts/lib/release-game.sh
#   build_release_game ROOT BUILD [TARGET...]   TARGETs: the tools a script needs besides
build_release_game() {
  local root=$1 build=$2
  shift 2
  "$root/scripts/install-deps.sh" check
  if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DIKEASOBI_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j"$(nproc)" --target ikeasobi ikeasobi_picture_files ikeasobi_first_save ikea_sounds save_field "$@" >/dev/null
}
