#include "app/restorecommand.h"

#include "app/subcomando.h"

#include "data/tdmprincipal.h"
#include "maintenance/restauracao.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QFileInfo>

Subcomando SubcomandoRestore()
{
    Subcomando s;
    s.nome = QStringLiteral("restore");
    s.resumo = QStringLiteral("restaura uma cópia de segurança");
    s.descricao = QStringLiteral(
        "Faz o que faz a janela de restauração: o arquivo de backup é extraído na pasta temp, o\n"
        "ORBEL.gdb extraído precisa abrir como banco de dados do ORBEL e só então substitui o banco\n"
        "atual, que volta ao lugar em qualquer falha.");
    s.argumentos = {{QStringLiteral("ARQUIVO.zip"), QStringLiteral("o arquivo de backup"),
                     QStringLiteral("Informe o arquivo de backup a restaurar.")}};
    s.executa = [](const QCommandLineParser &p) {
        return ExecutaRestore(p.positionalArguments().constFirst());
    };
    return s;
}

int ExecutaRestore(const QString &arquivo)
{
    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        // as the window's file list would give it
        return RestauraCopiaSeguranca(dm, QFileInfo(arquivo).absoluteFilePath()) ? 0 : 1;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
