#!/usr/bin/env bash
# Prepares the user's configuration for the program:
#   first run:  writes "Loravik.ini" into the user's configuration directory
#               (XDG_CONFIG_HOME, else ~/.config) with "CD" = the generated
#               resource directory and "HD" = a per-user data directory
#               (under XDG_DATA_HOME, else ~/.local/share), seeded with the
#               default data files;
#   later runs: points "CD" at this build's resource directory again when it
#               named a generated one that is gone, and refreshes the shipped
#               "Hra.dat" and "Texty.dat" in the data directory. Results
#               ("Hra.res", "Vysledky.dat") and marks ("Znamky.dat", which a
#               teacher may have edited) are never touched.
# Usage: seed-user-data.sh RESOURCE_DIR DEFAULT_DATA_DIR
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 RESOURCE_DIR DEFAULT_DATA_DIR" >&2; exit 2; }
for d in "$1" "$2"; do
  [ -d "$d" ] || { echo "$0: $d is missing (build the lk_resources target)" >&2; exit 1; }
done
resources=$(realpath "$1")
defaults=$(realpath "$2")
config_home=${XDG_CONFIG_HOME:-$HOME/.config}
data_home=${XDG_DATA_HOME:-$HOME/.local/share}
ini=$config_home/Loravik.ini
shipped=(Hra.dat Texty.dat)

# Value of KEY in section [KVR4]: names compared without case, blanks trimmed.
ini_value() {
  awk -v want="$(printf '%s' "$1" | tr '[:upper:]' '[:lower:]')" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { s = $0; gsub(/^[ \t]*\[[ \t]*|[ \t]*\].*$/, "", s)
                  section = (tolower(s) == "kvr4"); next }
    section && index($0, "=") {
      i = index($0, "="); k = substr($0, 1, i - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == want) { v = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }
    }' "$ini"
}

# Rewrites the value of KEY in section [KVR4], keeping every other line.
ini_set() {
  local tmp
  tmp=$(mktemp "$ini.XXXXXX")
  awk -v want="$(printf '%s' "$1" | tr '[:upper:]' '[:lower:]')" -v value="$2" '
    { line = $0; sub(/\r$/, "", line) }
    line ~ /^[ \t]*\[/ { s = line; gsub(/^[ \t]*\[[ \t]*|[ \t]*\].*$/, "", s)
                         section = (tolower(s) == "kvr4"); print; next }
    section && !done && index(line, "=") {
      k = substr(line, 1, index(line, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == want) { print k "=" value; done = 1; next }
    }
    { print }' "$ini" >"$tmp"
  mv "$tmp" "$ini"
}

# The value as a Linux path, without its closing separator.
as_path() { local p=${1//\\//}; printf '%s' "${p%/}"; }

if [ ! -e "$ini" ]; then
  data=$data_home/loravik-kvantira2
  mkdir -p "$config_home" "$data"
  for f in "$defaults"/*; do
    if [ -f "$f" ] && [ ! -e "$data/${f##*/}" ]; then cp "$f" "$data/"; fi
  done
  printf '[KVR4]\nCD=%s/\nHD=%s/\n' "$resources" "$data" >"$ini.new"
  mv "$ini.new" "$ini"
  echo "Created $ini; data in $data"
  exit 0
fi

cd_value=$(ini_value CD)
# Only a generated resource directory is repaired: a directory set by hand
# (a mounted disc, say) may be missing for a while and stays as it is.
if [ -n "$cd_value" ] && [ ! -d "$(as_path "$cd_value")" ] &&
   [[ "$(as_path "$cd_value")" == */resources/cd ]]; then
  ini_set CD "$resources/"
  echo "Resource directory in $ini now $resources/"
fi

hd_value=$(ini_value HD)
data=$(as_path "$hd_value")
if [ -n "$hd_value" ] && [ -d "$data" ]; then
  for f in "${shipped[@]}"; do
    if [ -f "$defaults/$f" ]; then cp -f "$defaults/$f" "$data/$f"; fi
  done
fi
exit 0
