#!/usr/bin/env bash
# Installs what is missing, builds, lays out a Notes program directory under build/notes-demo,
# registers the export entries in its notes.ini with the setup program, and exports every view
# and folder of the sample databases (samples/*.xml) to CSV, saying at each step what it does.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "1/4 Dependencies (Debian packages; only missing ones are installed)"
scripts/install-deps.sh

echo "2/4 Build (build/, RelWithDebInfo; the whole log is build/demo-build.log)"
mkdir -p build
log=build/demo-build.log
status=0
{ cmake --preset default && cmake --build --preset default; } >"$log" 2>&1 &
builder=$!
# The build tool's own counter, "[done/all]", as the log grows: redrawn in place on a terminal,
# a line each time it moves elsewhere.
[ -t 1 ] && step='\r' || step='\n'
last=
while kill -0 "$builder" 2>/dev/null; do
  counter=$(grep -oE '^\[[0-9]+/[0-9]+\]' "$log" | tail -n 1 || true)
  counter=${counter:-configuring}
  if [ "$counter" != "$last" ]; then
    [ -z "$last" ] || printf "$step"
    printf '    %s ' "$counter"
  fi
  last=$counter
  sleep 2
done
wait "$builder" || status=$?
echo
if ((status != 0)); then
  tail -n 30 "$log" >&2
  echo "The build failed; the last lines are above, the whole log is $log." >&2
  exit 1
fi

demo=build/notes-demo
echo "3/4 Notes program directory $demo"
cmake --install build --prefix "$demo" >/dev/null
[ -e "$demo/notes.ini" ] || : >"$demo/notes.ini"
"$demo/nVorpel" /I >/dev/null
echo "    notes-client, libnVorpel.so, nVorpel.hlp and the setup program nVorpel;"
echo "    export entries registered in $demo/notes.ini"

echo "4/4 Exports of the sample databases (switches /X /H: no option sheet, a title line)"
client="$demo/notes-client"
for db in samples/*.xml; do
  out="$demo/exports/$(basename "$db" .xml)"
  mkdir -p "$out"
  echo "    $db:"
  # "00000102  view    受注一覧 (Orders, 受注)" gives the note ID and the name.
  "$client" views --db "$db" | grep -E '^[0-9A-F]{8}  ' | while read -r noteId kind rest; do
    name=$(sed -E 's/ \([^()]*\)$//' <<<"$rest")
    file="$out/$(tr '/\\ ' '___' <<<"$name").csv"
    "$client" export --db "$db" --view-id "$noteId" --console "$file /X /H" </dev/null
    printf '      %-6s %s → %s\n' "$kind" "$name" "$file"
  done
done
echo "With a display, the client's window shows the database: mark documents with Space, then"
echo "ファイル › エクスポート (Alt+F, E):"
echo "    $client open --db samples/orders.xml"
