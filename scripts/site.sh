#!/usr/bin/env bash
# Lays out a sample site with the utility and the engine stand-in, and writes the lighttpd or
# Apache configuration that serves it on the loopback address. Used by the demo and the browser
# tests. The rules for the programs' folders are the ones docs/deploy.md gives, taken from it.
#
#   scripts/site.sh SITE_DIR --build BUILD_DIR --port PORT
#                   [--server lighttpd|debian-lighttpd|apache] [--no-auth]
#                   [--user NAME] [--password WORD]
#
# --server lighttpd serves the site with a configuration of its own, debian-lighttpd with
# Debian's installed /etc/lighttpd/lighttpd.conf given this site's folders and port, apache as
# Debian's Apache serves /usr/lib/cgi-bin/. The utility runs actions only for requests sent to
# 127.0.0.1:PORT or localhost:PORT (TVQ_ALLOWED_HOSTS).
#
# SITE_DIR gets:
#   htdocs/                          the document root, with a few folders of HTML documents
#   htdocs/cgi-bin/tovimarq.cgi      the engine stand-in
#   htdocs/cgi-bin/tovimarqdata/     the utility and the engine's data files
#   users, htpasswd                  the user and password (user:password), and the password file
#   lighttpd.conf, logs/             (debian-lighttpd: and conf-enabled/) or apache2.conf, logs/
# The sample documents and data files are written only when htdocs/ does not exist yet, so a
# site keeps its edits; the programs, the user file and the server configuration are renewed.
# When the port changed, the addresses this script wrote with the old one are moved to the new.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

usage() {
  echo usage: >&2
  sed -n '6,8s/^#//p' "$0" >&2
  exit 2
}

(($#)) || usage
site=$1
shift
build=''
port=''
protect=yes
server=lighttpd
user=admin
password=''
while (($#)); do
  case $1 in
    --build) build=${2:-}; shift 2 ;;
    --port) port=${2:-}; shift 2 ;;
    --server) server=${2:-}; shift 2 ;;
    --no-auth) protect=no; shift ;;
    --user) user=${2:-}; shift 2 ;;
    --password) password=${2:-}; shift 2 ;;
    *) usage ;;
  esac
done
[[ -n $build && $port =~ ^[0-9]+$ && $user =~ ^[A-Za-z0-9_.-]+$ ]] || usage
[[ $server == lighttpd || $server == debian-lighttpd || $server == apache ]] || usage

mkdir -p "$site"
site=$(cd "$site" && pwd)
docroot=$site/htdocs
cgibin=$docroot/cgi-bin
data=$cgibin/tovimarqdata
siteurl=http://127.0.0.1:$port
# The names the site is served under: the utility runs no action for a request sent
# to any other (a name that someone else's DNS points at this machine).
allowed_hosts=127.0.0.1:$port,localhost:$port

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
  local report
  report=$(htpasswd -cbB "$site/htpasswd" "$user" "$password" 2>&1) || { echo "$report" >&2; exit 1; }
}

generated_header() {
  echo "# Generated by scripts/site.sh: serves $docroot on 127.0.0.1:$port."
}

# The port that the site's server configuration was written for; empty for a new site.
laid_out_port() {
  sed -n '1s/^# Generated by scripts\/site\.sh: serves .* on 127\.0\.0\.1:\([0-9]*\)\.$/\1/p' \
    "$server_config" 2>/dev/null || true
}

# move_addresses OLD_PORT: the file lists' headers and URL lines and the configurations'
# SITEROOTURL lines that name the old site address name the new one; everything else in the
# data files stays as the administrator left it.
move_addresses() {
  local old="http://127\.0\.0\.1:$1/" file moved=()
  for file in "$data"/*.ini "$data"/*.txt; do
    grep -q "$old" "$file" 2>/dev/null || continue
    sed -i -E "1s#^([[:space:]]*)$old#\1$siteurl/#; s#^(SITEROOTURL=|URL=)$old#\1$siteurl/#I" "$file"
    moved+=("${file##*/}")
  done
  ((${#moved[@]} == 0)) || echo "Moved the addresses from port $1 to port $port in: ${moved[*]}"
}

# documented_block FIRST_LINE: the configuration block of docs/deploy.md that begins with the
# line FIRST_LINE (indented as a code block there), without its indentation.
documented_block() {
  local block
  block=$(awk -v first="    $1" '
    found && !/^    / && !/^$/ { exit }
    $0 == first { found = 1 }
    found { sub(/^    /, ""); print }' "$repo/docs/deploy.md")
  if [[ -z $block ]]; then
    echo "$0: docs/deploy.md has no configuration block that begins with: $1" >&2
    exit 1
  fi
  echo "$block"
}

# The rules of docs/deploy.md's 50-tovimarq.conf with this site's paths; without the password
# for --no-auth.
documented_lighttpd_block() {
  local block
  block=$(documented_block '# /etc/lighttpd/conf-enabled/50-tovimarq.conf: the Tovimarq engine and its utility in /var/www/html/cgi-bin/')
  [[ $protect == yes ]] || block=$(grep -v '^ *auth\.' <<<"$block")
  block=${block//\/etc\/lighttpd\/tovimarq.htpasswd/"$site/htpasswd"}
  echo "${block//\/var\/www\/html/"$docroot"}"
}

lighttpd_site_settings() {
  cat <<EOF
# The utility runs actions only for requests sent to this site's own addresses.
\$HTTP["url"] =~ "^/cgi-bin/tovimarqdata/" {
  setenv.add-environment = ( "TVQ_ALLOWED_HOSTS" => "$allowed_hosts" )
}
EOF
}

write_lighttpd_config() {
  cat >"$site/lighttpd.conf" <<EOF
$(generated_header)
server.modules = ( "mod_access" )
server.document-root = "$docroot"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$site/logs/error.log"
index-file.names = ( "index.html" )
mimetype.assign = ( ".html" => "text/html", ".htm" => "text/html", ".txt" => "text/plain" )

# cgi-bin/ lies inside the document root without an alias, so each program
# receives one DOCUMENT_ROOT, the document root.
$(documented_lighttpd_block)

$(lighttpd_site_settings)
EOF
}

# Debian's installed lighttpd.conf with this site's document root, log, process id file,
# address and conf-enabled/ folder, which holds the rules of docs/deploy.md; everything else,
# down to the modules it loads and the user it serves as, as installed.
write_debian_lighttpd_config() {
  local stock=/etc/lighttpd/lighttpd.conf config expected
  [[ -r $stock ]] || { echo "$0: $stock is missing (package lighttpd)" >&2; exit 1; }
  config=$(sed -E \
    -e "s#^(server\.document-root +=).*#\1 \"$docroot\"#" \
    -e "s#^(server\.errorlog +=).*#\1 \"$site/logs/error.log\"#" \
    -e "s#^(server\.pid-file +=).*#\1 \"$site/lighttpd.pid\"#" \
    -e "s#^(server\.port +=).*#\1 $port\nserver.bind = \"127.0.0.1\"#" \
    -e "s#^include_shell \"/usr/share/lighttpd/use-ipv6\.pl.*#\# IPv6 left out: the site listens on 127.0.0.1 only.#" \
    -e "s#^include \"/etc/lighttpd/conf-enabled/\*\.conf\"#include \"$site/conf-enabled/*.conf\"#" \
    "$stock")
  for expected in "\"$docroot\"" "$site/logs/error.log" "$site/lighttpd.pid" "server.bind" \
                  "IPv6 left out" "$site/conf-enabled/"; do
    if ! grep -qF "$expected" <<<"$config"; then
      echo "$0: $stock has changed: cannot give it this site's $expected" >&2
      exit 1
    fi
  done
  printf '%s\n%s\n' "$(generated_header)" "$config" >"$site/lighttpd.conf"
  rm -rf "$site/conf-enabled"
  mkdir "$site/conf-enabled"
  documented_lighttpd_block >"$site/conf-enabled/50-tovimarq.conf"
  lighttpd_site_settings >"$site/conf-enabled/60-site.conf"
}

# The block for the utility's folder from docs/deploy.md with this site's paths, so that the
# Apache site runs the documented configuration; without the password for --no-auth.
documented_apache_block() {
  local block
  block=$(documented_block '<Directory "/usr/lib/cgi-bin/tovimarqdata">')
  [[ $protect == yes ]] || block=$(grep -v -E '^ *(Auth|Require valid-user)' <<<"$block")
  block=${block//\/etc\/apache2\/tovimarq.htpasswd/"$site/htpasswd"}
  echo "${block//\/usr\/lib\/cgi-bin/"$cgibin"}"
}

write_apache_config() {
  local module modules=''
  for module in mpm_event authz_core authn_core authn_file auth_basic authz_user alias cgid env; do
    modules+="LoadModule ${module}_module /usr/lib/apache2/modules/mod_$module.so"$'\n'
  done
  cat >"$site/apache2.conf" <<EOF
$(generated_header)
ServerRoot "$site"
ServerName 127.0.0.1
Listen 127.0.0.1:$port
ErrorLog "$site/logs/error.log"
# The CGI daemon's socket and the other run-time files: Debian's default, /run/apache2, exists
# only once its own Apache has been started. The process id file of the site's own, so that
# sites served at the same time do not take each other for a running server.
DefaultRuntimeDir "$site/logs"
PidFile "$site/logs/apache2.pid"
# Started by root, the server drops to the user that Debian's Apache serves as.
User www-data
Group www-data
$modules
DocumentRoot "$docroot"
<Directory "$docroot">
    Require all granted
</Directory>

# The CGI folder, served as Debian's serve-cgi-bin.conf serves /usr/lib/cgi-bin/.
ScriptAlias /cgi-bin/ "$cgibin/"
SetEnv TVQ_ALLOWED_HOSTS "$allowed_hosts"
<Directory "$cgibin">
    AllowOverride None
    Options +ExecCGI -MultiViews +SymLinksIfOwnerMatch
    Require all granted
</Directory>

$(documented_apache_block)

# The utility runs actions only for requests sent to this site's own addresses.
<Directory "$data">
    SetEnv TVQ_ALLOWED_HOSTS "$allowed_hosts"
</Directory>
EOF
}

# When a server that drops to www-data (Apache, Debian's lighttpd) is started by root, the
# ownership that docs/deploy.md gives: the programs stay root's, the data files become
# www-data's, in a folder that only root and www-data enter and whose sticky bit keeps www-data
# from replacing files it does not own; the password file is root's and readable by www-data.
# The log folder is www-data's, since lighttpd opens its log after dropping to that user.
prepare_for_www_data() {
  ((EUID == 0)) || return 0
  chmod 755 "$site"
  chown root:www-data "$data" "$site/htpasswd"
  chmod 1770 "$data"
  chmod 640 "$site/htpasswd"
  chown www-data:www-data "$site/logs"
  find "$data" -mindepth 1 ! -name tvqconf.cgi -exec chown www-data:www-data {} +
}

server_config=$site/lighttpd.conf
[[ $server != apache ]] || server_config=$site/apache2.conf
old_port=$(laid_out_port)
if [[ ! -d $docroot ]]; then
  write_documents && mkdir -p "$data" && write_data_files
elif [[ -n $old_port && $old_port != "$port" ]]; then
  move_addresses "$old_port"
fi
install_programs
write_users
mkdir -p "$site/logs"
case $server in
  lighttpd) write_lighttpd_config ;;
  debian-lighttpd) write_debian_lighttpd_config && prepare_for_www_data ;;
  apache) write_apache_config && prepare_for_www_data ;;
esac
