#include "reports/configuracaorelatorios.h"
#include "reports/engine/paginasrelatorio.h"
#include "reports/saidapdf.h"
#include "support/relatoriosteste.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{

// The pages each item of municipality 001 would show in the preview, as the engine's dump.
struct Paginas : RelatoriosTeste {
    TContextoRelatorio contexto;
    SaidaPdf saida;
    ConfiguracaoRelatorios config{*dm, ui, &saida, contexto};

    Paginas()
    {
        config.cria();
        config.mostra();
        config.setMomentoImpressao(QDateTime(QDate(2024, 9, 2), QTime(8, 30)));
    }
    QString gera(int item, int indice = 0, const QString &municipio = "001")
    {
        config.escolheRelatorio(item);
        config.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
        config.escolheMunicipio(int(config.ListaCodigos().indexOf(municipio)));
        config.escolheIndice(indice);
        config.marcaGeraArquivoExcel(false);
        config.gera();
        return Despejo(saida.relatorios().last());
    }
};

// The texts a band placed, in order, across every page.
QStringList textos(const QString &despejo, const QString &banda)
{
    static const QRegularExpression item(QStringLiteral("^\\s+(\\S+) texto .* \"(.*)\"$"));
    QStringList r;
    for (const QString &linha : despejo.split(u'\n')) {
        const auto m = item.match(linha);
        if (m.hasMatch() && m.captured(1) == banda)
            r << m.captured(2);
    }
    return r;
}

} // namespace

TEST(ReportPages, AcceptedHeaderGroupsCountsAndTotalsPerResponsible)
{
    Paginas p;
    const QString d = p.gera(0);
    EXPECT_TRUE(d.startsWith("relatório \"Declarações aceitas por responsáveis\" A4 retrato 1 páginas"))
        << d.toStdString();
    EXPECT_EQ(textos(d, "cabecalho_pagina"),
              QStringList({"Secretaria de Estado de Fazenda de Vesperia", "Impresso: 02/09/2024 08:30:00",
                           "Declaração Anual do Movimento Econômico Fiscal - Ano Base 2023",
                           "Relação de Declarações Aceitas por Responsável     -     Data limite: 15/03/2024",
                           "Município: ALVORADA DO NORTE"}));
    // the totals restart with each responsible; zero and null go to the negative total
    EXPECT_EQ(textos(d, "rodape_responsavel"),
              QStringList({"Aceitas / Responsável:", "2", "Total VAF positivos :", "1.235",
                           "Total VAF negativos :", "0", "Aceitas / Responsável:", "1",
                           "Total VAF positivos :", "0", "Total VAF negativos :", "-87",
                           "Aceitas / Responsável:", "2", "Total VAF positivos :", "500",
                           "Total VAF negativos :", "0"}));
    const QStringList det = textos(d, "detalhe");
    EXPECT_EQ(det.mid(0, 5),
              QStringList({"0010000001", "ALFA COMERCIO LTDA", "15/03/2024", "15/03/2024", "1.235"}));
    EXPECT_EQ(textos(d, "cabecalho_responsavel").mid(0, 4),
              QStringList({"Responsável:", "CONTADOR A", "DDD/Fone:", "027 33330001"}));
}

TEST(ReportPages, LateTotalsCoverTheReportAndRestartOnEveryPass)
{
    Paginas p;
    const QString d = p.gera(2);
    EXPECT_TRUE(
        textos(d, "cabecalho_pagina")
            .contains("Relação de Declarações Entregues Fora do Prazo     -     Primeira entrega após: "
                      "30/06/2024"));
    EXPECT_TRUE(textos(d, "cabecalho_pagina").contains("Município: ALVORADA DO NORTE"));
    EXPECT_TRUE(textos(d, "detalhe").contains("2.500,75"));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Total de declarações:", "2", "Total positivos:", "2.501",
                                                 "Total negativos:", "0"}));

    // a second layout of the same report (printing from the preview) counts from zero again
    struct DuasVezes : SaidaRelatorio {
        QString primeira, segunda;
        void visualiza(LayoutRelatorio &l) override
        {
            primeira = Despejo(l.monta());
            segunda = Despejo(l.monta());
        }
        void imprime(LayoutRelatorio &l) override { visualiza(l); }
    } duas;
    ConfiguracaoRelatorios c(*p.dm, p.ui, &duas, p.contexto);
    c.cria();
    c.mostra();
    c.setMomentoImpressao(QDateTime(QDate(2024, 9, 2), QTime(8, 30)));
    c.escolheRelatorio(2);
    c.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
    c.escolheMunicipio(0);
    c.marcaGeraArquivoExcel(false);
    c.gera();
    EXPECT_FALSE(duas.primeira.isEmpty());
    EXPECT_EQ(duas.primeira, duas.segunda);
}

TEST(ReportPages, RefusedListsAreLandscapeWithTheirCounts)
{
    Paginas p;
    QString d = p.gera(5);
    EXPECT_TRUE(d.startsWith("relatório \"Recusadas por Responsável\" A4 paisagem"))
        << d.left(80).toStdString();
    EXPECT_TRUE(textos(d, "cabecalho_pagina").contains("Secretaria de Estado da Fazenda de Vesperia"));
    EXPECT_EQ(textos(d, "rodape_responsavel"), QStringList({"Recusas / Responsável:", "2"}));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Recusas / Município:", "2"}));
    EXPECT_TRUE(textos(d, "detalhe").contains("02/02/2024 09:15:00"));
    EXPECT_TRUE(textos(d, "detalhe").contains("-20,5"));

    d = p.gera(6);
    EXPECT_TRUE(
        textos(d, "cabecalho_pagina").contains("Relação de Declarações Recusadas por Inscrição Estadual"));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Total de recusas:", "2"}));

    d = p.gera(7);
    EXPECT_TRUE(d.startsWith("relatório \"Subs. Recusadas\" A4 paisagem"));
    EXPECT_EQ(textos(d, "cabecalho_colunas"),
              QStringList({"IE", "Razão social", "Declaração válida", "Entregas recusadas", "VAF",
                           "Motivos de recusa"}));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Total de recusas:", "2"}));
}

TEST(ReportPages, TaxpayerListsAndAnEmptyMunicipality)
{
    Paginas p;
    QString d = p.gera(1);
    EXPECT_TRUE(d.startsWith("relatório \"Relação de contribuintes ativos\" A4 paisagem"));
    EXPECT_TRUE(textos(d, "cabecalho_pagina").contains("Secretaria de Estado de Fazenda de Vesperia"));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Ativos / Município", "3"}));
    EXPECT_TRUE(textos(d, "detalhe").contains("027 33334444 12"));

    d = p.gera(3);
    EXPECT_TRUE(d.startsWith("relatório \"Omissos por Responsável\" A4 retrato"));
    EXPECT_TRUE(textos(d, "cabecalho_pagina").contains("Município: ALVORADA DO NORTE"));
    EXPECT_EQ(textos(d, "rodape_responsavel"), QStringList({"Total", "2", "Total", "1"}));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Total por município", "3"}));

    d = p.gera(4);
    EXPECT_EQ(textos(d, "cabecalho_colunas").value(0), QString("  IE"));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Total de omissos:", "3"}));

    // no obliged taxpayer: the headers, an empty municipality and a zero count
    d = p.gera(1, 0, "003");
    EXPECT_TRUE(textos(d, "cabecalho_pagina").contains("Município: "));
    EXPECT_EQ(textos(d, "sumario"), QStringList({"Ativos / Município", "0"}));
}
