#include "app/capturecommand.h"

#include "app/subcomando.h"

#include "capture/capturaarquivos.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QFileInfo>

Subcomando SubcomandoCaptura()
{
    Subcomando s;
    s.nome = QStringLiteral("capture");
    s.resumo = QStringLiteral("captura um arquivo do Estado sem abrir janelas");
    s.descricao = QStringLiteral(
        "Captura um arquivo de contribuintes ativos (AT...) ou de retorno (RT...) como a janela\n"
        "de captura: mesmas verificações, perguntas, importação, resumo e atualizações finais.\n"
        "Cada pergunta é escrita com a resposta dada.");
    s.opcoes = {{QStringLiteral("yes"), QStringLiteral("responde Sim a todas as perguntas (sem ela, Não)")},
                {QStringLiteral("type"), QStringLiteral("tipo do arquivo, quando o nome não o diz"),
                 QStringLiteral("ativos|retorno")}};
    s.argumentos = {{QStringLiteral("ARQUIVO.zip"), QStringLiteral("o arquivo compactado do Estado"),
                     QStringLiteral("Informe o arquivo a capturar.")}};
    s.executa = [](const QCommandLineParser &p) {
        const QString arquivo = p.positionalArguments().constFirst();
        const QString tipoTexto = p.value(QStringLiteral("type"));
        const QString nome = QFileInfo(arquivo).fileName();
        int tipo = CapturaArquivos::Nenhum;
        if (tipoTexto == QLatin1String("ativos"))
            tipo = CapturaArquivos::Ativos;
        else if (tipoTexto == QLatin1String("retorno"))
            tipo = CapturaArquivos::Retorno;
        else if (!tipoTexto.isEmpty())
            throw ErroDeUso(QStringLiteral("Tipo desconhecido: ") + tipoTexto);
        else if (nome.startsWith(QLatin1String("AT")))
            tipo = CapturaArquivos::Ativos;
        else if (nome.startsWith(QLatin1String("RT")))
            tipo = CapturaArquivos::Retorno;
        else
            throw ErroDeUso(QStringLiteral(
                "O nome do arquivo não diz o tipo (AT... ou RT...); use --type ativos|retorno."));
        return ExecutaCaptura(tipo, QFileInfo(arquivo).absoluteFilePath(), p.isSet(QStringLiteral("yes")));
    };
    return s;
}

int ExecutaCaptura(int tipo, const QString &arquivo, bool sim)
{
    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    ui.setRespostaPadrao(sim ? UserInterface::Sim : UserInterface::Nao);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        CapturaArquivos captura(dm, ui);
        captura.abre();
        // as the window's file picker would give it
        const bool ok = captura.Captura(tipo, arquivo);
        captura.fecha();
        return ok ? 0 : 1;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
