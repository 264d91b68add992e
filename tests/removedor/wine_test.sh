#!/usr/bin/env bash
# Runs removedor.exe under Wine in a throw-away prefix, with a stand-in uninstaller, and checks what it
# writes, what it starts, that it waits and that it ends. Exit 77 tells ctest the test was skipped.
# Usage: wine_test.sh removedor.exe unins000.exe PararServicoFirebird.bat
set -uo pipefail
exe=$1 standin=$2 esperado=$3

pula() {
    echo "SKIPPED: $*"
    exit 77
}
[ -f "$exe" ] || pula "removedor.exe não foi compilado (falta o compilador cruzado MinGW-w64; scripts/deps o instala)"
[ -f "$standin" ] || pula "o substituto unins000.exe não foi compilado"

wine=$(command -v wine64 || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
[ -z "$wine" ] && wine=$(command -v wine || true)
[ -n "$wine" ] || pula "o Wine não está instalado (scripts/deps o instala)"
wineserver="${wine%/*}/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# headless: a private X server for Wine's windows
if [ -z "${REMOVEDOR_SOB_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
    export REMOVEDOR_SOB_XVFB=1
    exec xvfb-run -a "$0" "$@"
fi
[ -n "${DISPLAY:-}" ] || pula "não há tela para o Wine (nem DISPLAY nem xvfb-run)"

tmp=$(mktemp -d)
export WINEPREFIX=$tmp/prefixo WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
limpa() {
    "$wineserver" -k >/dev/null 2>&1
    rm -rf "$tmp"
}
trap limpa EXIT

if ! timeout 180 "$wine" wineboot -i >"$tmp/wineboot.log" 2>&1 || [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
    pula "o Wine não conseguiu preparar um prefixo: $(tail -3 "$tmp/wineboot.log" | tr '\n' ' ')"
fi

c=$WINEPREFIX/drive_c
# Nothing run inside may reach this machine's files: the drive that maps the whole file system goes.
rm -f "$WINEPREFIX/dosdevices/z:"
# The batch stops a Windows service; here the command processor is the stand-in, which only records
# that it was given the batch (Wine's own would also keep the file open for as long as `cmd /k` runs).
cp "$standin" "$c/windows/system32/cmd.exe"
export WINEDLLOVERRIDES="mscoree,mshtml=;cmd.exe=n"
mkdir -p "$c/orbel" "$c/Firebird"
cp "$exe" "$c/orbel/removedor.exe"
cp "$standin" "$c/Firebird/unins000.exe"
# an uninstaller in the current folder, which removedor must never take for Firebird's
cp "$standin" "$c/orbel/unins000.exe"

falhas=0 certos=0
confere() { # description, then the command that must succeed
    local d=$1
    shift
    if "$@"; then
        certos=$((certos + 1))
        echo "ok: $d"
    else
        falhas=$((falhas + 1))
        echo "FALHA: $d"
    fi
}
linha() { grep -qxF -- "$2" "$1" 2>/dev/null; }
ausente() { [ ! -e "$1" ]; }

roda() { # runs removedor from its own folder; sets rc and segundos
    local inicio=$(date +%s%N)
    (cd "$c/orbel" && timeout 60 "$wine" 'C:\orbel\removedor.exe' >"$tmp/removedor.log" 2>&1)
    rc=$?
    segundos=$((($(date +%s%N) - inicio) / 1000000000))
}

export UNINS_VIGIA='C:\orbel\PararServicoFirebird.bat' UNINS_ESPERA=2000

echo "-- sem a chave do Firebird no registro"
roda
confere "terminou sozinho (código $rc, ${segundos}s)" [ "$rc" -eq 0 ]
confere "não gravou o batch" ausente "$c/orbel/PararServicoFirebird.bat"
confere "não iniciou desinstalador algum" ausente "$c/orbel/unins000.log"
confere "não iniciou o batch" ausente "$c/windows/system32/cmd.log"

echo "-- com um servidor de 32 bits, registrado sob WOW6432Node"
mkdir -p "$c/Fb32"
cp "$standin" "$c/Fb32/unins000.exe"
chave='HKLM\SOFTWARE\Firebird Project\Firebird Server\Instances'
"$wine" reg add "$chave" /v DefaultInstance /t REG_SZ /d 'C:\Fb32\' /f /reg:32 >/dev/null 2>&1
UNINS_ESPERA=200 roda
confere "terminou (código $rc)" [ "$rc" -eq 0 ]
confere "iniciou o desinstalador da instância de 32 bits" linha "$c/Fb32/unins000.log" "fim"
"$wine" reg delete 'HKLM\SOFTWARE\WOW6432Node\Firebird Project' /f >/dev/null 2>&1
rm -f "$c/windows/system32/cmd.log" "$c/windows/system32/cmd.copia"

echo "-- com a instância em C:\\Firebird\\"
"$wine" reg add "$chave" /v DefaultInstance /t REG_SZ \
    /d 'C:\Firebird\' /f >/dev/null 2>&1
roda
reg=$c/Firebird/unins000.log
confere "terminou (código $rc)" [ "$rc" -eq 0 ]
confere "esperou o desinstalador (${segundos}s)" [ "$segundos" -ge 2 ]
confere "o desinstalador já tinha terminado quando ele terminou" linha "$reg" "fim"
# Wine joins the quoted program name and the parameters with one blank; the leading blank is ours
confere "argumentos do desinstalador" linha "$reg" "argumentos=  /SILENT /NORESTART /SUPPRESSMSGBOXES"
confere "argumentos, um a um" linha "$reg" "argv=/SILENT|/NORESTART|/SUPPRESSMSGBOXES"
confere "pasta de trabalho do desinstalador" linha "$reg" 'pasta=C:\Firebird'
confere "o batch existia quando o desinstalador começou" linha "$reg" "vigiado=presente"
confere "o batch ainda existia quando o desinstalador terminou" linha "$reg" "vigiado_no_fim=presente"
confere "o batch tinha exatamente os bytes esperados" cmp -s "$c/Firebird/unins000.copia" "$esperado"
confere "o processador de comandos recebeu o batch" grep -qF 'PararServicoFirebird.bat' "$c/windows/system32/cmd.log"
confere "o batch existia quando o processador de comandos começou" linha "$c/windows/system32/cmd.log" \
    "vigiado=presente"
confere "o batch foi apagado no fim" ausente "$c/orbel/PararServicoFirebird.bat"
confere "o desinstalador da pasta atual não foi iniciado" ausente "$c/orbel/unins000.log"

echo "removedor sob Wine: $certos certos, $falhas falhas"
[ "$falhas" -eq 0 ]
