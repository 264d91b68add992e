#include "capture/conversoesretorno.h"
#include "capture/registrosdeclaracao.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

using namespace RegistrosDeclaracao;
using namespace ConversoesRetorno;

namespace
{
QVariant valorDe(const Atribuicoes &a, const QString &parametro, QString *tabela = nullptr)
{
    for (const auto &x : a)
        if (x.parametro == parametro) {
            if (tabela)
                *tabela = x.tabela;
            return x.valor;
        }
    return QVariant();
}
LinhaFixa cabeca(const char *tipo)
{
    return CabecaRetorno(tipo, "0012345678901");
}
} // namespace

TEST(ReturnConversions, AmountsDatesTimesAndPercentages)
{
    EXPECT_DOUBLE_EQ(Valor(u"  -1234,5  "), -1234.5);
    EXPECT_DOUBLE_EQ(Valor(u"000000000001000"), 1000.0);
    EXPECT_DOUBLE_EQ(Valor(u"1,5E2"), 150.0);
    for (const char16_t *ruim : {u"12.5", u"", u"   ", u"1,2,3", u"12a", u"E5"})
        EXPECT_THROW(Valor(ruim), OrbelError) << QString::fromUtf16(ruim).toStdString();
    // the short way for plain amounts gives exactly the double of the general conversion
    for (const char *texto :
         {"000001234567,89", "-00000000000,01", "999999999999999", "0,000000000000000000001",
          "12345678901234567890,5", "+7,", ",5", "-0,00", "1234567890,12345"}) {
        QString ponto = QString::fromLatin1(texto);
        ponto.replace(u',', u'.');
        EXPECT_EQ(Valor(QString::fromLatin1(texto)), ponto.toDouble()) << texto;
    }

    QStringList avisos;
    auto aviso = [&](const QString &m) { avisos << m; };
    EXPECT_EQ(TextoParaData("25122023", "L", aviso), QDate(2023, 12, 25));
    EXPECT_EQ(TextoParaData("5122023", "L", aviso), QDate(2023, 12, 5)); // one leading zero added
    EXPECT_EQ(TextoParaData("12#", "L", aviso), QDate::currentDate());
    EXPECT_EQ(TextoParaData("31022023", "01 linha", aviso), DataZero());
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_EQ(avisos[0], QString("Data incorreta: 31022023\n\rLinha: 01 linha"));
    EXPECT_THROW(TextoParaData("        ", "L", aviso), OrbelError);

    EXPECT_EQ(TextoParaHora("235959"), QTime(23, 59, 59));
    EXPECT_THROW(TextoParaHora("256000"), OrbelError);
    EXPECT_DOUBLE_EQ(TextoParaPercentual(u"012349"), 12.34); // the sixth character is ignored
    EXPECT_DOUBLE_EQ(TextoParaPercentual(u"      "), 0.0);
    EXPECT_DOUBLE_EQ(TextoParaPercentual(u"000000"), 0.0);
    EXPECT_EQ(FlagSN(u" s "), QString("N"));
    EXPECT_EQ(FlagSN(u" S "), QString("S"));
}

TEST(DeclarationRecords, IdentificationAndTheUntrimmedDateRule)
{
    QStringList avisos;
    auto aviso = [&](const QString &m) { avisos << m; };
    LinhaFixa l = cabeca("01");
    l.poe(19, "2023")
        .poe(23, QString("\"PADARIA\" CENTRAL").leftJustified(35))
        .poe(58, "15032024")
        .poe(66, "101530");
    l.poe(72, "10032024").poe(80, " 1042024").poe(88, "1").poe(89, "2").poe(92, "S").poe(93, "x");
    l.poe(94, "00000000000000000000")
        .poe(114, "S")
        .poe(116, "4711302")
        .poe(123, "00")
        .poe(159, "000")
        .poe(162, "58");
    QString regime;
    const Atribuicoes a = Registro01(l.texto(), aviso, &regime);
    EXPECT_EQ(regime, QString("58"));
    EXPECT_EQ(valorDe(a, "DEC_EXERCICIO").toInt(), 2023);
    EXPECT_EQ(valorDe(a, "DEC_NOME").toString(), QString("PADARIA CENTRAL"));
    EXPECT_EQ(valorDe(a, "DEC_ENTREGA_DATA").toDate(), QDate(2024, 3, 15));
    EXPECT_EQ(valorDe(a, "DEC_ENTREGA_HORA").toTime(), QTime(10, 15, 30));
    EXPECT_EQ(valorDe(a, "DEC_PROCESSAMENTO").toDate(), QDate(2024, 4, 1)); // trimmed, then padded
    EXPECT_EQ(valorDe(a, "TIPO_CONTRIB_CODIGO").toString(), QString("9"));  // all-zero protocol
    EXPECT_EQ(valorDe(a, "DEC_MUDOUMUNIC").toString(), QString("N"));
    EXPECT_EQ(valorDe(a, "COD_MUNIC_ATUAL").toString(), QString("001"));
    EXPECT_TRUE(avisos.isEmpty());

    // blanks in an untrimmed date fail the record; in a trimmed one they become the zero date
    LinhaFixa branco = l;
    branco.poe(58, "        ");
    EXPECT_THROW(Registro01(branco.texto(), aviso, nullptr), OrbelError);
    LinhaFixa proc = l;
    proc.poe(80, "        ");
    EXPECT_EQ(valorDe(Registro01(proc.texto(), aviso, nullptr), "DEC_PROCESSAMENTO").toDate(), DataZero());
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith("Data incorreta: 00000000\n\rLinha: 01001"));
}

TEST(DeclarationRecords, CodedValuesGoWhereTheirCodeSays)
{
    auto busca = [](const QString &c) -> QString {
        if (c == "018")
            return "RECEITA_BRUTA";
        if (c == "455")
            return "ENTRADAS_OUTROS_ESTADOS";
        if (c == "401")
            return "TRANSPORTE_TOMADO";
        return {};
    };
    QString tabela;
    auto r3 = [&](const char *cod, const QString &regime) {
        return Registro03(cabeca("03").poe(19, cod).poe(22, "000000000010,50").texto(), busca, regime);
    };
    EXPECT_DOUBLE_EQ(valorDe(r3("018", "01"), "RECEITA_BRUTA", &tabela).toDouble(), 10.5);
    EXPECT_EQ(tabela, QString("DEC_DRO"));
    valorDe(r3("401", "02"), "TRANSPORTE_TOMADO", &tabela);
    EXPECT_EQ(tabela, QString("DEC_SAIESTADO"));
    valorDe(r3("401", "58"), "TRANSPORTE_TOMADO", &tabela);
    EXPECT_EQ(tabela, QString("DEC_SIMPLES"));
    EXPECT_THROW(r3("401", "XX"), OrbelError); // the regime must be a number here
    try {
        r3("999", "01");
        FAIL();
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), QString("Registro 3 não localizou o campo 999"));
    }

    QStringList codigos;
    auto r6 = [&](const char *cod, const QString &regime) {
        return Registro06(cabeca("06").poe(19, cod).poe(22, "1").poe(37, "2").texto(), regime,
                          [&](const QString &c) { codigos << c; });
    };
    EXPECT_TRUE(r6("418", "01").isEmpty());
    EXPECT_EQ(codigos, QStringList{"418"});
    EXPECT_DOUBLE_EQ(valorDe(r6("414", "58"), "SUBCONTRATACAO_TRANSP_ENTRADA").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(valorDe(r6("414", "01"), "SUBCONTRATACAO_TRANSP_ENTRADA").toDouble(), 1.0);
    EXPECT_FALSE(valorDe(r6("417", "58"), "TOTAL_EXCLUSOES_SAIDA").isValid());
    EXPECT_TRUE(valorDe(r6("417", "01"), "TOTAL_EXCLUSOES_SAIDA").isValid());
    EXPECT_THROW(r6("4X8", "01"), OrbelError);

    const Atribuicoes r4 = Registro04(cabeca("04").poe(19, "046").poe(22, "5").poe(37, "7").texto());
    EXPECT_DOUBLE_EQ(valorDe(r4, "ISENTOS_NAO_INCIDENCIA_FINAL").toDouble(), 7.0);
    const Atribuicoes r9 =
        Registro09(cabeca("09").poe(20, "199").poe(23, "1").poe(38, "2").poe(53, "3").texto());
    EXPECT_DOUBLE_EQ(valorDe(r9, "VENDAS_ICMS", &tabela).toDouble(), 3.0);
    EXPECT_EQ(tabela, QString("DEC_SAIESTADO"));
    EXPECT_TRUE(
        Registro09(cabeca("09").poe(20, "101").poe(23, "1").poe(38, "2").poe(53, "3").texto()).isEmpty());
}

TEST(DeclarationRecords, VafDetailAndEvents)
{
    ValoresAnteriores ant;
    Registro02(cabeca("02")
                   .poe(19, "JOSE")
                   .poe(103, "000000000000100")
                   .poe(118, "200")
                   .poe(133, "300")
                   .poe(148, "400")
                   .texto(),
               &ant);
    EXPECT_EQ(ant.vaf.trimmed(), QString("400"));
    const Atribuicoes r7 = Registro07(
        cabeca("07").poe(19, "10").poe(34, "20").poe(49, "5").poe(64, "30").poe(79, "01").texto(), ant);
    EXPECT_DOUBLE_EQ(valorDe(r7, "TOTAL_ENTRADAS_VAF").toDouble(), 25.0);
    EXPECT_DOUBLE_EQ(valorDe(r7, "TOTAL_GERAL_VAF_ANO_ANTERIOR").toDouble(), 400.0);
    EXPECT_EQ(valorDe(r7, "REG_CODIGO").toString(), QString("01"));

    const Atribuicoes r8 = Registro08(
        cabeca("08").poe(19, "002").poe(22, "100").poe(37, "01").poe(39, "01234").poe(44, "9").texto());
    EXPECT_DOUBLE_EQ(valorDe(r8, "PERC_MUNIC").toDouble(), 12.34);
    EXPECT_DOUBLE_EQ(valorDe(r8, "VALOR_COMPUTADO").toDouble(), 9.0);

    LinhaFixa l = cabeca("10");
    l.poe(19, "2023").poe(23, "01042024").poe(31, "080000").poe(37, "02042024").poe(45, "1").poe(46, "PROT1");
    l.poe(66, "01")
        .poe(68, "2")
        .poe(69, "x")
        .poe(130, " 123 ")
        .poe(144, "0300000000")
        .poe(159, "VALIDA")
        .poe(200, "02");
    const Evento e = Registro10(l.texto(), {});
    EXPECT_EQ(e.exercicio, 2023);
    EXPECT_EQ(e.entrega, QDate(2024, 4, 1));
    EXPECT_EQ(e.erros[0], QString("03"));
    EXPECT_EQ(e.erros[1], QString("00"));
    EXPECT_EQ(e.respCgcCpf, QString("123"));
    EXPECT_EQ(e.validacao, QString("VALIDA"));
    EXPECT_EQ(e.regime, QString("02"));
    EXPECT_EQ(e.substituicao, QString("x"));
}

TEST(DeclarationRecords, FieldCodesAreLookedUpInTheCamposSet)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    const BuscaCampo busca = BuscaCampoEm(dm.cdsCampos);
    EXPECT_EQ(busca("018"), QString("RECEITA_BRUTA"));
    EXPECT_EQ(busca("043"), QString("TOTAL"));
    EXPECT_EQ(busca("473"), QString("SAIDAS_TRANSFERENCIA_MERCADORIA"));
    EXPECT_TRUE(busca("18").isEmpty()); // exact text
    QString tabela;
    const Atribuicoes a = Registro03(cabeca("03").poe(19, "470").poe(22, "5").texto(), busca, "01");
    EXPECT_DOUBLE_EQ(valorDe(a, "SAIDAS_RECEITA_BRUTA", &tabela).toDouble(), 5.0);
    EXPECT_EQ(tabela, QString("DEC_ENTRADASSAIDAS"));
}
