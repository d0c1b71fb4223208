#!/usr/bin/env bash
# Lays out a sample site with the utility and the engine stand-in, and writes the lighttpd
# configuration that serves it on the loopback address. Used by the demo and the browser tests.
#
#   scripts/site.sh SITE_DIR --build BUILD_DIR --port PORT [--no-auth] [--user NAME] [--password WORD]
#
# SITE_DIR gets:
#   htdocs/                          the document root, with a few folders of HTML documents
#   htdocs/cgi-bin/tovimarq.cgi      the engine stand-in
#   htdocs/cgi-bin/tovimarqdata/     the utility and the engine's data files
#   users                            the basic-authentication user file (user:password)
#   lighttpd.conf, logs/
# The sample documents and data files are written only when htdocs/ does not exist yet, so a
# site keeps its edits; the programs, the user file and the server configuration are renewed.
set -euo pipefail

usage() {
  echo "usage: $0 SITE_DIR --build BUILD_DIR --port PORT [--no-auth] [--user NAME] [--password WORD]" >&2
  exit 2
}

(($#)) || usage
site=$1
shift
build=''
port=''
protect=yes
user=admin
password=''
while (($#)); do
  case $1 in
    --build) build=${2:-}; shift 2 ;;
    --port) port=${2:-}; shift 2 ;;
    --no-auth) protect=no; shift ;;
    --user) user=${2:-}; shift 2 ;;
    --password) password=${2:-}; shift 2 ;;
    *) usage ;;
  esac
done
[[ -n $build && $port =~ ^[0-9]+$ && $user =~ ^[A-Za-z0-9_.-]+$ ]] || usage

mkdir -p "$site"
site=$(cd "$site" && pwd)
docroot=$site/htdocs
cgibin=$docroot/cgi-bin
data=$cgibin/tovimarqdata
siteurl=http://127.0.0.1:$port

# document PATH TITLE TEXT: a small HTML document under the document root.
document() {
  mkdir -p "$(dirname "$docroot/$1")"
  cat >"$docroot/$1" <<EOF
<html><head><title>$2</title></head>
<body>
<h1>$2</h1>
<p>$3</p>
</body></html>
EOF
}

write_documents() {
  document index.html "Sample site" "A sample site for the Tovimarq configuration utility.
<a href=\"/cgi-bin/tovimarqdata/tvqconf.cgi\">Open the configuration utility</a>."
  document docs/index.html "Documentation" "Manuals and answers to common questions."
  document docs/install.html "Installation" "How to install the widget controller."
  document docs/faq.html "Frequently asked questions" "Answers about widgets and gadgets."
  document products/index.html "Products" "Widgets, gadgets and their accessories."
  document products/widgets.html "Widgets" "Blue widgets, green widgets and red widgets."
  document products/gadgets.html "Gadgets" "Gadgets for every season."
  document products/archive/2025.html "Products of 2025" "The catalogue of the year 2025."
  document news/2026-11.html "News of November" "The winter catalogue is out."
  document news/2026-12.html "News of December" "Opening hours over the holidays."
}

write_config() {
  cat >"$data/tovimarq.ini" <<EOF
LANGUAGE=English.tvl
FILELIST=filelist.txt
HELPFILE=help.htm
SUBJECTLAYOUT=layout_s.htm
LITERALLAYOUT=layout_l.htm
SITEMAPLAYOUT=sitemap.htm
SITEROOTURL=$siteurl/
WORKDIR=workdir
QUOTES=25
METHOD=FUZZY
RELEVANCY=40
EOF
}

# One entry names a document that does not exist, so the page and the engine mark it.
write_file_list() {
  cat >"$data/filelist.txt" <<EOF
      $siteurl/ - file list

DIR=$docroot/docs/
URL=$siteurl/docs/

FILE=$docroot/index.html
URL=$siteurl/index.html

FILE=$docroot/news/2025-01.html
URL=$siteurl/news/2025-01.html

FILE=$docroot/news/2026-11.html
URL=$siteurl/news/2026-11.html

TREE=$docroot/products/
URL=$siteurl/products/

EOF
}

write_language_files() {
  printf '%s\n' "; Tovimarq language file: English" "NAME=English" "SEARCH=Search" \
    "HELP=Help" "SITEMAP=Site Map" "NOTHINGFOUND=Nothing was found." >"$data/English.tvl"
  printf '%s\n' "; Tovimarq language file: German" "NAME=Deutsch" "SEARCH=Suchen" \
    "HELP=Hilfe" "SITEMAP=Inhaltsverzeichnis" "NOTHINGFOUND=Nichts gefunden." >"$data/German.tvl"
}

# template FILE TITLE: a report template, site map template or help file.
template() {
  cat >"$data/$1" <<EOF
<html><head><title>$2</title></head>
<body bgcolor="#ffffff">
<h2>$2</h2>
<!-- The engine puts its report here. -->
</body></html>
EOF
}

write_data_files() {
  mkdir -p "$data/workdir"
  write_config
  write_file_list
  write_language_files
  template layout_s.htm "Subject Search results"
  template layout_l.htm "Literal Search results"
  template sitemap.htm "Site map"
  template help.htm "How to search this site"
}

install_programs() {
  mkdir -p "$data"
  install -m 755 "$build/src/tvqconf.cgi" "$data/tvqconf.cgi"
  install -m 755 "$build/tools/engine-standin/tovimarq.cgi" "$cgibin/tovimarq.cgi"
}

write_users() {
  if [[ -z $password ]]; then
    password=$(sed -n "s/^$user://p" "$site/users" 2>/dev/null || true)
  fi
  if [[ -z $password ]]; then
    password=$(tr -dc 'a-z0-9' </dev/urandom | head -c 12 || true)
  fi
  (umask 077 && echo "$user:$password" >"$site/users")
}

write_server_config() {
  mkdir -p "$site/logs"
  local auth=''
  if [[ $protect == yes ]]; then
    auth="
# The utility's folder asks for a password; the engine stays public.
\$HTTP[\"url\"] =~ \"^/cgi-bin/tovimarqdata/\" {
  auth.backend = \"plain\"
  auth.backend.plain.userfile = \"$site/users\"
  auth.require = ( \"\" => ( \"method\" => \"basic\", \"realm\" => \"Tovimarq configuration\", \"require\" => \"valid-user\" ) )
}"
  fi
  cat >"$site/lighttpd.conf" <<EOF
# Generated by scripts/site.sh: serves $docroot on 127.0.0.1:$port.
server.modules = ( "mod_access", "mod_auth", "mod_authn_file", "mod_cgi" )
server.document-root = "$docroot"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$site/logs/error.log"
index-file.names = ( "index.html" )
mimetype.assign = ( ".html" => "text/html", ".htm" => "text/html", ".txt" => "text/plain" )

# cgi-bin/ lies inside the document root without an alias, so each program
# receives one DOCUMENT_ROOT, the document root. Only its programs are served.
\$HTTP["url"] =~ "^/cgi-bin/" {
  cgi.assign = ( ".cgi" => "" )
  \$HTTP["url"] !~ "\\.cgi\$" {
    url.access-deny = ( "" )
  }
}
$auth
EOF
}

[[ -d $docroot ]] || { write_documents && mkdir -p "$data" && write_data_files; }
install_programs
write_users
write_server_config
