#!/usr/bin/env bash
# The Debian package and the installed program, as CTest runs them:
#   pacote.sh construir <build folder> <version> <package folder>
#       builds the .deb with CPack and checks its control fields, its file list (the same as
#       `cmake --install`), its menu entry, icons and metainfo;
#   pacote.sh validar <.deb> <source folder>
#       desktop-file-validate, appstreamcli validate and lintian on it;
#   pacote.sh instalado <.deb or build folder> <session driver>
#       installs the program into a temporary root (the .deb extracted, or `cmake --install`)
#       and runs it there as an unprivileged user, checking where its parameter file goes;
#       then, as root with a .deb, installs it for real with dpkg, runs it as root and as
#       `nobody`, and removes it.
# Run as root, the program runs as `nobody`, so that permissions are real; run as another
# user, as that user, with the read-only folders made read-only for it.
set -uo pipefail

falhas=0
falha() { echo "FALHOU: $*" >&2; falhas=$((falhas + 1)); }
espera() {  # espera <description> <expected> <obtained>
  [ "$2" = "$3" ] || falha "$1: esperado '$2', obtido '$3'"
}
temporaria=$(mktemp -d /tmp/vestamar-pacote.XXXXXX)
chmod 755 "$temporaria"
trap 'chmod -R u+w "$temporaria" 2>/dev/null; rm -rf "$temporaria"' EXIT

# Regular files and symbolic links under a root, relative to it, sorted.
arquivos() { (cd "$1" && find . \( -type f -o -type l \) | sort); }

construir() {
  local build=$1 versao=$2 saida=$3
  rm -rf "$saida" && mkdir -p "$saida"
  (cd "$build" && cpack -G DEB -B "$saida" >"$saida/cpack.log" 2>&1) || { cat "$saida/cpack.log"; falha "cpack"; return; }
  local deb
  deb=$(ls "$saida"/vestamar_*.deb)
  espera "nome do pacote" "$saida/vestamar_${versao}_amd64.deb" "$deb"

  espera "Package" vestamar "$(dpkg-deb -f "$deb" Package)"
  espera "Version" "$versao" "$(dpkg-deb -f "$deb" Version)"
  local depende
  depende="$(dpkg-deb -f "$deb" Depends), $(dpkg-deb -f "$deb" Recommends)"
  for pacote in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libcups2 fonts-liberation qt6-translations-l10n; do
    local vezes
    vezes=$(tr ',' '\n' <<<"$depende" | sed 's/^ *//; s/ .*//' | grep -cx "$pacote")
    espera "dependência $pacote nomeada uma vez ($depende)" 1 "$vezes"
  done
  local manual

  # The package holds exactly what `cmake --install` puts under /usr.
  local raiz=$temporaria/deb instalado=$temporaria/instalado
  dpkg-deb -x "$deb" "$raiz"
  DESTDIR=$instalado cmake --install "$build" --prefix /usr >/dev/null || falha "cmake --install"
  espera "arquivos do pacote e de cmake --install" "$(arquivos "$instalado")" "$(arquivos "$raiz")"
  for necessario in usr/bin/vestamar usr/share/doc/vestamar/README.md usr/share/doc/vestamar/copyright; do
    [ -f "$raiz/$necessario" ] || falha "$necessario ausente"
  done

  # One menu entry and one metainfo file, with one id; the entry's icon and program installed.
  local entradas metainfos id
  entradas=$(cd "$raiz/usr/share/applications" 2>/dev/null && ls ./*.desktop)
  metainfos=$(cd "$raiz/usr/share/metainfo" 2>/dev/null && ls ./*.metainfo.xml)
  id=$(basename "$entradas" .desktop)
  [[ $id == *.*.* ]] || falha "nome da entrada de menu não é DNS reverso: '$entradas'"
  espera "metainfo com o nome da entrada" "./$id.metainfo.xml" "$metainfos"
  local desktop=$raiz/usr/share/applications/$id.desktop metainfo=$raiz/usr/share/metainfo/$id.metainfo.xml
  [ -x "$raiz/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || falha "Exec não é o programa instalado"
  local icone
  icone=$(sed -n 's/^Icon=//p' "$desktop")
  for tamanho in 16 32 48 256; do
    local png=$raiz/usr/share/icons/hicolor/${tamanho}x${tamanho}/apps/$icone.png
    file "$png" | grep -q "PNG image data, $tamanho x $tamanho," || falha "ícone $icone de $tamanho px: $(file "$png")"
  done
  grep -q "<id>$id</id>" "$metainfo" || falha "id do metainfo"
  # The installed program's marker, and a manual page without English hyphenation that says
  # what a user needs: keys, where the file is, the lock, the copy, printing, the copy of results.
  [ -f "$raiz/usr/share/vestamar/instalado" ] || falha "marcador de programa instalado ausente"
  manual=$(zcat "$raiz/usr/share/man/man1/vestamar.1.gz")
  grep -qx '\.nh' <<<"$manual" || falha "manual sem .nh (hifenização em inglês)"
  for trecho in Alt+S F1 /etc/vestaMar/vestaMar.ini vestaMar.ini.lock vestaMar.ini.bak PDF "Copiar resultados" "~/.config/vestaMar"; do
    grep -qF -- "$trecho" <<<"$manual" || falha "manual não fala de $trecho"
  done
  local texto
  texto=$(MANWIDTH=80 man -l "$raiz/usr/share/man/man1/vestamar.1.gz" 2>/dev/null | col -b)
  grep -q -- '‐$' <<<"$texto" && falha "manual hifenizado: $(grep -- '‐$' <<<"$texto" | head -1)"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || falha "launchable do metainfo"
}

# The validators' verdicts on what the package installs, and lintian's on the package.
validar() {
  local deb=$1 fonte=$2 raiz=$temporaria/deb saida=$temporaria
  dpkg-deb -x "$deb" "$raiz"
  local desktop metainfo
  desktop=$(ls "$raiz"/usr/share/applications/*.desktop)
  metainfo=$(ls "$raiz"/usr/share/metainfo/*.metainfo.xml)
  desktop-file-validate "$desktop" || falha "desktop-file-validate"
  appstreamcli validate --no-net "$metainfo" >"$saida/appstream.log" 2>&1 || { cat "$saida/appstream.log"; falha "appstreamcli validate"; }
  # No lintian error; every warning left is explained in the README.
  lintian "$deb" >"$saida/lintian.log" 2>&1
  grep '^E: ' "$saida/lintian.log" && falha "lintian encontrou erros"
  local aviso
  for aviso in $(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' "$saida/lintian.log" | sort -u); do
    grep -q -- "$aviso" "$fonte/README.md" || falha "aviso do lintian '$aviso' não explicado no README"
  done
}

# The prefix that runs a command as the unprivileged user, with its own HOME and nothing else
# of ours in the environment, into the array `usuario`.
como_usuario() {
  usuario=(env -i HOME="$1" PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen
           ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}")
  if [ "$(id -u)" -eq 0 ]; then usuario=(runuser -u nobody -- "${usuario[@]}"); fi
}

# A fresh HOME for the user; `somente-leitura` makes it a folder where nothing can be created.
casa() {
  local c=$temporaria/casa-$1
  mkdir -p "$c" && chmod 777 "$c"
  [ "${2:-}" = somente-leitura ] && chmod 555 "$c"
  echo "$c"
}

# A session: runs the driver, keeps its output in $saida and its exit code in $codigo.
sessao() {  # sessao <home> <program folder> <answer> [quantDeps]
  local c=$1; shift
  como_usuario "$c"
  saida=$("${usuario[@]}" "$driver" "$@" 2>"$temporaria/erros")
  codigo=$?
  [ "$codigo" -le 3 ] || { cat "$temporaria/erros" >&2; falha "a sessão terminou com $codigo"; }
}
valor() { sed -n "s/^$1=//p" <<<"$saida"; }
chave() { sed -n "s/^$2=\([^\r]*\)\r\$/\1/p" "$1" 2>/dev/null; }  # chave <file> <key>

instalado() {
  local raiz=$temporaria/raiz
  if [ -f "$1" ]; then
    dpkg-deb -x "$1" "$raiz" || falha "dpkg-deb -x"
  else
    DESTDIR=$raiz cmake --install "$1" --prefix /usr >/dev/null || falha "cmake --install"
  fi
  driver=$temporaria/vestamar_sessao
  cp "$2" "$driver" && chmod 755 "$driver"
  local bin=$raiz/usr/bin
  chmod 555 "$bin"

  # The installed program itself: as the user, it starts, stays up with its window, and the
  # file of defaults it writes at start-up is in the user's folder, not beside it.
  local c0 pid
  c0=$(casa 0)
  como_usuario "$c0"
  "${usuario[@]}" "$bin/vestamar" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 100); do [ -f "$c0/.config/vestaMar/vestaMar.ini" ] && break; sleep 0.2; done
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || falha "o programa instalado não ficou aberto"
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  espera "padrões do programa instalado" 0 "$(chave "$c0/.config/vestaMar/vestaMar.ini" quantDeps)"
  [ -e "$bin/vestaMar.ini" ] && falha "o programa instalado gravou ao lado do executável"

  # Installed: the user's folder; a second start reads back what the first saved.
  local c1 arquivo1
  c1=$(casa 1)
  arquivo1=$c1/.config/vestaMar/vestaMar.ini
  sessao "$c1" "$bin" nao 7
  espera "pasta do instalado" "$c1/.config/vestaMar" "$(valor pasta)"
  espera "módulo de impressão do instalado" sim "$(valor impressao)"
  espera "quantDeps gravado pelo usuário" 7 "$(chave "$arquivo1" quantDeps)"
  sessao "$c1" "$bin" nao
  espera "quantDeps lido na segunda vez" 7 "$(valor lido)"
  [ -e "$bin/vestaMar.ini" ] && falha "gravou ao lado do executável instalado"

  # A copy in a folder the user can write: the file stays beside the executable.
  local copia=$temporaria/copia c2
  mkdir -p "$copia" && chmod 777 "$copia"
  c2=$(casa 2)
  sessao "$c2" "$copia" nao 5
  espera "pasta da cópia gravável" "$copia" "$(valor pasta)"
  espera "quantDeps ao lado da cópia" 5 "$(chave "$copia/vestaMar.ini" quantDeps)"
  [ -e "$c2/.config/vestaMar" ] && falha "a cópia gravável usou a pasta do usuário"

  # An administrator's file beside the installed program seeds the user's file once and is
  # never written: later changes to it do not reach a user who already has a file.
  local site=$temporaria/site c3 antes
  mkdir -p "$site"
  printf 'quantDeps=4\r\n' >"$site/vestaMar.ini"
  chmod 444 "$site/vestaMar.ini" && chmod 555 "$site"
  antes=$(md5sum <"$site/vestaMar.ini")
  c3=$(casa 3)
  sessao "$c3" "$site" nao 6
  espera "quantDeps semeado do administrador" 4 "$(valor lido)"
  espera "quantDeps gravado sobre o semeado" 6 "$(chave "$c3/.config/vestaMar/vestaMar.ini" quantDeps)"
  chmod 755 "$site" && chmod 644 "$site/vestaMar.ini"
  printf 'quantDeps=9\r\n' >"$site/vestaMar.ini"
  antes=$(md5sum <"$site/vestaMar.ini")
  chmod 444 "$site/vestaMar.ini" && chmod 555 "$site"
  sessao "$c3" "$site" nao
  espera "quantDeps do usuário mantido" 6 "$(valor lido)"
  espera "arquivo do administrador intacto" "$antes" "$(md5sum <"$site/vestaMar.ini")"

  # An existing file the user can write, in a folder it cannot: used in place.
  local lugar=$temporaria/lugar c4
  mkdir -p "$lugar"
  printf 'quantDeps=2\r\n' >"$lugar/vestaMar.ini"
  chmod 666 "$lugar/vestaMar.ini" && chmod 555 "$lugar"
  c4=$(casa 4)
  sessao "$c4" "$lugar" sim
  espera "pasta do arquivo gravável no lugar" "$lugar" "$(valor pasta)"
  espera "quantDeps lido no lugar" 2 "$(valor lido)"
  [ -e "$c4/.config/vestaMar" ] && falha "o arquivo gravável no lugar foi trocado pela pasta do usuário"

  # Nowhere to write: `Sair` asks; "Não" keeps the window open, "Sim" leaves without saving.
  local c5
  c5=$(casa 5 somente-leitura)
  sessao "$c5" "$bin" nao 3
  espera "janela aberta depois de recusar sair sem gravar" 3 "$codigo"
  [[ $(valor pergunta) == *"Sair sem gravar?"* ]] || falha "Sair não perguntou: $saida"
  sessao "$c5" "$bin" sim 3
  espera "janela fechada depois de aceitar sair sem gravar" 0 "$codigo"
  [ -z "$(ls -A "$c5")" ] && [ ! -e "$bin/vestaMar.ini" ] || falha "gravou algo sem ter onde gravar"
}

# The real package, installed with dpkg as an office's administrator installs it, run as root
# and as `nobody` with a HOME that does not exist, then removed. Runs only as root, when no
# vestamar package is installed already; one such test at a time on the machine.
instalado_com_dpkg() {
  local deb=$1
  [ "$(id -u)" -eq 0 ] || { echo "dpkg: não é root, instalação real não testada"; return; }
  exec 9>/tmp/vestamar-pacote-dpkg.lock
  flock -w 240 9 || { falha "outra instalação de teste não terminou"; return; }
  if dpkg -s vestamar >/dev/null 2>&1; then echo "dpkg: vestamar já instalado nesta máquina, instalação real não testada"; return; fi
  # The administrator's folder is the test's own only when it did not exist before.
  # What a faulty program would write beside itself is removed too, so the machine is left clean.
  etc_existia=0
  [ -e /etc/vestaMar ] && etc_existia=1
  if ls /usr/bin/vestaMar.ini* >/dev/null 2>&1; then falha "já existe vestaMar.ini em /usr/bin"; return; fi
  remover() {
    dpkg -s vestamar >/dev/null 2>&1 && { dpkg -r vestamar >/dev/null 2>&1 || falha "dpkg -r"; }
    [ "$etc_existia" -eq 1 ] || rm -rf /etc/vestaMar
    rm -f /usr/bin/vestaMar.ini /usr/bin/vestaMar.ini.lock /usr/bin/vestaMar.ini.bak
  }
  trap 'remover; chmod -R u+w "$temporaria" 2>/dev/null; rm -rf "$temporaria"' EXIT
  local tentativa
  for tentativa in $(seq 60); do
    dpkg -i "$deb" >"$temporaria/dpkg.log" 2>&1 && break
    grep -q "lock" "$temporaria/dpkg.log" || break
    sleep 2
  done
  dpkg -s vestamar 2>/dev/null | grep -q '^Status: install ok installed' || { cat "$temporaria/dpkg.log"; falha "dpkg -i"; return; }
  local lista
  lista=$(dpkg -L vestamar)

  # Root, HOME its own: the user's folder, nothing beside /usr/bin/vestamar, also from the real
  # program left running a moment.
  local c6=$temporaria/casa-root pid
  mkdir -p "$c6"
  env -i HOME="$c6" PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen /usr/bin/vestamar >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 100); do [ -f "$c6/.config/vestaMar/vestaMar.ini" ] && break; sleep 0.2; done
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  [ -f "$c6/.config/vestaMar/vestaMar.ini" ] || falha "o programa instalado, como root, não criou o arquivo do usuário"
  saida=$(env -i HOME="$c6" PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen "$driver" /usr/bin nao 8 2>"$temporaria/erros")
  espera "pasta de root instalado" "$c6/.config/vestaMar" "$(valor pasta)"
  espera "quantDeps de root" 8 "$(chave "$c6/.config/vestaMar/vestaMar.ini" quantDeps)"
  ls /usr/bin/vestaMar.ini* >/dev/null 2>&1 && falha "o programa instalado gravou em /usr/bin"

  # The administrator's file in /etc/vestaMar seeds a new user's file; `nobody`, whose HOME
  # does not exist, sees its values, is told once that nothing can be saved and where, and
  # `Sair` asks.
  mkdir -p /etc/vestaMar
  printf 'quantDeps=4\r\nprodBruta=3333\r\n' >/etc/vestaMar/vestaMar.ini
  local c7=$temporaria/casa-root2
  mkdir -p "$c7"
  saida=$(env -i HOME="$c7" PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen "$driver" /usr/bin nao 2>"$temporaria/erros")
  espera "quantDeps semeado de /etc/vestaMar" 4 "$(valor lido)"
  espera "arquivo semeado" 4 "$(chave "$c7/.config/vestaMar/vestaMar.ini" quantDeps)"
  saida=$(runuser -u nobody -- env -i HOME=/nonexistent-vestamar PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen \
          "$driver" /usr/bin nao 2>"$temporaria/erros")
  codigo=$?
  espera "nobody sem HOME: valores do administrador" 4 "$(valor lido)"
  [[ $(valor pergunta) == *"/nonexistent-vestamar/.config/vestaMar/vestaMar.ini"*"não poderão ser gravadas"* ]] || falha "nobody não foi avisado: $saida"
  [[ $(valor pergunta) == *"Sair sem gravar?"* ]] || falha "Sair não perguntou a nobody: $saida"
  espera "janela de nobody aberta depois de recusar sair sem gravar" 3 "$codigo"
  ls /usr/bin/vestaMar.ini* >/dev/null 2>&1 && falha "gravou em /usr/bin"
  espera "arquivo do administrador intacto" "$(printf 'quantDeps=4\r\nprodBruta=3333\r\n')" "$(cat /etc/vestaMar/vestaMar.ini)"

  # Removed: nothing the package put remains.
  dpkg -r vestamar >/dev/null 2>&1 || falha "dpkg -r"
  local restos
  restos=$(while read -r f; do [ -f "$f" ] || [ -L "$f" ] && echo "$f"; done <<<"$lista")
  [ -z "$restos" ] || falha "restou depois da remoção: $restos"
  [ -e /usr/share/vestamar ] && falha "restou /usr/share/vestamar"
  ls /usr/bin/vestaMar.ini* >/dev/null 2>&1 && falha "restou vestaMar.ini em /usr/bin"
  remover
}

case ${1:-} in
  construir) construir "$2" "$3" "$4" ;;
  validar) validar "$2" "$3" ;;
  instalado) instalado "$2" "$3"; [ -f "$2" ] && instalado_com_dpkg "$2" ;;
  *) echo "uso: $0 construir <build> <versão> <saída> | validar <.deb> <fonte> | instalado <.deb ou build> <driver>" >&2; exit 2 ;;
esac
[ "$falhas" -eq 0 ] && echo "pacote: tudo certo" && exit 0
echo "pacote: $falhas falha(s)" >&2
exit 1
