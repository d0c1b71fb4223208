#!/usr/bin/env bash
# Measures every page and action of the built program as a web server starts it, side by side
# with two floors: the static floor (a tiny static C program that prints a 2 KB page) and the
# same-work floor (a tiny static C program that reads, lists and saves what the page does and
# writes the same page bytes); then, on a site with 1000 recorded changes, the history and
# diff pages beside the main menu and a save with and without its recording; then the file
# list page at growing sizes. Wall-clock times come from hyperfine, instruction counts from
# callgrind.
#
#   bench/run.sh [--build BUILD_DIR] [--program PATH] [--runs N] [--fastest] [--no-scale]
#                [--history] [--keep]
#
# --build    release build folder to build and use (default: build/release)
# --program  measure this program instead of the build's tvqconf.cgi (e.g. an older build)
# --runs     hyperfine runs per page (default: 100)
# --no-scale skip the runs at 1,000 to 100,000 list entries and folder files
# --history  only the change history's pages and a save with and without its recording
# --fastest  each command's fastest run instead of its median: steadier on a busy machine
# --keep     keep the sample site (its folder is printed) for profiling by hand
#
# Installs hyperfine with apt-get when it is missing; needs valgrind, cc and GNU time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
program=''
runs=100
# The column of hyperfine's CSV export that the tables show: 4 the median, 7 the fastest run.
statistic=4
scale=yes
keep=no
pages=yes
while (($#)); do
  case $1 in
    --build) build=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --no-scale) scale=no; shift ;;
    --fastest) statistic=7; shift ;;
    --history) pages=no; scale=no; shift ;;
    --keep) keep=yes; shift ;;
    *) echo "usage: $0 [--build DIR] [--program PATH] [--runs N] [--fastest] [--no-scale] [--history] [--keep]" >&2; exit 2 ;;
  esac
done

need_tools() {
  if ! command -v hyperfine >/dev/null; then
    apt-get install -y hyperfine >/dev/null || { apt-get update >/dev/null && apt-get install -y hyperfine >/dev/null; }
  fi
  for tool in valgrind cc /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
  done
}

build_program() {
  if [[ -z $program ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j2 --target tvqconf_cgi >/dev/null
    program=$build/src/tvqconf.cgi
  fi
}

need_tools
build_program
# On tmpfs the writing actions measure the program, not the disk's sync.
tmp=${TMPDIR:-/dev/shm}
[[ -d $tmp && -w $tmp ]] || tmp=/tmp
work=$(mktemp -d "$tmp/tvqconf-bench-XXXXXX")
if [[ $keep == yes ]]; then
  echo "Sample site: $work"
else
  trap 'rm -rf "$work"' EXIT
fi
cc -O2 -static -o "$work/floor" "$root/bench/floor.c"
cc -O2 -static -o "$work/cgi_post" "$root/bench/cgi_post.c"
cc -O2 -static -o "$work/same_work" "$root/bench/same_work.c"

# --- the sample site --------------------------------------------------------------------------

# make_files FOLDER COUNT: COUNT small documents page000000.htm ... in FOLDER.
make_files() {
  mkdir -p "$1"
  (cd "$1" && seq -f 'page%06g.htm' 0 $(($2 - 1)) | xargs touch)
}

# write_list FILE COUNT FOLDER: a file list of COUNT entries in shuffled order, with the
# absolute addresses the utility writes; every tenth address is relative, as written by hand.
# Most entries name documents of FOLDER; every 25th is the folder itself (many entries share
# that path) and every 50th a document that does not exist.
write_list() {
  {
    printf '      http://www.example.com/ - file list\n\n'
    seq 0 $(($2 - 1)) | shuf --random-source=<(yes) | awk -v folder="$3" '{
      name = sprintf("page%06d.htm", $1)
      url = ($1 % 10 == 5 ? "" : "http://www.example.com/") "docs/"
      if ($1 % 25 == 0) printf "DIR=%s/\nURL=%s\n\n", folder, url
      else if ($1 % 50 == 1) printf "FILE=%s/missing/%s\nURL=%smissing/%s\n\n", folder, name, url, name
      else printf "FILE=%s/%s\nURL=%s%s\n\n", folder, name, url, name
    }'
  } >"$1"
}

# help_page FILE: 64 KiB of an end-user help page with CR LF line ends, for the editor.
help_page() {
  awk '{ text = text $0 "\r\n" }
       END { while (length(all) < 65536) all = all text; printf "%s", substr(all, 1, 65536) }' \
    >"$1" <<'EOF'
<h2>Searching the site</h2>
<p>Type one or more words in the box and press <b>Search</b>. The engine
lists the pages that hold your words, the most relevant first, with a few
quotations from each page &amp; a link to it.</p>
<ul>
<li><a href="#subject">Subject Search</a> finds pages about your words.</li>
<li><a href="#literal">Literal Search</a> finds the words exactly as typed.</li>
</ul>
<p>Put a phrase in double quotes, such as "opening hours", to find the
words side by side and in that order.</p>
EOF
}

# make_data FOLDER LIST_ENTRIES DOCS: the program's folder with its configuration, language
# files, a file list naming documents of DOCS and a 64 KiB file for the editor.
make_data() {
  local data=$1
  mkdir -p "$data"
  cp "$program" "$data/tvqconf.cgi"
  # Started from the program's folder, it finds the files where the program does.
  cp "$work/same_work" "$data/same_work"
  printf '%s\n' LANGUAGE=English.tvl FILELIST=filelist.txt HELPFILE=help.htm \
    SUBJECTLAYOUT=layout_s.htm LITERALLAYOUT=layout_l.htm SITEMAPLAYOUT=sitemap.htm \
    SITEROOTURL=http://www.example.com/ WORKDIR=workdir QUOTES=25 METHOD=FUZZY RELEVANCY=40 \
    >"$data/tovimarq.ini"
  printf '%s\n' tovimarq.ini other.ini >"$data/tvqconf.dat"
  cp "$data/tovimarq.ini" "$data/other.ini"
  for language in English German French Spanish; do
    printf 'NAME=%s\n' "$language" >"$data/$language.tvl"
  done
  write_list "$data/filelist.txt" "$2" "$3"
  cp "$data/filelist.txt" "$data/filelist.orig"
  help_page "$data/big.htm"
  printf '<html><body>Help</body></html>\n' >"$data/help.htm"
}

site=$work/site
make_files "$site/htdocs" 100
mkdir -p "$site/htdocs/docs" "$site/htdocs/news" "$site/htdocs/products"
make_data "$site/data" 100 "$site/htdocs"

# --- one request ------------------------------------------------------------------------------

# request_env DATA_DIR DOCUMENT_ROOT METHOD TEXT: exports the CGI environment of one request
# (the text is the query of a GET or the body of a POST, written to $work/body).
request_env() {
  export REMOTE_USER=admin GATEWAY_INTERFACE=CGI/1.1 DOCUMENT_ROOT=$2
  export SCRIPT_NAME=/cgi-bin/tovimarqdata/tvqconf.cgi
  unset QUERY_STRING CONTENT_LENGTH REQUEST_METHOD
  if [[ $3 == POST ]]; then
    printf '%s' "$4" >"$work/body"
    export REQUEST_METHOD=POST CONTENT_LENGTH=${#4}
  else
    : >"$work/body"
    export REQUEST_METHOD=GET QUERY_STRING=$4
  fi
}

# shown_version DATA_DIR QUERY: the id of the file that the page QUERY shows, as its form's
# hidden field "version" carries it to the save.
shown_version() {
  (request_env "$1" "$site/htdocs" GET "$2"; "$1/tvqconf.cgi" </dev/null | version_field)
}

# version_field: the value of the first field "version" of the page on standard input.
version_field() {
  # awk reads the page to its end, so the program never writes into a closed pipe.
  sed -n 's/.*name="version" value="\([^"]*\)".*/\1/p' | awk 'NR == 1'
}

# defaults_form QUOTES: the fields of the search defaults form as the sample site has them,
# with QUOTES quotations.
defaults_form() {
  printf '%s' "islanguage=&language=English&isfilelist=&filelist=filelist.txt&ishelpfile=&helpfile=help.htm&issiterooturl=&siterooturl=http%3A%2F%2Fwww.example.com%2F&isworkdir=&workdir=workdir&isquotes=&quotes=$1&ismethod=&method=FUZZY&isrelevancy=&relevancy=40"
}

# instructions COMMAND...: instructions the command executes, as counted by callgrind.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" <"$work/body" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

# median_ms CSV ROW: the median (or with --fastest the fastest run) of hyperfine's CSV
# export, row 1 to 4, in milliseconds.
median_ms() {
  awk -F, -v row="$2" -v column="$statistic" 'NR == row + 1 { printf "%.3f", $column * 1000 }' "$1"
}

# restore FILE: the hyperfine preparation that gives a writing action the same file every run.
restore() {
  printf 'cp %q %q' "$1.orig" "$1"
}

# times METHOD PROGRAM SAME_WORK...: hyperfine runs PROGRAM, the same-work floor (the command
# SAME_WORK...) and the static floor side by side, without a shell; prints the three medians in
# milliseconds. hyperfine gives a command no standard input, so a POST runs the program and the
# same-work floor through cgi_post, and the static floor both through it and alone, which
# measures what cgi_post adds; that is taken off the other two.
times() {
  local method=$1 program=$2 csv=$work/times.csv
  shift 2
  if [[ $method == GET ]]; then
    hyperfine -N --style none --warmup 10 --runs "$runs" --prepare "$prepare" \
      --export-csv "$csv" "$program" "$*" "$work/floor" >/dev/null 2>&1
    echo "$(median_ms "$csv" 1) $(median_ms "$csv" 2) $(median_ms "$csv" 3)"
  else
    hyperfine -N --style none --warmup 10 --runs "$runs" --prepare "$prepare" \
      --export-csv "$csv" "$work/cgi_post $work/body $program" "$work/cgi_post $work/body $*" \
      "$work/cgi_post $work/body $work/floor" "$work/floor" >/dev/null 2>&1
    awk -v p="$(median_ms "$csv" 1)" -v s="$(median_ms "$csv" 2)" -v pf="$(median_ms "$csv" 3)" \
      -v f="$(median_ms "$csv" 4)" 'BEGIN { printf "%.3f %.3f %.3f\n", p - pf + f, s - pf + f, f }'
  fi
}

# ratio A B: A / B to two places.
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'
}

# page NAME METHOD TEXT FILE_TO_RESTORE [SAME_WORK_OPTION...]: one row of the table. The
# same-work floor gets the options (files it reads, folders it lists, the file it saves, as
# same_work.c describes them) and the page's bytes as the program writes them.
page() {
  local name=$1 method=$2 text=$3 restored=$4
  shift 4
  local data=$site/data prepare=true
  # Every row starts with no change history, so a writing row's recorded changes do not
  # lengthen the log that later rows read.
  rm -rf "$data/tvqconf.history"
  if [[ -n $restored ]]; then
    cp "$data/$restored" "$data/$restored.orig"
    prepare=$(restore "$data/$restored")
  fi
  (
    request_env "$data" "$site/htdocs" "$method" "$text"
    local bytes=$work/page.html
    "$data/tvqconf.cgi" <"$work/body" >"$bytes"
    eval "$prepare"
    local sameWork=("$data/same_work" "$bytes" "$@")
    read -r ms sameMs floor < <(times "$method" "$data/tvqconf.cgi" "${sameWork[@]}")
    eval "$prepare"
    count=$(instructions "$data/tvqconf.cgi")
    eval "$prepare"
    sameCount=$(instructions "${sameWork[@]}")
    eval "$prepare"
    printf '| %-34s | %7s | %7s | %6s | %7s | %6s | %9s | %9s |\n' "$name" "$ms" "$floor" \
      "$(ratio "$ms" "$floor")" "$sameMs" "$(ratio "$ms" "$sameMs")" "$count" "$sameCount"
  )
}

echo "Program: $program"
echo "Floor instructions: $(request_env "$site/data" "$site/htdocs" GET ''; instructions "$work/floor")"
state=(-r tvqconf.dat)
config=("${state[@]}" -r tovimarq.ini)

if [[ $pages == yes ]]; then
  echo
  printf '| %-34s | %7s | %7s | %6s | %7s | %6s | %9s | %9s |\n' page ms 'floor' ratio \
    'same' ratio instr. 'same i.'
  printf '|%s|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..36})" --------- --------- -------- \
    --------- -------- ----------- -----------
  defsVersion=$(shown_version "$site/data" 'target=sdef')
  page 'main menu' GET 'target=main' '' "${state[@]}"
  page 'manage configurations' GET 'target=mconf' '' "${state[@]}"
  page 'test form' GET 'target=testform' '' "${config[@]}"
  page 'search defaults' GET 'target=sdef' '' "${config[@]}" -l .
  page 'save defaults (POST setdefs)' POST \
    "target=main&act=setdefs&ini=tovimarq.ini&version=$defsVersion&$(defaults_form 25)" \
    tovimarq.ini "${state[@]}" -s tovimarq.ini
  page 'editor file choice' GET 'target=redit' '' "${config[@]}"
  page 'add folder (POST adddir1)' POST \
    "target=flist&act=adddir1&curdir=$site/htdocs/news/&fname=filelist.txt&rempath=%2Fnews" \
    filelist.txt "${config[@]}" -s filelist.txt -l "$site/htdocs/news/"
  page 'file list (100 entries, 100 files)' GET 'target=flist' '' \
    "${config[@]}" -r filelist.txt -l "$site/htdocs/"
  page 'editor, 64 KiB file' POST 'target=editor&act=editfile&file=big.htm' '' \
    "${state[@]}" -r big.htm
fi

# --- the change history -------------------------------------------------------------------------

# form_text FILE TITLE: the text of FILE, the help page of help_page, with TITLE in its first
# line (as long as the line it replaces, so the file keeps its 64 KiB, the most the editor
# shows), as a browser posts a text area: CR LF line ends, encoded.
form_text() {
  printf '%%3Ch2%%3E%s%%3C%%2Fh2%%3E' "$(printf '%-18.18s' "$2" | tr ' ' +)"
  LC_ALL=C sed -e '1d' -e 's/\r$//' -e 's/%/%25/g' -e 's/&/%26/g' -e 's/+/%2B/g' \
    -e 's/=/%3D/g' -e 's/;/%3B/g' -e 's/#/%23/g' -e 's/ /+/g' "$1" |
    awk '{ printf "%%0D%%0A%s", $0 }'
  [[ $(tail -c 1 "$1" | od -An -c) != *'\n'* ]] || printf '%%0D%%0A'
}

# record_changes DATA_DIR COUNT: COUNT real saves through the program, each with its change
# recorded, taking turns: the editor saves the 64 KiB page big.htm with a new title line,
# and the search defaults are saved with another number of quotations. Every save posts the
# version that the page drawn after the previous one carries, as a browser would.
record_changes() {
  local data=$1 count=$2 editVersion defsVersion i
  editVersion=$(shown_version "$data" 'target=editor&act=editfile&file=big.htm')
  defsVersion=$(shown_version "$data" 'target=sdef')
  for ((i = 1; i <= count; i++)); do
    if ((i % 2)); then
      editVersion=$(request_env "$data" "$site/htdocs" POST \
        "target=editor&act=save&file=big.htm&version=$editVersion&text=$(form_text "$data/big.htm" "Revision $i")"
        "$work/cgi_post" "$work/body" "$data/tvqconf.cgi" | version_field)
    else
      defsVersion=$(request_env "$data" "$site/htdocs" POST \
        "target=sdef&act=setdefs&ini=tovimarq.ini&version=$defsVersion&$(defaults_form $((10 + i % 50)))"
        "$work/cgi_post" "$work/body" "$data/tvqconf.cgi" | version_field)
    fi
  done
  local recorded
  recorded=$(wc -l <"$data/tvqconf.history/log")
  ((recorded == count)) || { echo "$0: $recorded changes recorded, not $count" >&2; exit 1; }
}

# side_by_side ROW...: hyperfine runs the commands, each row "NAME|ENV|METHOD|TEXT" (ENV is
# an assignment for the program's environment), in one run; prints a row per command with its
# time, its ratio to the first command's and the instructions that callgrind counts. Each
# command gets its environment and its body through cgi_post; the static floor runs both
# through it and alone in the same run, which measures what it adds, and that is taken off.
# $prepare runs before each run.
side_by_side() {
  local data=$history/data csv=$work/side.csv row name assignment method text at
  local commands=() names=() counts=()
  for row in "$@"; do
    IFS='|' read -r name assignment method text <<<"$row"
    request_env "$data" "$site/htdocs" "$method" "$text"
    at=${#commands[@]}
    cp "$work/body" "$work/body.$at"
    commands+=("$work/cgi_post $work/body.$at $assignment REQUEST_METHOD=$REQUEST_METHOD \
QUERY_STRING=${QUERY_STRING-} CONTENT_LENGTH=${CONTENT_LENGTH-} $data/tvqconf.cgi")
    names+=("$name")
    eval "$prepare"
    counts+=("$(export "$assignment"; instructions "$data/tvqconf.cgi")")
  done
  (request_env "$data" "$site/htdocs" GET ''
   hyperfine -N --style none --warmup 10 --runs "$runs" --prepare "$prepare" \
     --export-csv "$csv" "${commands[@]}" "$work/cgi_post $work/body.0 TVQ_BENCH=1 $work/floor" \
     "$work/floor" >/dev/null 2>&1)
  local wrapped floor
  wrapped=$(median_ms "$csv" $((${#commands[@]} + 1)))
  floor=$(median_ms "$csv" $((${#commands[@]} + 2)))
  local times=() first
  for at in "${!commands[@]}"; do
    times+=("$(awk -v ms="$(median_ms "$csv" $((at + 1)))" -v w="$wrapped" -v f="$floor" \
      'BEGIN { printf "%.3f", ms - w + f }')")
  done
  first=${times[0]}
  for at in "${!commands[@]}"; do
    printf '| %-40s | %7s | %6s | %9s |\n' "${names[at]}" "${times[at]}" \
      "$(ratio "${times[at]}" "$first")" "${counts[at]}"
  done
  echo "(static floor ${floor} ms; cgi_post added $(awk -v w="$wrapped" -v f="$floor" 'BEGIN { printf "%.3f", w - f }') ms, taken off)"
}

history=$work/history
make_data "$history/data" 100 "$site/htdocs"
echo
echo "Recording 1000 changes ($(date -u +%T) UTC) ..."
record_changes "$history/data" 1000
log=$history/data/tvqconf.history/log
# The diff page shows the newest change of big.htm: one line of its 64 KiB replaced.
diffSequence=$(awk -F'\t' '$6 == "big.htm" { last = $1 } END { print last }' "$log")
echo "History: $(wc -l <"$log") changes, $(ls "$history/data/tvqconf.history/versions" | wc -l) versions kept, $(du -sk "$history/data/tvqconf.history" | cut -f1) KB"
echo
printf '| %-40s | %7s | %6s | %9s |\n' page ms ratio instr.
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..42})" --------- -------- -----------
prepare=true
# The pages need no variable of their own; TVQ_BENCH, which the program does not read, gives
# them the same one assignment as the saves.
side_by_side 'main menu|TVQ_BENCH=1|GET|target=main' \
  'history, 1000 changes (50 a page)|TVQ_BENCH=1|GET|target=history' \
  "diff of a change of a 64 KiB file|TVQ_BENCH=1|GET|target=histdiff&seq=$diffSequence"

# The save: the editor saves big.htm as it stands after the changes above, with a new title
# line. Before each run the file and the log are as they were and the previous content is
# not yet kept, so every recorded run keeps it (a link), appends a line to a log of 1000
# and prunes the versions to the newest 1000 changes.
data=$history/data
cp "$data/big.htm" "$data/big.htm.orig"
cp "$log" "$log.orig"
saveVersion=$(shown_version "$data" 'target=editor&act=editfile&file=big.htm')
printf '#!/bin/sh\ncp %q %q && cp %q %q && rm -f %q\n' "$data/big.htm.orig" "$data/big.htm" \
  "$log.orig" "$log" "$data/tvqconf.history/versions/$saveVersion" >"$work/restore_save"
chmod +x "$work/restore_save"
prepare=$work/restore_save
saveText="target=editor&act=save&file=big.htm&version=$saveVersion&text=$(form_text "$data/big.htm.orig" Saved)"
echo
printf '| %-40s | %7s | %6s | %9s |\n' save ms ratio instr.
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..42})" --------- -------- -----------
side_by_side "editor save, 64 KiB, without history|TVQ_HISTORY_CHANGES=0|POST|$saveText" \
  "editor save, 64 KiB, recorded|TVQ_HISTORY_CHANGES=1000|POST|$saveText"
# A kept sample site is left as the save found it.
"$prepare"

[[ $scale == yes ]] || exit 0

# --- the file list page at growing sizes ------------------------------------------------------

make_files "$work/docs" 100000

# scale SERIES ENTRIES FILES: the file list page with ENTRIES list entries while browsing a
# folder of FILES documents. The series "hand" reads the list as write_list makes it, as if
# written by hand; in "saved" the program first adds a folder to it, which saves the list
# sorted and with absolute addresses, as the utility leaves every list it writes; "folder"
# grows the browsed folder.
# Prints a row of the table; the growth compares the instructions with the previous row.
scale() {
  local series=$1 entries=$2 files=$3
  local data=$work/scale/data browse=$work/scale/browse
  rm -rf "$work/scale"
  make_data "$data" "$entries" "$work/docs"
  make_files "$browse" "$files"
  if [[ $series == saved ]]; then
    # Adding one more folder saves the whole list.
    (request_env "$data" "$browse" POST \
       "target=main&act=adddir1&fname=filelist.txt&curdir=$browse/&rempath=%2Fbrowse"
     "$work/cgi_post" "$work/body" "$data/tvqconf.cgi" >/dev/null)
  fi
  (
    request_env "$data" "$browse" GET 'target=flist'
    local scaleRuns=$((entries + files > 100000 ? 5 : 20))
    hyperfine -N --style none --warmup 2 --runs "$scaleRuns" --export-csv "$work/times.csv" \
      "$data/tvqconf.cgi" >/dev/null 2>&1
    local count kb listKb growth=-
    count=$(instructions "$data/tvqconf.cgi")
    kb=$(/usr/bin/time -f %M "$data/tvqconf.cgi" <"$work/body" 2>&1 >/dev/null | tail -1)
    listKb=$(($(stat -c %s "$data/filelist.txt") / 1024))
    [[ -s $work/previous ]] && growth=$(awk -v a="$count" -v b="$(cat "$work/previous")" 'BEGIN { printf "%.1fx", a / b }')
    echo "$count" >"$work/previous"
    printf '| %-7s | %7s | %7s | %8s | %13s | %8s | %6s | %7s | %7s |\n' "$series" "$entries" \
      "$files" "$(median_ms "$work/times.csv" 1)" "$count" "$((count / (entries + files)))" \
      "$growth" "$kb" "$listKb"
  )
}

echo
printf '| %-7s | %7s | %7s | %8s | %13s | %8s | %6s | %7s | %7s |\n' series entries files ms \
  instructions per\ item growth 'max KB' 'list KB'
printf '|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n' --------- --------- --------- ---------- \
  --------------- ---------- -------- --------- ---------
for series in hand saved; do
  : >"$work/previous"
  for count in 1000 10000 100000; do scale "$series" "$count" 100; done
done
: >"$work/previous"
for count in 1000 10000 100000; do scale folder 100 "$count"; done
