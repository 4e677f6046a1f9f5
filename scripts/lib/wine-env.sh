# Sourced by the scripts that start Wine: a Japanese locale (code page 932), no Wine noise,
# no menu entries written into the user's home.

morvelin_locale() {
  export LC_ALL=ja_JP.UTF-8
  unset LANGUAGE
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    # Without a generated locale Wine's Unix side is 7-bit and Japanese file names fail.
    local dir="${MORVELIN_LOCALE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/morvelin-locale}"
    if [ ! -d "$dir/ja_JP.UTF-8" ]; then
      mkdir -p "$dir"
      localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >/dev/null 2>&1 || true
    fi
    export LOCPATH="$dir"
  fi
}

morvelin_wine_quiet() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d"
}

# morvelin_prefix DIR: make DIR a ready Wine prefix (idempotent), with real folders instead of
# links into $HOME and the program's font mapped to an installed Japanese font.
morvelin_prefix() {
  local prefix="$1"
  export WINEPREFIX="$prefix"
  [ -f "$prefix/.morvelin-ready" ] && return 0
  mkdir -p "$prefix"
  local home="$prefix/.home"
  mkdir -p "$home"
  HOME="$home" wineboot -i >/dev/null 2>&1 || true
  HOME="$home" wineserver -w 2>/dev/null || true
  local users="$prefix/drive_c/users/$(id -un)"
  if [ -d "$users" ]; then
    local link
    for link in "$users"/*; do
      if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
    done
  fi
  local font='IPAPGothic'
  HOME="$home" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d "$font" /f >/dev/null 2>&1 || true
  HOME="$home" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null 2>&1 || true
  HOME="$home" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d "$font" /f >/dev/null 2>&1 || true
  # The about box's title face; a fresh prefix has no serif face of that name.
  HOME="$home" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1 || true
  HOME="$home" wineserver -k 2>/dev/null || true
  HOME="$home" wineserver -w 2>/dev/null || true
  touch "$prefix/.morvelin-ready"
}

# morvelin_copy_prefix TEMPLATE DEST: a fresh prefix in DEST, copied from a ready template.
morvelin_copy_prefix() {
  local template="$1" dest="$2"
  morvelin_prefix "$template"
  rm -rf "$dest"
  mkdir -p "$dest"
  # The system DLLs are most of a prefix and never change: hard-link them, copy the rest.
  local shared=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
  local excludes=() dir
  for dir in "${shared[@]}"; do excludes+=("--exclude=./$dir"); done
  (cd "$template" && tar cf - "${excludes[@]}" .) | (cd "$dest" && tar xf -)
  for dir in "${shared[@]}"; do
    [ -d "$template/$dir" ] && cp -al "$template/$dir" "$dest/$dir"
  done
  export WINEPREFIX="$dest"
}
