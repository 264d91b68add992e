#include "app/reportcommand.h"

#include "app/subcomando.h"

#include "data/tdmprincipal.h"
#include "reports/configuracaorelatorios.h"
#include "reports/saidapdf.h"
#include "reports/tabelarelatorios.h"
#include "reports/widgets/saidajanela.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <cstdio>
#include <memory>

Subcomando SubcomandoRelatorio()
{
    Subcomando s;
    s.nome = QStringLiteral("report");
    s.resumo = QStringLiteral("gera um relatório de controle sem abrir janelas");
    s.descricao = QStringLiteral(
        "Gera um dos relatórios da janela de impressão, com as mesmas verificações, mensagens e\n"
        "arquivos: CSV na pasta do dia (Relatórios/aaaammdd), PDF com as páginas da visualização,\n"
        "ou a impressora padrão. Com todos os municípios os arquivos são sempre CSV.");
    s.opcoes = {
        {QStringLiteral("item"), QStringLiteral("número do relatório na lista da janela (0 a 16)"),
         QStringLiteral("N")},
        {QStringLiteral("municipality"), QStringLiteral("apenas o município de código CODIGO"),
         QStringLiteral("CODIGO")},
        {QStringLiteral("all-separate"), QStringLiteral("todos os municípios, um arquivo por município")},
        {QStringLiteral("all-grouped"),
         QStringLiteral("todos os municípios num arquivo (itens 10, 11, 15, 16)")},
        {QStringLiteral("index"), QStringLiteral("índice provisório (P, o padrão) ou definitivo (D)"),
         QStringLiteral("P|D"), QStringLiteral("P")},
        {QStringLiteral("csv"), QStringLiteral("exporta para arquivo CSV")},
        {QStringLiteral("pdf"), QStringLiteral("grava as páginas num arquivo PDF"),
         QStringLiteral("ARQUIVO")},
        {QStringLiteral("printer"), QStringLiteral("envia direto para a impressora padrão")}};
    s.aplicacao = Subcomando::Aplicacao::Desenho;
    s.executa = [](const QCommandLineParser &p) {
        PedidoRelatorio r;
        if (!p.isSet(QStringLiteral("item")))
            throw ErroDeUso(QStringLiteral("Informe o relatório com --item."));
        bool ok = false;
        r.item = p.value(QStringLiteral("item")).toInt(&ok);
        if (!ok || r.item < 0 || r.item >= TabelaRelatorios::Quantidade)
            throw ErroDeUso(QStringLiteral("Item de relatório inválido: %1 (de 0 a 16)")
                                .arg(p.value(QStringLiteral("item"))));
        const int modos = int(p.isSet(QStringLiteral("municipality"))) +
                          int(p.isSet(QStringLiteral("all-separate"))) +
                          int(p.isSet(QStringLiteral("all-grouped")));
        if (modos != 1)
            throw ErroDeUso(
                QStringLiteral("Informe um, e só um, de --municipality, --all-separate e --all-grouped."));
        r.modo = p.isSet(QStringLiteral("municipality"))   ? ConfiguracaoRelatorios::ApenasMunicipio
                 : p.isSet(QStringLiteral("all-separate")) ? ConfiguracaoRelatorios::Separados
                                                           : ConfiguracaoRelatorios::Agrupados;
        r.municipio = p.value(QStringLiteral("municipality"));
        const QString indice = p.value(QStringLiteral("index")).toUpper();
        if (indice != QLatin1String("P") && indice != QLatin1String("D"))
            throw ErroDeUso(
                QStringLiteral("Índice inválido: %1 (P ou D)").arg(p.value(QStringLiteral("index"))));
        r.indice = indice == QLatin1String("D") ? 1 : 0;
        const int saidas = int(p.isSet(QStringLiteral("csv"))) + int(p.isSet(QStringLiteral("pdf"))) +
                           int(p.isSet(QStringLiteral("printer")));
        if (saidas > 1)
            throw ErroDeUso(QStringLiteral("Informe só uma saída: --csv, --pdf ou --printer."));
        r.saida = p.isSet(QStringLiteral("pdf"))       ? PedidoRelatorio::Pdf
                  : p.isSet(QStringLiteral("printer")) ? PedidoRelatorio::Impressora
                                                       : PedidoRelatorio::Csv;
        r.pdf = p.value(QStringLiteral("pdf"));
        if (r.modo == ConfiguracaoRelatorios::Agrupados && !TabelaRelatorios::PermiteAgrupados(r.item))
            throw ErroDeUso(QStringLiteral("--all-grouped só vale para os itens 10, 11, 15 e 16."));
        if (r.modo != ConfiguracaoRelatorios::ApenasMunicipio && r.saida != PedidoRelatorio::Csv)
            throw ErroDeUso(QStringLiteral(
                "Com todos os municípios os relatórios são sempre gravados em CSV: use --csv."));
        if (r.modo == ConfiguracaoRelatorios::ApenasMunicipio && saidas == 0)
            throw ErroDeUso(QStringLiteral("Informe a saída: --csv, --pdf ARQUIVO ou --printer."));
        return ExecutaRelatorio(r);
    };
    return s;
}

int ExecutaRelatorio(const PedidoRelatorio &p)
{
    if (!TabelaRelatorios::Operacao(p.item, p.modo == ConfiguracaoRelatorios::Separados)) {
        EscreveLinha(stderr, TabelaRelatorios::AvisoIndisponivel(p.item).replace(QStringLiteral("\r\n"),
                                                                                 QStringLiteral("\n")));
        return 1;
    }

    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        std::unique_ptr<SaidaRelatorio> saida;
        SaidaPdf *pdf = nullptr;
        if (p.saida == PedidoRelatorio::Pdf) {
            auto s = std::make_unique<SaidaPdf>();
            pdf = s.get();
            saida = std::move(s);
        } else if (p.saida == PedidoRelatorio::Impressora) {
            saida = std::make_unique<SaidaJanela>(ui);
        }
        ConfiguracaoRelatorios config(dm, ui, saida.get());
        config.cria();
        config.mostra();
        config.escolheRelatorio(p.item);
        config.escolheModo(p.modo);
        if (p.modo == ConfiguracaoRelatorios::ApenasMunicipio) {
            const int posicao = int(config.ListaCodigos().indexOf(p.municipio));
            if (posicao < 0) {
                EscreveLinha(
                    stderr,
                    QStringLiteral("O município %1 não existe na tabela de municípios.").arg(p.municipio));
                return 1;
            }
            config.escolheMunicipio(posicao);
            config.marcaGeraArquivoExcel(p.saida == PedidoRelatorio::Csv);
            config.marcaDiretoImpressora(p.saida == PedidoRelatorio::Impressora);
        }
        config.escolheIndice(p.indice);
        config.gera();
        for (const ScriptedUi::Mensagem &m : ui.mensagens())
            if (m.icone == UserInterface::Icone::Erro)
                return 1; // a refusal of the export, already shown
        if (pdf) {
            pdf->grava(p.pdf);
            EscreveLinha(stdout, QStringLiteral("Relatório gravado em ") + p.pdf);
        }
        return 0;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
