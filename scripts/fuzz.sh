#!/usr/bin/env bash
# Bounded fuzzing of the parameter-file reader.
#   bash scripts/fuzz.sh BUILD_DIR SECONDS     (make fuzz: build-fuzz, FUZZ_SECONDS=60)
# The corpus grows across runs in fuzz-corpus/ (not versioned); the files of defaults are the
# seeds and the keys of the file are the dictionary. Prints the executions run and the crashes
# found; exits non-zero on a crash.
set -uo pipefail

build=${1:-build-fuzz}
segundos=${2:-60}
raiz=$(cd "$(dirname "$0")/.." && pwd)
alvo=$build/tests/fuzz/fuzz_leitor_parametros
if [ ! -x "$alvo" ]; then
  echo "fuzz: $alvo not found (configure with -DVESTAMAR_FUZZ=ON and CXX=clang++)" >&2
  exit 2
fi

corpus=$raiz/fuzz-corpus/leitor_parametros
sementes=$build/fuzz/sementes
artefatos=$build/fuzz/artefatos/$(date +%Y%m%d-%H%M%S)
dicionario=$build/fuzz/vestamar.dict
log=$build/fuzz/fuzz.log
mkdir -p "$corpus" "$sementes" "$artefatos"
cp "$raiz"/tests/params/data/*.ini "$sementes"/

{
  cut -d= -f1 "$raiz/tests/params/data/vestaMar-virgula.ini" | sed 's/.*/"&="/'
  printf '%s\n' '"\x0D\x0A"' '"\x0A"' '"\x0D"' '"\xEF\xBB\xBF"' '"E+"' '"E-"' '","' '"."' '"-"' '" "'
} > "$dicionario"

echo "fuzz: running $alvo for ${segundos}s"
"$alvo" -max_total_time="$segundos" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artefatos/" -dict="$dicionario" \
  "$corpus" "$sementes" > "$log" 2>&1
rc=$?

execucoes=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')
if [ -z "$execucoes" ]; then
  execucoes=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
fi
falhas=$(find "$artefatos" -type f | wc -l)
unidades=$(find "$corpus" -type f | wc -l)

echo "fuzz: ${execucoes:-0} executions, $falhas crashes, exit code $rc, corpus $unidades inputs"
if [ "$rc" -ne 0 ] || [ "$falhas" -ne 0 ]; then
  tail -n 60 "$log"
  echo "fuzz: failing inputs in $artefatos (log: $log)" >&2
  exit 1
fi
rmdir "$artefatos" 2>/dev/null || true
exit 0
