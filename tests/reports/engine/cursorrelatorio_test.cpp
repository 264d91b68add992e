#include "data/clientdataset.h"
#include "reports/engine/cursorrelatorio.h"
#include "reports/engine/medidortexto.h"
#include "reports/engine/relatorio.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace
{

// Every row as the cursor serves it, each with the look-ahead seen from it.
QStringList percorre(CursorRelatorio &c)
{
    QStringList r;
    c.reinicia();
    while (c.proxima())
        r << c.valor("MUNIC_CODIGO").toString() + u'>' +
                 (c.temSeguinte() ? c.valorSeguinte("munic_codigo").toString() : QStringLiteral("fim"));
    r << (c.valor("MUNIC_CODIGO").isValid() ? QStringLiteral("linha depois do fim") : QStringLiteral("."));
    return r;
}

const QStringList tres{"001>002", "002>003", "003>fim", "."};
const QString sql =
    "SELECT MUNIC_CODIGO, MUNIC_NOME FROM MUNICIPIOS WHERE MUNIC_CODIGO <= :ULTIMO ORDER BY 1";

} // namespace

TEST(ReportCursor, ForwardOnlyQueryLooksOneRowAheadAndRunsAgainForEachPass)
{
    auto home = TempHome::seeded();
    BancoDeTeste banco(home.banco());
    QSqlQuery q(QSqlDatabase::database(banco.nomeConexao()));
    q.setForwardOnly(true);
    ASSERT_TRUE(q.prepare(sql));
    q.bindValue(":ULTIMO", "003");
    ASSERT_TRUE(q.exec());
    CursorConsulta cursor(q);
    EXPECT_EQ(cursor.campos(), (QStringList{"MUNIC_CODIGO", "MUNIC_NOME"}));
    EXPECT_EQ(cursor.indice("munic_nome"), 1);
    EXPECT_EQ(cursor.indice("NAO_HA"), -1);
    EXPECT_EQ(percorre(cursor), tres);
    EXPECT_EQ(percorre(cursor), tres); // the prepared statement ran again, with its value

    QSqlQuery texto(QSqlDatabase::database(banco.nomeConexao()));
    texto.setForwardOnly(true);
    ASSERT_TRUE(texto.exec("SELECT MUNIC_CODIGO FROM MUNICIPIOS WHERE MUNIC_CODIGO < '003' ORDER BY 1"));
    CursorConsulta doTexto(texto);
    EXPECT_EQ(percorre(doTexto), (QStringList{"001>002", "002>fim", "."}));
    EXPECT_EQ(percorre(doTexto), (QStringList{"001>002", "002>fim", "."}));

    QSqlQuery vazia(QSqlDatabase::database(banco.nomeConexao()));
    ASSERT_TRUE(vazia.exec("SELECT MUNIC_CODIGO FROM MUNICIPIOS WHERE 1 = 0"));
    CursorConsulta semLinhas(vazia);
    EXPECT_EQ(percorre(semLinhas), QStringList{"."});
}

TEST(ReportCursor, InMemorySetIsReadAcrossPacketsWithoutMovingItsCurrentRow)
{
    auto home = TempHome::seeded();
    BancoDeTeste banco(home.banco());
    ClientDataSet cds("cdsTeste");
    cds.setCommandText(sql);
    cds.setParametro("ULTIMO", "003");
    cds.setPacketRecords(2); // the third row, seen as look-ahead, is in the second packet
    cds.open(QSqlDatabase::database(banco.nomeConexao()));
    CursorClientDataSet cursor(cds);
    EXPECT_EQ(percorre(cursor), tres);
    EXPECT_EQ(cds.recNo(), 0);

    // the same report laid out from the set, twice
    Relatorio rel;
    rel.adicionaGrupo("MUNIC_CODIGO").rodape().campo({0, 0, 30, 4}, "MUNIC_NOME");
    rel.setCursor(&cursor);
    EXPECT_EQ(Despejo(rel.monta(MedidorFixo())), Despejo(rel.monta(MedidorFixo())));
    EXPECT_EQ(rel.monta(MedidorFixo()).paginas[0].quantidade(), 3 + 1);
}
