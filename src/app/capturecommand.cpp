#include "app/capturecommand.h"

#include "capture/capturaarquivos.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QFileInfo>
#include <cstdio>

namespace
{
int uso(const QString &erro)
{
    std::fprintf(stderr,
                 "%s\nUso: orbel [--home PASTA] capture [--yes] [--type ativos|retorno] ARQUIVO.zip\n",
                 erro.toUtf8().constData());
    return 2;
}
} // namespace

int ExecutaCaptura(const QStringList &opcoes)
{
    bool sim = false;
    QString tipoTexto, arquivo;
    for (int i = 0; i < opcoes.size(); ++i) {
        const QString &o = opcoes[i];
        if (o == QLatin1String("--yes"))
            sim = true;
        else if (o == QLatin1String("--type") && i + 1 < opcoes.size())
            tipoTexto = opcoes[++i];
        else if (o.startsWith(u'-') || !arquivo.isEmpty())
            return uso(QStringLiteral("Opção desconhecida: ") + o);
        else
            arquivo = o;
    }
    if (arquivo.isEmpty())
        return uso(QStringLiteral("Informe o arquivo a capturar."));

    int tipo = CapturaArquivos::Nenhum;
    const QString nome = QFileInfo(arquivo).fileName();
    if (tipoTexto == QLatin1String("ativos"))
        tipo = CapturaArquivos::Ativos;
    else if (tipoTexto == QLatin1String("retorno"))
        tipo = CapturaArquivos::Retorno;
    else if (!tipoTexto.isEmpty())
        return uso(QStringLiteral("Tipo desconhecido: ") + tipoTexto);
    else if (nome.startsWith(QLatin1String("AT")))
        tipo = CapturaArquivos::Ativos;
    else if (nome.startsWith(QLatin1String("RT")))
        tipo = CapturaArquivos::Retorno;
    else
        return uso(
            QStringLiteral("O nome do arquivo não diz o tipo (AT... ou RT...); use --type ativos|retorno."));

    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    ui.setRespostaPadrao(sim ? UserInterface::Sim : UserInterface::Nao);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        CapturaArquivos captura(dm, ui);
        captura.abre();
        // as the window's file picker would give it
        const bool ok = captura.Captura(tipo, QFileInfo(arquivo).absoluteFilePath());
        captura.fecha();
        return ok ? 0 : 1;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
