#include "removedor.h"

#include <array>

namespace removedor
{
namespace
{
// One entry per line, each written with CR LF. Line 29 ends with a blank, as the command
// processor has always been given it.
constexpr std::array<std::string_view, 46> LinhasBatch = {
    "@echo off",
    "CLS",
    "ECHO.",
    "ECHO =============================",
    "ECHO Parando servico Firebird",
    "ECHO =============================",
    ":init",
    "setlocal DisableDelayedExpansion",
    "set cmdInvoke=1",
    "set winSysFolder=System32",
    "set \"batchPath=%~0\"",
    "for %%k in (%0) do set batchName=%%~nk",
    "set \"vbsGetPrivileges=%temp%\\OEgetPriv_%batchName%.vbs\"",
    "setlocal EnableDelayedExpansion",
    ":checkPrivileges",
    "NET FILE 1>NUL 2>NUL",
    "if '%errorlevel%' == '0' ( goto gotPrivileges ) else ( goto getPrivileges )",
    ":getPrivileges",
    "if '%1'=='ELEV' (echo ELEV & shift /1 & goto gotPrivileges)",
    "ECHO.",
    "ECHO **************************************",
    "ECHO Solicitar UAC aumento de previlegios",
    "ECHO **************************************",
    "ECHO Set UAC = CreateObject^(\"Shell.Application\"^) > \"%vbsGetPrivileges%\"",
    "ECHO args = \"ELEV \" >> \"%vbsGetPrivileges%\"",
    "ECHO For Each strArg in WScript.Arguments >> \"%vbsGetPrivileges%\"",
    "ECHO args = args ^& strArg ^& \" \"  >> \"%vbsGetPrivileges%\"",
    "ECHO Next >> \"%vbsGetPrivileges%\"",
    "if '%cmdInvoke%'=='1' goto InvokeCmd ",
    "ECHO UAC.ShellExecute \"!batchPath!\", args, \"\", \"runas\", 1 >> \"%vbsGetPrivileges%\"",
    "goto ExecElevation",
    ":InvokeCmd",
    "ECHO args = \"/c \"\"\" + \"!batchPath!\" + \"\"\" \" + args >> \"%vbsGetPrivileges%\"",
    "ECHO UAC.ShellExecute \"%SystemRoot%\\%winSysFolder%\\cmd.exe\", args, \"\", \"runas\", 1 >> "
    "\"%vbsGetPrivileges%\"",
    ":ExecElevation",
    "\"%SystemRoot%\\%winSysFolder%\\WScript.exe\" \"%vbsGetPrivileges%\" %*",
    "exit /B",
    ":gotPrivileges",
    "setlocal & cd /d %~dp0",
    "if '%1'=='ELEV' (del \"%vbsGetPrivileges%\" 1>nul 2>nul  &  shift /1)",
    "::::::::::::::::::::::::::::",
    "::START",
    "::::::::::::::::::::::::::::",
    "REM Codigo comeca aqui",
    "NET STOP \"FireBird Server - DefaultInstance\"",
    "cmd /k",
};
} // namespace

std::string_view conteudoBatch()
{
    static const std::string conteudo = [] {
        std::string s;
        for (std::string_view linha : LinhasBatch) {
            s += linha;
            s += "\r\n";
        }
        return s;
    }();
    return conteudo;
}

Desfecho executa(Plataforma &p)
{
    std::wstring instancia = p.leInstanciaPadrao();
    // Without an instance folder the uninstaller path would be a bare "unins000.exe", which the shell
    // looks for in the current folder and on the search path: another program's uninstaller must
    // never be run in Firebird's place.
    if (instancia.empty())
        return Desfecho::Encerra;
    const std::wstring desinstalador = instancia + NomeDesinstalador;
    if (!p.processaMensagens())
        return Desfecho::Encerra;

    const std::wstring batch = p.pastaDoPrograma() + NomeBatch;
    bool batchGravado = false;
    if (p.arquivoExiste(desinstalador)) {
        std::wstring erro;
        if (!p.gravaArquivo(batch, conteudoBatch(), erro)) {
            p.mostraErro(L"Não foi possível gravar o arquivo \"" + batch + L"\".\r\n" + erro +
                         L"\r\nVerifique se a pasta do programa permite gravação e execute-o novamente.");
            return Desfecho::FicaAberto;
        }
        batchGravado = true;
        p.iniciaSemEspera(batch);
    }

    // The batch is read by the command processor while it runs, and once more by the elevated run it
    // asks for, so it is deleted only after the uninstaller has ended, on every way out below.
    struct ApagaBatch {
        Plataforma &p;
        const std::wstring &batch;
        bool gravado;
        ~ApagaBatch()
        {
            if (gravado)
                p.apagaArquivo(batch);
        }
    } apagaBatch{p, batch, batchGravado};

    if (!p.processaMensagens())
        return Desfecho::Encerra;

    instancia = p.leInstanciaPadrao();
    const Plataforma::Processo processo =
        p.iniciaComProcesso(desinstalador, ParametrosDesinstalador, instancia);
    if (processo == 0)
        return Desfecho::Encerra;

    while (p.aguardaMensagens(processo)) {
        const std::optional<std::uint32_t> codigo = p.codigoSaida(processo);
        // an exit code that cannot be read will never change: stop waiting rather than hang
        if (!codigo || *codigo != AindaRodando)
            break;
    }
    p.fechaProcesso(processo);
    return Desfecho::Encerra;
}
} // namespace removedor
