#include "app/backupcommand.h"

#include "app/subcomando.h"

#include "data/tdmprincipal.h"
#include "maintenance/copiaseguranca.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

Subcomando SubcomandoBackup()
{
    Subcomando s;
    s.nome = QStringLiteral("backup");
    s.resumo = QStringLiteral("faz a cópia de segurança do banco de dados");
    s.descricao = QStringLiteral(
        "Faz o que faz a janela de cópia de segurança: o gbak do Firebird copia e reconstrói o\n"
        "banco de dados, que só é trocado quando o novo arquivo abre; depois o arquivo do banco é\n"
        "compactado no arquivo de backup, cujo caminho é escrito e guardado no ORBEL.ini.");
    s.opcoes = {{QStringLiteral("dir"), QStringLiteral("pasta destino (senão a pasta Backup do programa)"),
                 QStringLiteral("PASTA")},
                {QStringLiteral("name"),
                 QStringLiteral("nome do arquivo (senão BKPORBEL + ano base + _ddmmaaaahhmm.zip)"),
                 QStringLiteral("NOME.zip")}};
    s.executa = [](const QCommandLineParser &p) {
        return ExecutaBackup(p.value(QStringLiteral("dir")), p.value(QStringLiteral("name")));
    };
    return s;
}

int ExecutaBackup(const QString &pastaPedida, const QString &nomePedido)
{
    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        // the window's defaults: the Backup folder and the dated name
        const QString pasta = pastaPedida.isEmpty()
                                  ? DiretorioBackupPadrao()
                                  : PastaEscolhida(QFileInfo(pastaPedida).absoluteFilePath());
        const QString nome = nomePedido.isEmpty()
                                 ? NomeBackupPadrao(dm.LeParametro(QStringLiteral("ANOEXERCICIO")),
                                                    QDateTime::currentDateTime())
                                 : nomePedido;
        const QString arquivo = EfetuaCopiaSeguranca(dm, pasta, nome);
        EscreveLinha(stdout, QDir::toNativeSeparators(arquivo));
        return 0;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
