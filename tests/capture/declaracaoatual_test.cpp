#include "capture/declaracaoatual.h"

#include <gtest/gtest.h>

using RegistrosDeclaracao::Evento;

namespace
{
Evento evento(const QDate &entrega, std::initializer_list<const char *> erros, const char *regime = "01")
{
    Evento e;
    e.entrega = entrega;
    e.regime = QLatin1String(regime);
    int i = 0;
    for (QString &s : e.erros)
        s = QStringLiteral("00");
    for (const char *x : erros)
        e.erros[i++] = QLatin1String(x);
    return e;
}
} // namespace

TEST(CurrentDeclaration, NumbersFollowTheDeclarationRowsAndHistoryNumbersTheRowsLeftBefore)
{
    DeclaracaoAtual d(5, {{5, 3}}, "24");
    // a record 02 before any 0A still has a number
    EXPECT_EQ(d.cabecalho().value("DEC_ID").toDouble(), 5);
    EXPECT_EQ(d.cabecalho().value("RETORNO_CODIGO").toString(), QString("24"));
    d.inicia({{{}, "DEC_IE", QString("0000000000001")}});
    EXPECT_EQ(d.decId(), 5);
    EXPECT_EQ(d.evento(evento(QDate(2024, 3, 5), {})).historico, 4);
    EXPECT_EQ(d.evento(evento(QDate(2024, 3, 6), {})).historico, 5);
    // a 0A without its 02 does not use up a number
    d.inicia({});
    EXPECT_EQ(d.decId(), 5);
    d.guarda({{{}, "DEC_NOME", QString("LOJA")}});
    EXPECT_EQ(d.cabecalho().value("DEC_NOME").toString(), QString("LOJA"));
    d.declaracaoGravada();
    EXPECT_EQ(d.cabecalho().value("DEC_NOME").toString(), QString()); // header fields start again
    EXPECT_EQ(d.decId(), 5); // the records after the 02 still belong to it
    d.inicia({});
    EXPECT_EQ(d.decId(), 6);
    EXPECT_EQ(d.cabecalho().value("DEC_ID").toDouble(), 6);
    EXPECT_EQ(d.evento(evento(QDate(2024, 3, 5), {})).historico, 1);
}

TEST(CurrentDeclaration, EventsDecideTheSituationAndWriteOnlyWhatChanges)
{
    DeclaracaoAtual d(1, {}, "24");
    d.inicia({});
    const QDate primeira(2024, 3, 5);
    // refused in its third slot: "R", written once, with the pending details
    auto w = d.evento(evento(primeira, {"00", "00", "03"}));
    EXPECT_TRUE(w.detalhes);
    EXPECT_FALSE(w.atualizacaoCompleta);
    EXPECT_TRUE(w.situacao);
    EXPECT_EQ(w.situacaoNova, QString("R"));
    EXPECT_EQ(w.primeiraEntrega, primeira);
    // the same again changes nothing stored
    w = d.evento(evento(primeira.addDays(1), {"13"}));
    EXPECT_FALSE(w.detalhes);
    EXPECT_FALSE(w.atualizacaoCompleta);
    EXPECT_FALSE(w.situacao);
    // accepted: the full update writes "E"; the first delivery stays the first event's
    w = d.evento(evento(primeira.addDays(2), {"02"}));
    EXPECT_TRUE(w.atualizacaoCompleta);
    EXPECT_FALSE(w.situacao);
    EXPECT_EQ(w.primeiraEntrega, primeira);
    // once "E", a later refusal neither updates the row nor changes the situation
    w = d.evento(evento(primeira.addDays(3), {"01"}));
    EXPECT_FALSE(w.atualizacaoCompleta);
    EXPECT_FALSE(w.situacao);

    // the next declaration starts unknown: its first event writes its details, and an accepted
    // one its situation through the full update alone
    d.declaracaoGravada();
    d.inicia({});
    w = d.evento(evento(primeira, {}));
    EXPECT_TRUE(w.detalhes);
    EXPECT_TRUE(w.atualizacaoCompleta);
    EXPECT_FALSE(w.situacao);
}

TEST(CurrentDeclaration, CarriedOtherEntriesKeepTheirTextAndRegime58StartsThemAgain)
{
    DeclaracaoAtual d(1, {}, "24");
    auto &outras = d.anteriores().outras;
    outras = "000000000000000";
    d.somaOutrasEntradas(u"000000000000100");
    EXPECT_EQ(outras, QString("000000000000100"));
    d.somaOutrasEntradas(u"0000000000012,5");
    EXPECT_EQ(outras, QString("0000000000112,5"));
    d.somaOutrasEntradas(u"1e20");
    EXPECT_EQ(outras, QString("00000000001e+20")); // the engine's notation, read back as it was
    d.somaOutrasEntradas(u"0");
    EXPECT_EQ(outras, QString("00000000001e+20"));
    outras = "-0";
    d.somaOutrasEntradas(u"-0");
    EXPECT_EQ(outras, QString("000000000000000"));

    outras = "000000000000100";
    d.inicia({});
    d.evento(evento(QDate(2024, 3, 5), {"03"}, "58")); // refused: regime 58 not complete
    EXPECT_EQ(outras, QString("000000000000100"));
    d.evento(evento(QDate(2024, 3, 5), {}, "58"));
    EXPECT_EQ(outras, QString("000000000000000"));
    // it stays the last complete regime for the declarations after
    d.declaracaoGravada();
    d.inicia({});
    outras = "000000000000100";
    d.evento(evento(QDate(2024, 3, 5), {"03"}, "01"));
    EXPECT_EQ(outras, QString("000000000000000"));
}
