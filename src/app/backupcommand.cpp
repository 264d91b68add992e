#include "app/backupcommand.h"

#include "data/tdmprincipal.h"
#include "maintenance/copiaseguranca.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace
{
int uso(const QString &erro, const char *sintaxe)
{
    std::fprintf(stderr, "%s\nUso: orbel [--home PASTA] %s\n", erro.toUtf8().constData(), sintaxe);
    return 2;
}

const char *const kUsoBackup = "backup [--dir PASTA] [--name NOME.zip]";
} // namespace

int ExecutaBackup(const QStringList &opcoes)
{
    QString pasta, nome;
    for (int i = 0; i < opcoes.size(); ++i) {
        const QString &o = opcoes[i];
        if (o == QLatin1String("--dir") && i + 1 < opcoes.size())
            pasta = opcoes[++i];
        else if (o == QLatin1String("--name") && i + 1 < opcoes.size())
            nome = opcoes[++i];
        else
            return uso(QStringLiteral("Opção desconhecida: ") + o, kUsoBackup);
    }
    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        // the window's defaults: the Backup folder and the dated name
        if (pasta.isEmpty())
            pasta = DiretorioBackupPadrao();
        else
            pasta = PastaEscolhida(QFileInfo(pasta).absoluteFilePath());
        if (nome.isEmpty())
            nome = NomeBackupPadrao(dm.LeParametro(QStringLiteral("ANOEXERCICIO")),
                                    QDateTime::currentDateTime());
        const QString arquivo = EfetuaCopiaSeguranca(dm, pasta, nome);
        std::printf("%s\n", QDir::toNativeSeparators(arquivo).toUtf8().constData());
        return 0;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
