#!/usr/bin/env bash
# Adds the apt entries the build needs beside the machine's own Debian entry:
# deb-src (for the libjpeg-turbo source package) and <codename>-backports (for
# a qemu that runs 32-bit Wine). Both are derived from the machine's own
# /etc/apt/sources.list.d/debian.sources (its URIs and Signed-By), so no
# mirror address is written here. Prints "changed" when it wrote a file.
set -euo pipefail

main=/etc/apt/sources.list.d/debian.sources
dir=/etc/apt/sources.list.d
. /etc/os-release
codename=${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}

# The stanza (blank-line separated) of type deb whose Suites name the release
# itself, not its security suite.
read_field() {
  awk -v want="$1" -v codename="$codename" '
    BEGIN { RS = ""; FS = "\n" }
    {
      types = ""; suites = ""; value = ""
      for (i = 1; i <= NF; i++) {
        line = $i
        if (line ~ /^#/) continue
        split(line, kv, ":"); key = kv[1]
        rest = substr(line, length(key) + 2); gsub(/^[ \t]+|[ \t]+$/, "", rest)
        if (key == "Types") types = rest
        if (key == "Suites") suites = rest
        if (key == want) value = rest
      }
      if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " codename " ")) { print value; exit }
    }' "$main"
}

if [ ! -f "$main" ]; then
  echo "apt-sources: $main is missing; cannot derive the deb-src and backports entries" >&2
  exit 1
fi
uris=$(read_field URIs)
signed=$(read_field Signed-By)
if [ -z "$uris" ]; then
  echo "apt-sources: no deb entry for $codename in $main" >&2
  exit 1
fi

write_entry() {  # FILE TYPES SUITES
  local body
  body="Types: $2
URIs: $uris
Suites: $3
Components: main${signed:+
Signed-By: $signed}"
  if [ "$(cat "$1" 2>/dev/null)" != "$body" ]; then
    printf '%s\n' "$body" > "$1"
    echo changed
  fi
}

write_entry "$dir/cfwindow-deb-src.sources" deb-src "$codename $codename-updates"
write_entry "$dir/cfwindow-backports.sources" deb "$codename-backports"
