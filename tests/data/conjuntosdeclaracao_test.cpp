#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

namespace
{
struct Modulo : ModuloTeste {
    BancoDeTeste b{home.banco()};

    void declaracao(int id, int ano, const QVariantList &resto = {})
    {
        b.executa(
            "INSERT INTO DECLARACOES (DEC_ID, DEC_EXERCICIO, DEC_IE, DEC_NOME, MUNIC_CODIGO, DEC_SITUACAO, "
            "REG_CODIGO, TIPO_CONTRIB_CODIGO, COD_MUNIC_ENDERECO, NAO_CONSTA_ATIVOS, CNAEF_ID, "
            "DESMEMBRAMENTO) VALUES (?, ?, ?, 'NOME', ?, ?, ?, ?, ?, ?, ?, ?)",
            QVariantList{id, ano, QString("IE%1").arg(id, 4, 10, QChar('0'))} +
                (resto.isEmpty() ? QVariantList{"001", "E", "01", "1", "002", "N", "01", "00"} : resto));
    }
    int inativos() { return b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"); }
};

QString nome35()
{
    return QString("MUNICIPIO COM NOME DE TRINTA E CINCO").left(35);
}
} // namespace

TEST(DeclarationSets, DetailsFollowWhenAttachedAndAPacketCursorNeverBlocksTheIndexSwitch)
{
    Modulo t;
    for (int i = 1; i <= 60; ++i)
        t.declaracao(i, 2023);
    t.b.executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_DATA) VALUES (1, 2, '2024-01-01')");
    t.b.executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_DATA) VALUES (2, 2, '2024-02-01')");
    t.b.executa("INSERT INTO HIST_ERROS (HISTORICO_ID, DEC_ID, ERRO_CODIGO) VALUES (1, 2, '01')");
    t.b.executa("INSERT INTO HIST_ERROS (HISTORICO_ID, DEC_ID, ERRO_CODIGO) VALUES (1, 2, 'ZZ')");
    t.b.executa("INSERT INTO DEC_VAF (DEC_ID, MUNIC_CODIGO, TOTAL_GERAL_VAF) VALUES (2, '001', 10)");
    t.b.executa("INSERT INTO DEC_VAF (DEC_ID, MUNIC_CODIGO, TOTAL_GERAL_VAF) VALUES (2, '002', 20)");
    t.b.executa("INSERT INTO DEC_TOTAL_SN (DEC_ID, DEC_TOTAL_AMBULANTES) VALUES (2, 5)");
    t.inicia();
    TdmPrincipal &dm = *t.dm;
    EXPECT_TRUE(dm.cdsDeclaracoes.active());
    EXPECT_EQ(dm.cdsDeclaracoes.recordCount(), 0);
    for (ClientDataSet *cds : dm.detalhesDoGrupo())
        EXPECT_TRUE(cds->active() && cds->isEmpty()) << cds->nome().toStdString();

    dm.cdsDeclaracoes.close();
    dm.cdsDeclaracoes.setCommandText("SELECT * FROM DECLARACOES ORDER BY DEC_ID");
    dm.LigaDetalhesDeclaracao();
    EXPECT_TRUE(t.ui.aguardes().contains("Buscando dados declarações..."));
    EXPECT_TRUE(t.ui.aguardeAtual().isEmpty());
    EXPECT_EQ(dm.cdsDeclaracoes.recordCount(), 50); // the first packet
    dm.cdsDeclaracoes.next();
    EXPECT_EQ(dm.cdsDec_Historico.recordCount(), 2);
    EXPECT_EQ(dm.cdsDec_Historico.valor("HISTORICO_ID").toInt(), 2); // newest first
    EXPECT_TRUE(dm.cdsHist_Erros.isEmpty());
    dm.cdsDec_Historico.next();
    EXPECT_EQ(dm.cdsHist_Erros.recordCount(), 2);
    QStringList nomes;
    for (int i = 0; i < 2; ++i)
        nomes << dm.cdsHist_Erros.valor(i, "NomeErro").toString();
    nomes.sort();
    EXPECT_EQ(nomes, QStringList({dm.cdsErros.lookup("ERRO_CODIGO", "01", "ERRO_DESCRICAO").toString(),
                                  QString::fromUtf8("NÃO LOCALIZADO NA TABELA DE ERROS")}));
    EXPECT_FALSE(nomes[0].isEmpty());
    EXPECT_EQ(dm.cdsDec_Vaf.recordCount(), 1); // the declaration's own municipality only
    EXPECT_EQ(dm.cdsDec_Vaf.valor("TOTAL_GERAL_VAF").toInt(), 10);
    EXPECT_GE(dm.cdsDec_Vaf.indiceCampo("TOTAL_GERAL_OUTRAS_ENTRADAS_AN"), 0); // known by 30 characters
    EXPECT_EQ(dm.cdsTotalDecSN.recordCount(), 1);
    dm.cdsDeclaracoes.next();
    EXPECT_TRUE(dm.cdsDec_Historico.isEmpty() && dm.cdsHist_Erros.isEmpty() && dm.cdsTotalDecSN.isEmpty());

    // the browser leaves the set half read; the capture's index switch still goes through
    EXPECT_FALSE(dm.cdsDeclaracoes.tudoLido());
    dm.HabilitaIndices(false);
    EXPECT_EQ(t.inativos(), 8);
    EXPECT_TRUE(t.ui.mensagens().isEmpty());
    dm.HabilitaIndices(true);
    EXPECT_EQ(t.inativos(), 0);
    EXPECT_TRUE(t.ui.mensagens().isEmpty());
    EXPECT_EQ(dm.cdsDeclaracoes.recordCount(), 50); // what was read stays on screen

    dm.DesligaDetalhesDeclaracao();
    EXPECT_EQ(dm.cdsDeclaracoes.commandText(), ConjuntosDeclaracao::SelecaoVazia);
    EXPECT_TRUE(dm.cdsDeclaracoes.isEmpty());
    for (ClientDataSet *cds : dm.detalhesDoGrupo())
        EXPECT_TRUE(cds->isEmpty() && !cds->mestreParametros()) << cds->nome().toStdString();
}

TEST(DeclarationSets, CalculatedFieldsTotalsAndPictures)
{
    Modulo t;
    t.b.executa("INSERT INTO MUNICIPIOS (MUNIC_CODIGO, MUNIC_NOME) VALUES ('900', ?)", {nome35()});
    t.b.executa("INSERT INTO CNAEF (CNAEF_ID, DESCRICAO, DESMEMBRAMENTO, DATA_INICIO, DATA_FIM) VALUES "
                "('O''1', 'COM ASPA', '00', '2000-01-01', '2099-12-31')");
    t.declaracao(1, 2023, {"900", "E", "01", "1", "002", "S", "O'1", "00"});
    t.declaracao(2, 2023,
                 {"001", QVariant(QMetaType(QMetaType::QString)), "ZZ", "99", "ZZZ", "N", "01", "00"});
    // declaration 1: entries from the state and other states, none from abroad
    t.b.executa("INSERT INTO DEC_ENTRADASSAIDAS (DEC_ID) VALUES (1)");
    t.b.executa("INSERT INTO DEC_ENTESTADO (DEC_ID, COMPRAS_VC, TRANSFERENCIAS_VC) VALUES (1, 1, 100)");
    t.b.executa("INSERT INTO DEC_ENTOUTROS (DEC_ID, COMPRAS_VC, TRANSFERENCIAS_VC) VALUES (1, 2, 20)");
    t.b.executa(
        "INSERT INTO DEC_VAFDETALHES (DEC_ID, MUNIC_CODIGO, VALOR, TIPO_DETALHAMENTO, VALOR_COMPUTADO) "
        "VALUES (1, '900', -5, '01', 0)");
    t.b.executa(
        "INSERT INTO DEC_VAFDETALHES (DEC_ID, MUNIC_CODIGO, VALOR, TIPO_DETALHAMENTO, VALOR_COMPUTADO) "
        "VALUES (1, '001', 1234567.4, '02', 1234567.5)");
    t.inicia();
    TdmPrincipal &dm = *t.dm;
    dm.cdsDeclaracoes.close();
    dm.cdsDeclaracoes.setCommandText("SELECT * FROM DECLARACOES ORDER BY DEC_ID");
    dm.LigaDetalhesDeclaracao();
    ClientDataSet &d = dm.cdsDeclaracoes;
    EXPECT_EQ(d.nomesCampos().mid(d.nomesCampos().size() - 7),
              QStringList({"Situacao", "Regime_nome", "DescricaoCNAEF", "NaoConstaAtivos", "Tipo_descricao",
                           "Munic_nome", "Munic_Endereco"}));
    EXPECT_EQ(d.texto("Situacao"), "Entregue");
    EXPECT_FALSE(d.texto("Regime_nome").isEmpty());
    EXPECT_EQ(d.texto("DescricaoCNAEF"), "COM ASPA"); // the code with a quote is bound, not pasted
    EXPECT_EQ(d.texto("NaoConstaAtivos"), "Não consta na tabela de ativos");
    EXPECT_EQ(d.texto("Tipo_descricao"), "NORMAL");
    EXPECT_EQ(d.texto("Munic_nome"), nome35()); // whole here
    EXPECT_EQ(d.texto("Munic_Endereco"),
              dm.cdsMunicipios.lookup("MUNIC_CODIGO", "002", "MUNIC_NOME").toString());
    EXPECT_FALSE(d.texto("Munic_Endereco").isEmpty());

    ClientDataSet &tot = dm.cdsTotais;
    ASSERT_EQ(tot.recordCount(), 1);
    EXPECT_TRUE(tot.valor("ENT_COMPRAS_VC").isNull());                    // the foreign table has no row
    EXPECT_DOUBLE_EQ(tot.valor("ENT_TRANSFERENCIAS_VC").toDouble(), 120); // it never reads that table
    EXPECT_DOUBLE_EQ(tot.valor("calcTotalEntrada").toDouble(), 120);      // null terms read as 0
    EXPECT_DOUBLE_EQ(tot.valor("calcTotalSaida").toDouble(), 0);

    ClientDataSet &vaf = dm.cdsDec_VafDetalhes;
    ASSERT_EQ(vaf.recordCount(), 2);
    const int valor = vaf.indiceCampo("VALOR"), computado = vaf.indiceCampo("VALOR_COMPUTADO");
    EXPECT_EQ(vaf.exibicao(0, valor), "---");
    EXPECT_EQ(vaf.exibicao(0, computado), "---");
    EXPECT_EQ(vaf.exibicao(1, valor), "1.234.567");
    EXPECT_EQ(vaf.texto("MUNIC_NOME"), nome35().left(30)); // cut in the VAF details
    dm.AbreDetalheVaf(dm.cdsVafDetGeraEnergia);
    ASSERT_EQ(dm.cdsVafDetGeraEnergia.recordCount(), 1);
    EXPECT_EQ(dm.cdsVafDetGeraEnergia.texto("MUNIC_NOME"), "ALVORADA DO NORTE");
    EXPECT_EQ(dm.cdsDec_EntEstado.exibicao("TRANSFERENCIAS_VC"), "100");

    d.next();
    EXPECT_EQ(d.texto("Situacao"), "Recusada"); // an empty situation
    EXPECT_EQ(d.texto("Regime_nome"), "");      // a regime REGIMES does not know
    EXPECT_EQ(d.texto("Tipo_descricao"), "");
    EXPECT_EQ(d.texto("Munic_Endereco"), "");
    EXPECT_EQ(d.texto("NaoConstaAtivos"), "");
    EXPECT_TRUE(tot.isEmpty()); // no DEC_ENTRADASSAIDAS row: no totals row

    dm.SuspendeRegras(true); // the capture window is open
    EXPECT_TRUE(d.valor("Situacao").isNull());
    EXPECT_TRUE(vaf.valor(0, "MUNIC_NOME").isNull() || vaf.isEmpty());
    dm.SuspendeRegras(false);
    EXPECT_EQ(d.texto("Situacao"), "Recusada");
}

TEST(TaxpayerSets, CalculatedFieldsReadTheCodesValidForTheBaseYear)
{
    Modulo t;
    t.b.executa("UPDATE PARAMETROS SET VALOR = '2019' WHERE CAMPO = 'ANOEXERCICIO'");
    t.b.executa("INSERT INTO CNAEF (CNAEF_ID, DESCRICAO, DESMEMBRAMENTO, DATA_INICIO, DATA_FIM) VALUES "
                "('9999999', 'ENCERRADO', '00', '2010-01-01', '2019-12-31')");
    t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, REGRECATU, CNAEF_ID, DESMEMBRAMENTO, OBRIGADO) VALUES "
                "('1', '001', '01', '9999999', '00', 'S')");
    t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, REGRECATU, CNAEF_ID, DESMEMBRAMENTO, OBRIGADO) VALUES "
                "('2', '001', 'ZZ', '01', '00', 's')");
    for (int i = 3; i < 250; ++i)
        t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES (?, '002')", {QString::number(i)});
    t.inicia();
    TdmPrincipal &dm = *t.dm;
    ClientDataSet &a = dm.cdsAtivos;
    a.open(dm.MainConnection());
    EXPECT_EQ(a.recordCount(), 200); // a packet
    EXPECT_TRUE(t.ui.aguardes().contains("Buscando dados de ativos..."));
    EXPECT_TRUE(t.ui.aguardeAtual().isEmpty());
    ASSERT_TRUE(a.locate({"IE"}, {"1"}));
    EXPECT_FALSE(a.texto("RegimeRecolhimento").isEmpty());
    EXPECT_EQ(a.texto("DescricaoCNAEF"), ""); // ended on 31/12/2019, not in force on 01/01/2020
    EXPECT_EQ(a.texto("DescObrigado"), "Sim");
    ASSERT_TRUE(a.locate({"IE"}, {"2"}));
    EXPECT_EQ(a.texto("RegimeRecolhimento"), "");
    EXPECT_EQ(a.texto("DescObrigado"), "Não"); // a lower-case s
    EXPECT_FALSE(a.texto("DescricaoCNAEF").isEmpty());
    EXPECT_EQ(a.campos()[a.indiceCampo("MUNIC_NOME")].rotulo, "Município");

    dm.GravaParametro("ANOEXERCICIO", "2018"); // the Parameters window changed the year
    dm.AbreCNAEF();
    ASSERT_TRUE(a.locate({"IE"}, {"1"}));
    EXPECT_EQ(a.texto("DescricaoCNAEF"), "ENCERRADO");
}
