#!/usr/bin/env bash
# Installs what is missing, builds, lays out a Notes program directory under build/notes-demo,
# registers the export entries in its notes.ini with the setup program, and exports every view
# and folder of the sample databases (samples/*.xml) to CSV, printing the files it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
if ! cmake --build --preset default >build/demo-build.log 2>&1; then
  tail -n 30 build/demo-build.log >&2
  echo "The build failed; the whole log is build/demo-build.log." >&2
  exit 1
fi

demo=build/notes-demo
cmake --install build --prefix "$demo" >/dev/null
[ -e "$demo/notes.ini" ] || : >"$demo/notes.ini"
"$demo/nVorpel" /I >/dev/null
echo "Notes program directory: $demo (export entries registered in $demo/notes.ini)"

client="$demo/notes-client"
for db in samples/*.xml; do
  out="$demo/exports/$(basename "$db" .xml)"
  mkdir -p "$out"
  echo "$db:"
  # "00000102  view    受注一覧 (Orders, 受注)" gives the note ID and the name.
  "$client" views --db "$db" | grep -E '^[0-9A-F]{8}  ' | while read -r noteId kind rest; do
    name=$(sed -E 's/ \([^()]*\)$//' <<<"$rest")
    file="$out/$(tr '/\\ ' '___' <<<"$name").csv"
    "$client" export --db "$db" --view-id "$noteId" --console "$file /X /H" </dev/null
    printf '  %-6s %s → %s\n' "$kind" "$name" "$file"
  done
done
