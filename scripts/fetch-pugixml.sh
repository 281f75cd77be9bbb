#!/usr/bin/env bash
# Fetches Debian's pugixml source package into a folder of the build, using the
# machine's own Debian mirrors turned into deb-src entries; the system's apt
# configuration and package lists are left untouched.
set -euo pipefail
dest=${1:?usage: fetch-pugixml.sh DEST}
work="$dest/apt"
mkdir -p "$work/parts" "$work/lists/partial" "$work/cache/archives/partial" "$work/src"

found=0
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed -e 's/^Types:.*/Types: deb-src/' "$f" > "$work/parts/$(basename "$f")"
  found=1
done
if [ -f /etc/apt/sources.list ]; then
  grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' > "$work/parts/legacy.list" || true
  [ -s "$work/parts/legacy.list" ] && found=1
fi
[ "$found" = 1 ] || { echo "fetch-pugixml: no Debian package sources configured" >&2; exit 1; }

apt_opts=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$work/parts"
          -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache"
          -o APT::Sandbox::User=root -q)
apt-get "${apt_opts[@]}" update >"$work/update.log" 2>&1 || { cat "$work/update.log" >&2; exit 1; }
(cd "$work/src" && apt-get "${apt_opts[@]}" source pugixml >"$work/source.log" 2>&1) || { cat "$work/source.log" >&2; exit 1; }

srcdir=$(find "$work/src" -maxdepth 1 -type d -name 'pugixml-*' | head -n 1)
[ -n "$srcdir" ] && [ -f "$srcdir/src/pugixml.cpp" ] || { echo "fetch-pugixml: unpacked source not found" >&2; exit 1; }
rm -rf "$dest/pugixml"
cp -r "$srcdir" "$dest/pugixml"
echo "pugixml source: $dest/pugixml"
