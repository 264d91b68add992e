#include "capture/registrosmunicipio.h"
#include "capture/tiporegistro.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

using namespace RegistrosMunicipio;

namespace
{
QVariant valorDe(const Atribuicoes &a, const QString &parametro)
{
    for (const auto &x : a)
        if (x.parametro == parametro)
            return x.valor;
    return QVariant();
}
LinhaFixa cabeca(const char *tipo, const char *ie = "0000000000000")
{
    return CabecaRetorno(tipo, ie);
}
LinhaFixa indice(const char *tipo)
{
    LinhaFixa l = cabeca(tipo);
    for (int p = 19; p <= 124; p += 15)
        l.poe(p, "1");
    l.poe(139, "001234567").poe(148, "2").poe(164, "3").poe(179, "4");
    return l;
}
LinhaFixa totaisSN()
{
    LinhaFixa l = cabeca("25", "0012345678901");
    for (int i = 0; i < 10; ++i)
        l.poe(19 + 13 * i, QString::number(i + 1));
    return l;
}
} // namespace

TEST(MunicipalRecords, IndicesVafAndTotals)
{
    Atribuicoes p = Registro16ou17(indice("16").texto());
    EXPECT_EQ(valorDe(p, "INDICE").toString(), QString("0,1234567"));
    EXPECT_EQ(valorDe(p, "INDICE_CODIGO").toString(), QString("P"));
    EXPECT_EQ(valorDe(Registro16ou17(indice("17").texto()), "INDICE_CODIGO").toString(), QString("D"));
    EXPECT_EQ(TextoIndice(u"012500000"), QString("1,25"));
    EXPECT_EQ(TextoIndice(u"100000000"), QString("10"));

    const Atribuicoes b =
        Registro12ou13(cabeca("12").poe(19, "002").poe(22, "1,5").poe(37, "2").poe(52, "3").texto(), "D");
    EXPECT_EQ(valorDe(b, "VAFB_CREDDEB").toString(), QString("D"));
    EXPECT_EQ(valorDe(b, "VAFB_INDICE").toString(), QString("D"));
    EXPECT_DOUBLE_EQ(valorDe(b, "VAFB_VALOR_AF").toDouble(), 1.5);

    // an impossible date in record 11 is only reported; the same in record 35 fails
    QStringList avisos;
    LinhaFixa vafa = cabeca("11");
    vafa.poe(22, "1234567890123")
        .poe(35, "002")
        .poe(38, QString("LOJA").leftJustified(35))
        .poe(73, "31022024")
        .poe(81, "10");
    const Atribuicoes a = Registro11(vafa.texto(), "P", [&](const QString &m) { avisos << m; });
    EXPECT_EQ(valorDe(a, "VAFA_PRIMENTREGA").toDate(), QDate(1899, 12, 30));
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains("Linha: Grava Reg 11: P1234567890123001001002LOJA"));
    LinhaFixa mud = cabeca("35");
    mud.poe(22, "1234567890123").poe(35, "002").poe(38, "LOJA").poe(73, "31022024").poe(81, "10");
    EXPECT_THROW(TTipoRegistro::Cria(mud.texto(), 0), OrbelError);

    const Totais t = Registro99(cabeca("99")
                                    .poe(19, "      120")
                                    .poe(28, "   1234567,89")
                                    .poe(44, "01/01/2023")
                                    .poe(54, "31/12/2023")
                                    .texto());
    EXPECT_EQ(t.totalReg, QString("120"));
    EXPECT_DOUBLE_EQ(t.totalVaf, 1234567.89);
    EXPECT_EQ(t.dataFim, QString("31/12/2023"));
}

TEST(SimplesRecords, CombinedVafTextAndStoringEachType)
{
    RegistrosDeclaracao::ValoresAnteriores ant{"100", "200", "300", "400"}; // E, S, O, V
    LinhaFixa r23 = cabeca("23", "0012345678901");
    r23.poe(19, "002").poe(22, "1").poe(37, "50").poe(52, "7").poe(67, "1234");
    ASSERT_EQ(r23.texto().size(), 70);
    TTipoRegistro23 vaf(TTipoRegistro23::Combina(r23.texto(), ant), 9);
    EXPECT_DOUBLE_EQ(vaf.m_vafAnterior, 400);
    EXPECT_DOUBLE_EQ(vaf.m_entradasAnterior, 100);
    EXPECT_DOUBLE_EQ(vaf.m_saidasAnterior, 200);
    // a record of another length shifts the carried values
    LinhaFixa curto = cabeca("23", "0012345678901");
    curto.poe(19, "002").poe(22, "1").poe(37, "50").poe(52, "7").poe(67, "12");
    EXPECT_THROW(TTipoRegistro23(TTipoRegistro23::Combina(curto.texto(), ant), 9), OrbelError);

    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    LinhaFixa r40 = cabeca("40");
    r40.poe(22, "7777777777777")
        .poe(35, "003")
        .poe(38, "  MEI DA SILVA  ")
        .poe(73, "15032024")
        .poe(81, "12,5")
        .poe(96, "11222333000144");
    const QStringList linhas = {cabeca("14", "0012345678901")
                                    .poe(19, "004")
                                    .poe(22, "10")
                                    .poe(37, "005")
                                    .poe(40, "11222333000144")
                                    .texto(),
                                cabeca("22", "0012345678901").poe(19, "004").poe(22, "20").texto(),
                                TTipoRegistro23::Combina(r23.texto(), ant),
                                cabeca("24", "0012345678901").poe(19, "5").poe(34, "6").texto(),
                                totaisSN().texto(),
                                r40.texto(),
                                QString(r40.texto()).replace(0, 2, "35")};
    {
        TransacaoEmLote tx(dm.MainConnection());
        for (const QString &l : linhas) {
            auto reg = TTipoRegistro::Cria(l, 9);
            ASSERT_TRUE(reg) << l.left(2).toStdString();
            InsercaoEmLote comando(tx, reg->DefineSQL());
            reg->Grava(comando);
        }
        auto simei = TTipoRegistro::Cria(r40.texto(), 0);
        EXPECT_EQ(static_cast<TTipoRegistro40 *>(simei.get())->ObtemIE(), QString("7777777777777"));
        tx.conclui();
    }
    BancoDeTeste b(home.banco());
    EXPECT_DOUBLE_EQ(
        b.valor("SELECT VALOR_MUNICIPIO FROM DEC_DET_MERCADORIA_RURAL WHERE DEC_ID = 9").toDouble(), 10);
    EXPECT_EQ(b.conta("DEC_DET_AMBULANTES", "DEC_ID = 9 AND MUNIC_DETALHAMENTO = '004'"), 1);
    EXPECT_EQ(b.valor("SELECT REG_CODIGO FROM DEC_VAF WHERE DEC_ID = 9").toString(), QString("58"));
    EXPECT_DOUBLE_EQ(b.valor("SELECT TOTAL_ENTRADAS_VAF FROM DEC_VAF WHERE DEC_ID = 9").toDouble(), 7);
    EXPECT_EQ(b.valor("SELECT MUNIC_ESTABELECIMENTO FROM DEC_DET_TRANSF_MERC_INFRACAO").toString(),
              QString("001"));
    EXPECT_DOUBLE_EQ(b.valor("SELECT DEC_TOTAL_AQUIS_DISP_NOTA FROM DEC_TOTAL_SN").toDouble(), 10);
    EXPECT_EQ(b.valor("SELECT NOME_CONTRIBUINTE FROM DEC_SIMEI").toString(), QString("MEI DA SILVA"));
    EXPECT_EQ(b.valor("SELECT DT_PRIMEIRA_ENTREGA FROM DEC_SIMEI").toDate(), QDate(2024, 3, 15));
    EXPECT_DOUBLE_EQ(
        b.valor("SELECT VMM_VLR_CREDITO FROM VAF_MUDANCA_MUNIC WHERE VMM_IE = '7777777777777'").toDouble(),
        12.5);
}
