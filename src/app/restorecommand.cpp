#include "app/restorecommand.h"

#include "data/tdmprincipal.h"
#include "maintenance/restauracao.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QFileInfo>
#include <cstdio>

namespace
{
int uso(const QString &erro, const char *sintaxe)
{
    std::fprintf(stderr, "%s\nUso: orbel [--home PASTA] %s\n", erro.toUtf8().constData(), sintaxe);
    return 2;
}

const char *const kUsoRestore = "restore ARQUIVO.zip";
} // namespace

int ExecutaRestore(const QStringList &opcoes)
{
    QString arquivo;
    for (const QString &o : opcoes) {
        if (o.startsWith(u'-') || !arquivo.isEmpty())
            return uso(QStringLiteral("Opção desconhecida: ") + o, kUsoRestore);
        arquivo = o;
    }
    if (arquivo.isEmpty())
        return uso(QStringLiteral("Informe o arquivo de backup a restaurar."), kUsoRestore);
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
