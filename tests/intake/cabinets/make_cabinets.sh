#!/usr/bin/env bash
# Makes the backup cabinets of the intake tests from the tables beside this
# script, with gcab (Debian package gcab). The cabinets are committed; run this
# again only when the tables change. Usage: tests/intake/cabinets/make_cabinets.sh
set -euo pipefail
cd "$(dirname "$0")"

tables=(member.xml score.xml enrolled.xml stage.xml classify.xml club.xml squad.xml tag.xml
        team.xml thematch.xml)

# Every table and its name in the cabinet, but the ones given.
without() {
  local name
  for name in "${tables[@]}"; do
    case " $* " in *" $name "*) ;; *) echo "$name" ;; esac
  done
}

# pack CABINET GCAB-OPTIONS... -- FILES...: stored names as the files are named
# below tables/, a folder part becoming a backslash.
pack() {
  local cabinet=$1
  shift
  local options=()
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  rm -f "$cabinet"
  (cd tables && touch -d '2005-06-04 14:05:08' "$@" && gcab -c "${options[@]}" "../$cabinet" "$@")
}

# All ten tables and a file that is no table, compressed with MSZIP.
pack tables_mszip.cab -z -- "${tables[@]}" readme.txt
# The same uncompressed, with a file stored under a folder name.
pack tables_stored.cab -- "${tables[@]}" readme.txt notes/today.txt
# Backups that lack one table.
pack no_classify.cab -z -- $(without classify.xml) readme.txt
pack no_score.cab -z -- $(without score.xml) readme.txt
pack no_stage.cab -z -- $(without stage.xml) readme.txt

for cabinet in *.cab; do
  gcab -t "$cabinet" >/dev/null
done
ls -l ./*.cab
