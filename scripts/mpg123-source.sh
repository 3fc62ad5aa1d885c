#!/usr/bin/env bash
# Fetches the source of mpg123 1.31.2 from Debian's source package, with
# Debian's patches applied (among them its security fixes), unpacks it and
# prints the folder it is in. Every build of the decoder library uses this one
# source: the Windows tree cross-compiles it into fmod.dll, the browser build
# compiles it with Emscripten; the Linux library uses the system's own build
# of the same package.
#
#   bash scripts/mpg123-source.sh [CACHE_DIR]      (default: build/mpg123)
#
# What it downloads stays in CACHE_DIR and is reused: a second run touches no
# network. The machine's apt settings are left as they are: the source index
# comes through a sources list of our own (deb-src lines for the Debian
# archives apt is configured with), with apt's lists and cache in CACHE_DIR/apt.
# The upstream tarball must have the SHA-256 pinned below and the one the .dsc
# gives it; the .dsc and Debian's tarball are checked against the hashes of
# the archive's signed source index.
#
# The .dsc also lists the upstream signature mpg123_1.31.2.orig.tar.bz2.asc,
# which the mirror does not serve (404): `apt-get source` therefore fails and
# `dpkg-source -x` refuses the set. So the files are fetched one by one
# (apt-helper, with the index's hashes) and unpacked with tar and patch.
set -euo pipefail
export LC_ALL=C

top=$(cd "$(dirname "$0")/.." && pwd)
cache=$(mkdir -p "${1:-$top/build/mpg123}" && cd "${1:-$top/build/mpg123}" && pwd)
upstream=1.31.2
orig=mpg123_$upstream.orig.tar.bz2
orig_sha256=b17f22905e31f43b6b401dfdf6a71ed11bb7d056f68db449d70b9f9ae839c7de
src=$cache/mpg123-$upstream
stamp=$src/.unpacked

say() { echo "mpg123-source: $*" >&2; }
die() { say "$*"; exit 1; }

# Two builds may ask at once; the second waits for the first.
exec 9>"$cache/.lock"
flock -w 900 9 || die "another run holds $cache/.lock"

if [ -f "$stamp" ]; then
  echo "$src"
  exit 0
fi

# The newest .dsc of this upstream version in the cache, if any.
cached_dsc() {
  local found=("$cache"/mpg123_"$upstream"-*.dsc)
  [ -f "${found[0]}" ] && printf '%s\n' "${found[@]}" | sort -V | tail -n 1 || true
}

# The files a .dsc lists with their SHA-256, as "hash  name" lines (the
# upstream signature left out: the mirror has none).
dsc_files() {
  sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$1" | awk 'NF == 3 { print $1 "  " $3 }' |
    grep -v '\.asc$'
}

have_all_files() {
  local dsc=$1
  [ -n "$dsc" ] && [ -f "$dsc" ] || return 1
  (cd "$cache" && dsc_files "$dsc" | sha256sum --quiet -c - >/dev/null 2>&1)
}

fetch() {
  local apt=$cache/apt
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
  # deb-src lines for every Debian archive (origin Debian) apt reads binary
  # packages from, as `apt-cache policy` names them.
  apt-cache policy | awk '
    /^ *[0-9]+ [a-z]+:\/\/[^ ]+ [^ ]+ [^ ]+ Packages$/ {
      uri = $2; n = split($3, part, "/"); suite = part[1]; comp = part[n]; next }
    /^ *release / && uri != "" {
      if ($0 ~ /o=Debian,/) print "deb-src " uri " " suite " " comp
      uri = "" }' | sort -u >"$apt/sources.list"
  [ -s "$apt/sources.list" ] ||
    die "apt knows no Debian archive (run apt-get update once, as root)"
  say "source index from: $(tr '\n' ';' <"$apt/sources.list")"
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
              -o "APT::Sandbox::User=root" -q)
  apt-get "${opts[@]}" update >&2 || die "apt-get update of the source index failed"
  local version
  version=$(apt-cache "${opts[@]}" showsrc mpg123 | awk '$1 == "Version:" { print $2 }' |
            grep "^$upstream-" | sort -V | tail -n 1) || true
  [ -n "$version" ] || die "the archive has no source package of mpg123 $upstream"
  say "Debian source package mpg123 $version"
  local uris
  uris=$(apt-get "${opts[@]}" source --print-uris "mpg123=$version" | grep "^'") ||
    die "apt-get source --print-uris mpg123=$version failed"
  local uri name size hash
  while read -r uri name size hash; do
    case $name in *.asc) continue ;; esac
    uri=${uri//\'/}
    say "fetching $name ($size bytes)"
    /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "$uri" \
      "$cache/$name" "$hash" >&2 || die "download of $uri failed"
  done <<<"$uris"
}

dsc=$(cached_dsc)
if ! have_all_files "$dsc"; then
  fetch
  dsc=$(cached_dsc)
  have_all_files "$dsc" || die "the files do not match $dsc"
fi
dsc_files "$dsc" | grep -q "  $orig\$" || die "$dsc lists no $orig"
echo "$orig_sha256  $cache/$orig" | sha256sum --quiet -c - ||
  die "$orig is not the pinned mpg123 $upstream"

# Unpack beside the final folder and move it there when complete.
work=$(mktemp -d "$cache/unpack.XXXXXX")
trap 'rm -rf "$work"' EXIT
tar -xjf "$cache/$orig" -C "$work"
[ -d "$work/mpg123-$upstream" ] || die "$orig holds no mpg123-$upstream folder"
debian=$(dsc_files "$dsc" | awk '{ print $2 }' | grep '\.debian\.tar\.' || true)
if [ -n "$debian" ]; then
  tar -xf "$cache/$debian" -C "$work/mpg123-$upstream"
  series=$work/mpg123-$upstream/debian/patches/series
  if [ -f "$series" ]; then
    while read -r patch options; do
      case $patch in '' | '#'*) continue ;; esac
      patch -d "$work/mpg123-$upstream" -s -f -N ${options:--p1} \
        <"$work/mpg123-$upstream/debian/patches/$patch" >&2 || die "patch $patch does not apply"
      say "applied $patch"
    done <"$series"
  fi
fi
basename "$dsc" .dsc >"$work/mpg123-$upstream/.unpacked"
rm -rf "$src"
mv "$work/mpg123-$upstream" "$src"
echo "$src"
