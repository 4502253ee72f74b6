#!/usr/bin/env bash
# The Debian package and the installed program, as CTest runs them:
#   pacote.sh construir <build folder> <version> <package folder>
#       builds the .deb with CPack and checks its control fields, its file list (the same as
#       `cmake --install`), its menu entry, icons, metainfo and manual page;
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
  local build=$1 versao=$2 saida=$3 raiz=$temporaria/deb instalado=$temporaria/instalado
  local deb depende pacote trecho id desktop metainfo icone tamanho manual
  rm -rf "$saida" && mkdir -p "$saida"
  (cd "$build" && cpack -G DEB -B "$saida" >"$saida/cpack.log" 2>&1) || { cat "$saida/cpack.log"; falha "cpack"; return; }
  deb=$(ls "$saida"/vestamar_*.deb)
  espera "nome do pacote" "$saida/vestamar_${versao}_amd64.deb" "$deb"
  espera "Package e Version" "vestamar $versao" "$(dpkg-deb -W --showformat='${Package} ${Version}' "$deb")"
  # Each dependency named once, in Depends or Recommends.
  depende="$(dpkg-deb -f "$deb" Depends), $(dpkg-deb -f "$deb" Recommends)"
  for pacote in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libcups2 fonts-liberation qt6-translations-l10n; do
    espera "dependência $pacote nomeada uma vez ($depende)" 1 \
      "$(tr ',' '\n' <<<"$depende" | sed 's/^ *//; s/ .*//' | grep -cx "$pacote")"
  done

  # The package holds exactly what `cmake --install` puts under /usr, the installed program's
  # marker included.
  dpkg-deb -x "$deb" "$raiz"
  DESTDIR=$instalado cmake --install "$build" --prefix /usr >/dev/null || falha "cmake --install"
  espera "arquivos do pacote e de cmake --install" "$(arquivos "$instalado")" "$(arquivos "$raiz")"
  for trecho in bin/vestamar share/doc/vestamar/README.md share/doc/vestamar/copyright share/vestamar/instalado; do
    [ -f "$raiz/usr/$trecho" ] || falha "/usr/$trecho ausente"
  done

  # One menu entry and one metainfo file, with one id; the entry's icon and program installed.
  desktop=$(ls "$raiz"/usr/share/applications/*.desktop)
  id=$(basename "$desktop" .desktop)
  [[ $id == *.*.* ]] || falha "nome da entrada de menu não é DNS reverso: '$desktop'"
  metainfo=$raiz/usr/share/metainfo/$id.metainfo.xml
  espera "metainfo com o nome da entrada" "$metainfo" "$(ls "$raiz"/usr/share/metainfo/*.metainfo.xml)"
  [ -x "$raiz/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || falha "Exec não é o programa instalado"
  icone=$(sed -n 's/^Icon=//p' "$desktop")
  for tamanho in 16 32 48 256; do
    file "$raiz/usr/share/icons/hicolor/${tamanho}x$tamanho/apps/$icone.png" |
      grep -q "PNG image data, $tamanho x $tamanho," || falha "ícone $icone de $tamanho px"
  done
  for trecho in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>"; do
    grep -qF "$trecho" "$metainfo" || falha "metainfo sem $trecho"
  done
  # A manual page without English hyphenation that says what a user needs: keys, where the
  # file is, the lock, the copy, printing, the copy of results.
  manual=$(zcat "$raiz/usr/share/man/man1/vestamar.1.gz")
  grep -qx '\.nh' <<<"$manual" || falha "manual sem .nh (hifenização em inglês)"
  for trecho in Alt+S F1 /etc/vestaMar/vestaMar.ini vestaMar.ini.lock vestaMar.ini.bak PDF "Copiar resultados" "~/.config/vestaMar"; do
    grep -qF -- "$trecho" <<<"$manual" || falha "manual não fala de $trecho"
  done
  MANWIDTH=80 man -l "$raiz/usr/share/man/man1/vestamar.1.gz" 2>/dev/null | col -b | grep -- '‐$' && falha "manual hifenizado"
}

# The validators' verdicts on what the package installs, and lintian's on the package.
validar() {
  local deb=$1 fonte=$2 raiz=$temporaria/deb aviso
  dpkg-deb -x "$deb" "$raiz"
  desktop-file-validate "$raiz"/usr/share/applications/*.desktop || falha "desktop-file-validate"
  appstreamcli validate --no-net "$raiz"/usr/share/metainfo/*.metainfo.xml >"$temporaria/appstream.log" 2>&1 ||
    { cat "$temporaria/appstream.log"; falha "appstreamcli validate"; }
  # No lintian error; every warning left is explained in the README.
  lintian "$deb" >"$temporaria/lintian.log" 2>&1
  grep '^E: ' "$temporaria/lintian.log" && falha "lintian encontrou erros"
  for aviso in $(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' "$temporaria/lintian.log" | sort -u); do
    grep -q -- "$aviso" "$fonte/README.md" || falha "aviso do lintian '$aviso' não explicado no README"
  done
}

# Who runs the program: `nobody` when the test runs as root, else the test's own user; the
# real installation also runs it as root.
quem=eu
[ "$(id -u)" -eq 0 ] && quem=nobody
# The prefix that runs a command as `quem` with HOME <home> and nothing else of ours in the
# environment, into the array `usuario`.
como() {
  usuario=(env -i HOME="$1" PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 QT_QPA_PLATFORM=offscreen
           ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}")
  if [ "$quem" = nobody ]; then usuario=(runuser -u nobody -- "${usuario[@]}"); fi
}

# A fresh HOME for the user; `somente-leitura` makes it a folder where nothing can be created.
casa() {
  local c=$temporaria/casa-$1
  mkdir -p "$c" && chmod 777 "$c"
  [ "${2:-}" = somente-leitura ] && chmod 555 "$c"
  echo "$c"
}

# The real program, left running a moment: it stays up with its window, and the file of
# defaults it writes at start-up is in the user's folder.
programa() {  # programa <home> <executable>
  local ini=$1/.config/vestaMar/vestaMar.ini pid
  como "$1"
  "${usuario[@]}" "$2" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 100); do [ -f "$ini" ] && break; sleep 0.2; done
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || falha "o programa instalado não ficou aberto ($quem)"
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  [ -f "$ini" ] || falha "o programa instalado não criou o arquivo do usuário ($quem)"
}

# A session of the driver: its output in $saida, its exit code in $codigo.
sessao() {  # sessao <home> <program folder> <answer> [quantDeps]
  local c=$1; shift
  como "$c"
  saida=$("${usuario[@]}" "$driver" "$@" 2>"$temporaria/erros")
  codigo=$?
  [ "$codigo" -le 3 ] || { cat "$temporaria/erros" >&2; falha "a sessão terminou com $codigo"; }
}
valor() { sed -n "s/^$1=//p" <<<"$saida"; }
chave() { sed -n "s/^$2=\([^\r]*\)\r\$/\1/p" "$1" 2>/dev/null; }  # chave <file> <key>
# confere <what> <check>...: each check is `name=expected`: a value the session printed (pasta,
# lido, impressao), its exit code (codigo), a pattern its messages match (pergunta), a path that
# must not exist (ausente), or, named by a file's path, that file's quantDeps.
confere() {
  local o=$1 k; shift
  for k; do
    local v=${k#*=}
    case ${k%%=*} in
      codigo) espera "$o: código" "$v" "$codigo" ;;
      pergunta) [[ $(valor pergunta) == $v ]] || falha "$o: nenhuma mensagem como '$v': $saida" ;;
      ausente) [ -e "$v" ] && falha "$o: $v existe" ;;
      /*) espera "$o: quantDeps em ${k%%=*}" "$v" "$(chave "${k%%=*}" quantDeps)" ;;
      *) espera "$o: ${k%%=*}" "$v" "$(valor "${k%%=*}")" ;;
    esac
  done
}

instalado() {
  local raiz=$temporaria/raiz c copia=$temporaria/copia site=$temporaria/site lugar=$temporaria/lugar
  if [ -f "$1" ]; then
    dpkg-deb -x "$1" "$raiz" || falha "dpkg-deb -x"
  else
    DESTDIR=$raiz cmake --install "$1" --prefix /usr >/dev/null || falha "cmake --install"
  fi
  driver=$temporaria/vestamar_sessao
  cp "$2" "$driver" && chmod 755 "$driver"
  local bin=$raiz/usr/bin
  chmod 555 "$bin"

  # The installed program itself, as the user: defaults in the user's folder.
  c=$(casa 0)
  programa "$c" "$bin/vestamar"
  confere "programa instalado" "$c/.config/vestaMar/vestaMar.ini=0"

  # Installed: the user's folder; a second start reads back what the first saved.
  c=$(casa 1)
  sessao "$c" "$bin" nao 7
  confere instalado pasta="$c/.config/vestaMar" impressao=sim "$c/.config/vestaMar/vestaMar.ini=7"
  sessao "$c" "$bin" nao
  confere "instalado, segunda vez" lido=7

  # A copy in a folder the user can write: the file stays beside the executable.
  mkdir -p "$copia" && chmod 777 "$copia"
  c=$(casa 2)
  sessao "$c" "$copia" nao 5
  confere "cópia gravável" pasta="$copia" "$copia/vestaMar.ini=5" ausente="$c/.config/vestaMar"

  # An administrator's file beside the installed program seeds the user's file once and is
  # never written: later changes to it do not reach a user who already has a file.
  administrador() {  # administrador <quantDeps>: the file, read-only in a read-only folder
    mkdir -p "$site" && chmod 755 "$site" && rm -f "$site/vestaMar.ini"
    printf 'quantDeps=%s\r\n' "$1" >"$site/vestaMar.ini"
    chmod 444 "$site/vestaMar.ini" && chmod 555 "$site"
  }
  c=$(casa 3)
  administrador 4
  sessao "$c" "$site" nao 6
  confere "semeado pelo administrador" lido=4 "$c/.config/vestaMar/vestaMar.ini=6"
  administrador 9
  sessao "$c" "$site" nao
  confere "administrador mudado depois" lido=6 "$site/vestaMar.ini=9"

  # An existing file the user can write, in a folder it cannot: used in place.
  mkdir -p "$lugar"
  printf 'quantDeps=2\r\n' >"$lugar/vestaMar.ini"
  chmod 666 "$lugar/vestaMar.ini" && chmod 555 "$lugar"
  c=$(casa 4)
  sessao "$c" "$lugar" sim
  confere "gravável no lugar" pasta="$lugar" lido=2 ausente="$c/.config/vestaMar"

  # Nowhere to write: `Sair` asks; "Não" keeps the window open, "Sim" leaves without saving.
  c=$(casa 5 somente-leitura)
  sessao "$c" "$bin" nao 3
  confere "sem onde gravar, Não" codigo=3 pergunta="*Sair sem gravar?*"
  sessao "$c" "$bin" sim 3
  confere "sem onde gravar, Sim" codigo=0 ausente="$bin/vestaMar.ini"
  [ -z "$(ls -A "$c")" ] || falha "gravou algo sem ter onde gravar"
}

# The real package, installed with dpkg as an office's administrator installs it, run as root
# and as `nobody` with a HOME that does not exist, then removed. Runs only as root, when no
# vestamar package is installed already; one such test at a time on the machine.
instalado_com_dpkg() {
  local deb=$1 c lista restos administrador=$'quantDeps=4\r\nprodBruta=3333\r'
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
  for _ in $(seq 60); do
    dpkg -i "$deb" >"$temporaria/dpkg.log" 2>&1 && break
    grep -q "lock" "$temporaria/dpkg.log" || break
    sleep 2
  done
  dpkg -s vestamar 2>/dev/null | grep -q '^Status: install ok installed' || { cat "$temporaria/dpkg.log"; falha "dpkg -i"; return; }
  lista=$(dpkg -L vestamar)

  # Root, HOME its own: the user's folder, also for the real program left running a moment.
  quem=root
  c=$temporaria/casa-root && mkdir -p "$c"
  programa "$c" /usr/bin/vestamar
  sessao "$c" /usr/bin nao 8
  confere root pasta="$c/.config/vestaMar" "$c/.config/vestaMar/vestaMar.ini=8"

  # The administrator's file in /etc/vestaMar seeds a new user's file; `nobody`, whose HOME
  # does not exist, sees its values, is told once that nothing can be saved and where, and
  # `Sair` asks.
  mkdir -p /etc/vestaMar
  echo "$administrador" >/etc/vestaMar/vestaMar.ini
  c=$temporaria/casa-root2 && mkdir -p "$c"
  sessao "$c" /usr/bin nao
  confere "root, semeado de /etc/vestaMar" lido=4 "$c/.config/vestaMar/vestaMar.ini=4"
  quem=nobody
  sessao /nonexistent-vestamar /usr/bin nao
  confere "nobody sem HOME" lido=4 codigo=3 pergunta="*Sair sem gravar?*" \
    pergunta="*/nonexistent-vestamar/.config/vestaMar/vestaMar.ini*não poderão ser gravadas*"
  espera "arquivo do administrador intacto" "$administrador" "$(cat /etc/vestaMar/vestaMar.ini)"

  # Removed: nothing the package put remains, nothing was ever written beside /usr/bin/vestamar.
  dpkg -r vestamar >/dev/null 2>&1 || falha "dpkg -r"
  restos=$(while read -r f; do [ -f "$f" ] || [ -L "$f" ] && echo "$f"; done <<<"$lista")
  [ -z "$restos" ] || falha "restou depois da remoção: $restos"
  [ -e /usr/share/vestamar ] && falha "restou /usr/share/vestamar"
  ls /usr/bin/vestaMar.ini* >/dev/null 2>&1 && falha "o programa instalado gravou em /usr/bin"
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
