#!/bin/bash
# Backup and restore round trip on a COPY of a program folder, run by hand:
#   tools/bench_copia.sh HOME [WORKDIR]
# Copies HOME, then: dumps every table (row count and checksum of the sorted rows), times
# `orbel backup`, times gbak's two runs and zip of the same file by hand (the program's overhead),
# empties the captured tables, times `orbel restore` and compares every table with before.
set -euo pipefail
ORIGEM=$(cd "$1" && pwd)
TRAB=${2:-$(mktemp -d)}
ORBEL=${ORBEL:-$(dirname "$0")/../build/bin/orbel}
H="$TRAB/home"
rm -rf "$H" && mkdir -p "$TRAB" && cp -a "$ORIGEM" "$H"
BANCO="$H/bd/ORBEL.GDB"
# the copy's ORBEL.ini must point at the copy, never at the original
sed -i "s#^Database=.*#Database=$BANCO\r#" "$H/ORBEL.ini"
export QT_QPA_PLATFORM=offscreen
ISQL="isql-fb -q -user SYSDBA -password plumwater"

despeja() { # DB OUT
    : >"$2"
    for t in $(echo "SET HEADING OFF; SELECT TRIM(RDB\$RELATION_NAME) FROM RDB\$RELATIONS WHERE RDB\$SYSTEM_FLAG=0 AND RDB\$VIEW_BLR IS NULL ORDER BY 1;" | $ISQL "$1" | grep -av '^$'); do
        echo "SET HEADING OFF; SET BLOB ALL; SELECT * FROM $t;" | $ISQL "$1" | { grep -av '^$' || true; } | LC_ALL=C sort >"$TRAB/linhas"
        echo "$t $(wc -l <"$TRAB/linhas") $(md5sum <"$TRAB/linhas" | cut -c1-16)" >>"$2"
    done
}
segundos() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }

despeja "$BANCO" "$TRAB/antes.txt"
echo "banco: $(stat -c %s "$BANCO") bytes, $(awk '{s+=$2} END {print s}' "$TRAB/antes.txt") linhas"

T_BACKUP=$(/usr/bin/time -f %e "$ORBEL" --home "$H" backup --name bench.zip 2>&1 >/dev/null | tail -1)
ZIP="$H/Backup/bench.zip"
echo "orbel backup: ${T_BACKUP}s, arquivo $(stat -c %s "$ZIP") bytes"

T_B=$(segundos gbak -b -t -l -user SYSDBA -password plumwater "$BANCO" "$TRAB/x.gbk")
T_C=$(segundos gbak -c -user SYSDBA -password plumwater "$TRAB/x.gbk" "$TRAB/x.gdb")
T_Z=$(segundos zip -j -q -9 "$TRAB/x9.zip" "$BANCO")
T_Z6=$(segundos zip -j -q "$TRAB/x6.zip" "$BANCO")
echo "à mão: gbak -b ${T_B}s + gbak -c ${T_C}s + zip -9 ${T_Z}s (zip -6 ${T_Z6}s, $(stat -c %s "$TRAB/x6.zip") bytes)"
rm -f "$TRAB"/x.gbk "$TRAB"/x.gdb "$TRAB"/x9.zip "$TRAB"/x6.zip

# the clean-up's own statements, option "T"
{
    echo "delete from ativos;"
    for t in declaracoes munic_indices munic_resumo munic_totais munic_vafa munic_vafb dec_det_servico_comunicacao \
        dec_det_servico_transporte dec_det_mercadoria_sem_nota dec_det_producao_rural dec_det_refeicao_outro_munic \
        dec_det_ambulantes dec_det_receita_bruta_vafmunic dec_det_transf_merc_infracao DEC_DET_MERCADORIA_RURAL \
        DEC_TOTAL_SN VAF_MUDANCA_MUNIC DEC_SIMEI; do echo "delete from $t;"; done
    echo "commit;"
} | $ISQL "$BANCO"
echo "esvaziado: $(echo 'SET HEADING OFF; SELECT COUNT(*) FROM DECLARACOES;' | $ISQL "$BANCO" | tr -d ' \n') declarações"

T_RESTORE=$(/usr/bin/time -f %e "$ORBEL" --home "$H" restore "$ZIP" 2>&1 >/dev/null | tail -1)
echo "orbel restore: ${T_RESTORE}s"
despeja "$BANCO" "$TRAB/depois.txt"
if diff "$TRAB/antes.txt" "$TRAB/depois.txt"; then
    echo "todas as $(wc -l <"$TRAB/antes.txt") tabelas iguais, linha a linha"
else
    echo "DIFERENÇAS acima"
    exit 1
fi
