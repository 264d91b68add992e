#include "data/clientdataset.h"
#include "data/widgets/datasetmodel.h"
#include "shell/orbelerror.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

namespace
{

// A scratch database made by isql with two small tables: CIDADE has a key, BAIRRO has none.
struct Banco {
    QTemporaryDir dir;
    QString nome = QUuid::createUuid().toString();
    QSqlDatabase db;

    Banco()
    {
        const QString arquivo = dir.filePath("t.fdb");
        QProcess isql;
        isql.start("isql-fb", {"-q"});
        isql.waitForStarted();
        isql.write(
            QString("SET NAMES UTF8;\ncreate database '%1' user 'SYSDBA' default character set WIN1252;\n"
                    "create table CIDADE (CODIGO varchar(3) not null primary key, NOME varchar(40),"
                    " VALOR double precision, POP numeric(15,0), FUNDACAO date, UF char(2));\n"
                    "insert into CIDADE values ('002', 'SÃO JOÃO', 2.5, 150000, '1900-01-02', 'MG');\n"
                    "insert into CIDADE values ('001', 'ARAXÁ', null, 90000, '1865-12-19', 'MG');\n"
                    "insert into CIDADE values ('003', 'ÁGUA BOA', 10.25, null, null, 'SP');\n"
                    "create table BAIRRO (CODIGO varchar(3), NOME varchar(40));\n"
                    "insert into BAIRRO values ('001', 'CENTRO');\n"
                    "insert into BAIRRO values ('002', 'CENTRO');\n"
                    "insert into BAIRRO values ('002', 'VILA');\n"
                    "insert into BAIRRO values ('002', 'PORTO');\n"
                    "insert into BAIRRO values ('003', 'ALTO');\n"
                    "commit;\n")
                .arg(arquivo)
                .toUtf8());
        isql.closeWriteChannel();
        isql.waitForFinished();
        EXPECT_EQ(isql.exitCode(), 0) << isql.readAllStandardError().toStdString();
        db = QSqlDatabase::addDatabase("QIBASE", nome);
        db.setDatabaseName(arquivo);
        db.setUserName("SYSDBA");
        db.setPassword("plumwater");
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    ~Banco()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nome);
    }
    // Rows of a query as "a|b;c|d", NULL as "-".
    std::string le(const QString &sql)
    {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        QStringList linhas;
        while (q.next()) {
            QStringList l;
            for (int i = 0; i < q.record().count(); ++i)
                l << (q.isNull(i) ? "-" : q.value(i).toString());
            linhas << l.join('|');
        }
        return linhas.join(';').toStdString();
    }
};

QString coluna(const ClientDataSet &ds, const QString &campo)
{
    QStringList v;
    for (int i = 0; i < ds.recordCount(); ++i)
        v << ds.valor(i, campo).toString();
    return v.join(',');
}

} // namespace

TEST(ClientDataSet, OpensWithTypedFieldsNavigatesAndComputes)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT * FROM CIDADE WHERE CODIGO >= :DESDE ORDER BY CODIGO");
    ds.setParametro("DESDE", "001");
    ds.addCampoCalculado("DOBRO", QMetaType::Double, 0, [](const ClientDataSet &d, int linha) {
        return d.valor(linha, "VALOR").toDouble() * 2;
    });
    QSignalSpy aberto(&ds, &ClientDataSet::aberto);
    ds.open(b.db);
    EXPECT_EQ(aberto.count(), 1);
    EXPECT_EQ(ds.nomesCampos(), QStringList({"CODIGO", "NOME", "VALOR", "POP", "FUNDACAO", "UF", "DOBRO"}));
    const auto &c = ds.campos();
    EXPECT_EQ(c[1].tamanho, 40);
    EXPECT_EQ(c[2].tipo, QMetaType::Double);
    EXPECT_EQ(c[3].tipo, QMetaType::LongLong);
    EXPECT_EQ(c[4].tipo, QMetaType::QDate);
    EXPECT_TRUE(c[6].calculado);

    EXPECT_EQ(ds.recNo(), 0);
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.texto("nome"), "ARAXÁ");
    EXPECT_TRUE(ds.valor("VALOR").isNull());
    EXPECT_EQ(ds.valor("UF").toString(), "MG"); // CHAR keeps its own width, not the driver's padding
    ds.next();
    ds.next();
    EXPECT_EQ(ds.valor("DOBRO").toDouble(), 20.5);
    ds.next();
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.recNo(), 2); // eof stays on the last row
    ds.setRecNo(1);
    EXPECT_FALSE(ds.eof());
    EXPECT_EQ(ds.valor("POP").toLongLong(), 150000);
    EXPECT_EQ(ds.valor("FUNDACAO").toDate(), QDate(1900, 1, 2));
    try {
        ds.valor("XYZ");
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), "Campo 'XYZ' não encontrado");
    }
    EXPECT_THROW(ds.setValor("DOBRO", 1.0), OrbelError);

    ds.setParametro("DESDE", "999");
    ds.open(b.db);
    EXPECT_EQ(ds.recNo(), -1);
    EXPECT_TRUE(ds.eof() && ds.bof());

    ClientDataSet ruim("cdsRuim");
    ruim.setCommandText("SELECT NADA FROM CIDADE");
    try {
        ruim.open(b.db);
        ADD_FAILURE();
    } catch (const OrbelError &e) { // which set failed, then the server's words
        EXPECT_TRUE(e.message().startsWith("Erro ao abrir cdsRuim.\r\n")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("Column unknown"));
        EXPECT_TRUE(e.message().contains("NADA"));
    }
    EXPECT_FALSE(ruim.active());
}

TEST(ClientDataSet, SortsByTypeFiltersAndLocatesExactly)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT * FROM CIDADE");
    ds.addCampoCalculado("NEGATIVO", QMetaType::Double, 0, [](const ClientDataSet &d, int linha) {
        return -d.valor(linha, "VALOR").toDouble();
    });
    ds.open(b.db);
    ds.setIndexFieldNames("VALOR"); // numbers, not text: 2.5 before 10.25; NULL first
    EXPECT_EQ(coluna(ds, "CODIGO"), "001,002,003");
    ds.setIndexFieldNames("FUNDACAO");
    EXPECT_EQ(coluna(ds, "CODIGO"), "003,001,002");
    ds.setIndexFieldNames("NOME"); // plain comparison: accented capitals after Z
    EXPECT_EQ(coluna(ds, "CODIGO"), "001,002,003");
    ds.setIndexFieldNames("NEGATIVO");
    EXPECT_EQ(coluna(ds, "CODIGO"), "003,002,001");
    EXPECT_THROW(ds.setIndexFieldNames("NADA"), OrbelError);

    ds.setFiltro([](const ClientDataSet &d, int linha) { return d.valor(linha, "UF").toString() == "MG"; });
    EXPECT_EQ(coluna(ds, "CODIGO"), "002,001");
    EXPECT_FALSE(ds.locate({"CODIGO"}, {"003"})); // filtered out
    EXPECT_FALSE(ds.locate({"NOME"}, {"são joão"}));
    EXPECT_TRUE(ds.locate({"UF", "NOME"}, {"MG", "ARAXÁ"}));
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_EQ(ds.procura({"POP"}, {"150000"}), 0); // text against a number compares as text
    EXPECT_EQ(ds.recNo(), 1);
    ds.setFiltro({});
    EXPECT_EQ(ds.recordCount(), 3);
}

TEST(ClientDataSet, DetailFollowsMasterAndPacketsArriveOnDemand)
{
    Banco b;
    ClientDataSet cidade("cdsCidade"), bairro("cdsBairro");
    cidade.setCommandText("SELECT CODIGO FROM CIDADE ORDER BY CODIGO");
    bairro.setCommandText("SELECT * FROM BAIRRO");
    bairro.setMestre(&cidade, {"CODIGO"}, {"CODIGO"});
    bairro.open(b.db);
    EXPECT_EQ(bairro.recordCount(), 0); // master closed
    cidade.open(b.db);
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO");
    cidade.next();
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO,VILA,PORTO");
    bairro.append(); // a new detail row belongs to the master's row
    EXPECT_EQ(bairro.valor("CODIGO").toString(), "002");
    bairro.cancel();
    cidade.close();
    EXPECT_TRUE(bairro.isEmpty());

    ClientDataSet ds("cdsBairro");
    ds.setCommandText("SELECT * FROM BAIRRO");
    ds.setPacketRecords(2);
    QString avisos;
    ds.setAoBuscarPacote([&](bool antes) { avisos += antes ? "<" : ">"; });
    DataSetModel modelo(ds);
    QSignalSpy reinicios(&modelo, &QAbstractItemModel::modelReset);
    QSignalSpy inseridas(&modelo, &QAbstractItemModel::rowsInserted);
    ds.open(b.db);
    EXPECT_EQ(avisos, "<>");
    EXPECT_EQ(ds.recordCount(), 2);
    EXPECT_FALSE(ds.tudoLido());
    ds.next();
    ds.next(); // past the packet: the next one comes
    EXPECT_EQ(ds.recNo(), 2);
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_TRUE(modelo.canFetchMore({}));
    reinicios.clear();
    modelo.fetchMore({});
    EXPECT_EQ(modelo.rowCount(), 5);
    EXPECT_EQ(reinicios.count(), 0); // the grid keeps its place
    EXPECT_EQ(inseridas.count(), 2);
    EXPECT_FALSE(ds.buscaMais());
    EXPECT_TRUE(ds.tudoLido());
    EXPECT_FALSE(modelo.canFetchMore({}));
    EXPECT_EQ(avisos, "<><><>");

    // the notice repaints the screen: a window closed meanwhile closes the set mid-fetch
    ds.setAoBuscarPacote([&](bool antes) {
        if (antes && ds.recordCount() >= 2)
            ds.close();
    });
    ds.open(b.db);
    ds.last();
    EXPECT_FALSE(ds.active());
    EXPECT_TRUE(ds.isEmpty());
}

TEST(ClientDataSet, LocalChangesAreWrittenBoundAndFailuresStayPending)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT CODIGO, NOME, VALOR FROM CIDADE");
    ds.setIndexFieldNames("CODIGO");
    ds.setTabelaAtualizacao("CIDADE", {"CODIGO"});
    int gravacoes = 0;
    ds.setAposGravar([&] { ++gravacoes; });
    ds.open(b.db);
    ds.append();
    ds.setValor("CODIGO", "000");
    ds.setValor("NOME", "D'ÁGUA");
    ds.post();
    EXPECT_EQ(ds.recNo(), 0); // appended rows are kept sorted too
    ASSERT_TRUE(ds.locate({"CODIGO"}, {"002"}));
    ds.edit();
    ds.setValor("CODIGO", "004"); // the key itself changes: found by its old value
    ds.setValor("VALOR", 3.5);
    ds.post();
    EXPECT_EQ(coluna(ds, "CODIGO"), "000,001,003,004");
    ASSERT_TRUE(ds.locate({"CODIGO"}, {"003"}));
    ds.deleteRecord();
    ds.append();
    ds.setValor("CODIGO", "009");
    ds.post();
    ds.deleteRecord(); // never reached the table: nothing to send
    EXPECT_EQ(gravacoes, 5);
    ds.applyUpdates(b.db);
    EXPECT_FALSE(ds.temAlteracoes());
    EXPECT_EQ(b.le("SELECT CODIGO, NOME, VALOR FROM CIDADE ORDER BY CODIGO"),
              "000|D'ÁGUA|-;001|ARAXÁ|-;004|SÃO JOÃO|3.5");

    // no key: rows are found by every old value, NULL included
    ClientDataSet bairro("cdsBairro");
    bairro.setCommandText("SELECT * FROM BAIRRO");
    bairro.setTabelaAtualizacao("BAIRRO");
    bairro.open(b.db);
    bairro.append();
    bairro.setValor("CODIGO", "005");
    bairro.post();
    bairro.applyUpdates(b.db);
    bairro.edit();
    bairro.setValor("NOME", "O'HARA");
    bairro.post();
    ASSERT_TRUE(bairro.locate({"CODIGO", "NOME"}, {"002", "CENTRO"}));
    bairro.deleteRecord();
    bairro.applyUpdates(b.db);
    EXPECT_EQ(b.le("SELECT CODIGO, NOME FROM BAIRRO ORDER BY CODIGO, NOME"),
              "001|CENTRO;002|PORTO;002|VILA;003|ALTO;005|O'HARA");

    // a refused change raises with the set, the table and the server's text; nothing of the call is
    // written, not even the change before it, and everything stays pending
    ds.append();
    ds.setValor("CODIGO", "007");
    ds.post();
    ds.append();
    ds.setValor("CODIGO", "001");
    ds.post();
    try {
        ds.applyUpdates(b.db);
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().startsWith("Erro ao gravar as alterações de cdsCidade em CIDADE.\r\n"));
        EXPECT_TRUE(e.message().contains("PRIMARY or UNIQUE KEY")) << e.message().toStdString();
    }
    EXPECT_TRUE(ds.temAlteracoes());
    EXPECT_EQ(b.le("SELECT COUNT(*) FROM CIDADE"), "3");
    EXPECT_EQ(b.le("SELECT COUNT(*) FROM CIDADE WHERE CODIGO = '007'"), "0");
    ds.descartaAlteracoes();
    EXPECT_FALSE(ds.temAlteracoes());
    EXPECT_EQ(ds.recordCount(), 5); // the rows keep their new values
}

TEST(DataSetModel, ShowsVisibleFieldsWithLabelsPicturesAndPtBrTexts)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT CODIGO, NOME, VALOR, FUNDACAO, POP FROM CIDADE ORDER BY CODIGO");
    ds.setRotulo("NOME", "Município");
    ds.setMascara("POP", "###,###,##0");
    ds.setVisivel("CODIGO", false);
    DataSetModel m(ds);
    EXPECT_EQ(m.rowCount(), 0);
    ds.open(b.db);
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.columnCount(), 4);
    EXPECT_EQ(m.data(m.index(1, 3)).toString(), "150.000");
    EXPECT_EQ(ds.exibicao(2, ds.indiceCampo("POP")), ""); // NULL shows nothing
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Município");
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), "FUNDACAO");
    EXPECT_EQ(m.data(m.index(0, 2)).toString(), "19/12/1865");
    EXPECT_EQ(m.data(m.index(1, 1)).toString(), "2,5");
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), "");
    ds.setRecNo(2);
    EXPECT_EQ(m.linhaDe(m.indiceAtual()), 2);
    ds.close();
    EXPECT_EQ(m.rowCount(), 0);
}

TEST(ClientDataSet, AChangeMeetingNoRowOrSeveralIsAnErrorAndNothingIsWritten)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT CODIGO, NOME FROM CIDADE ORDER BY CODIGO");
    ds.setTabelaAtualizacao("CIDADE", {"CODIGO"});
    ds.open(b.db);
    ds.edit();
    ds.setValor("NOME", "NOVA");
    ds.post();
    ASSERT_TRUE(ds.locate({"CODIGO"}, {"003"}));
    ds.deleteRecord();
    b.le("DELETE FROM CIDADE WHERE CODIGO = '003'"); // gone behind the set's back
    try {
        ds.applyUpdates(b.db);
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().contains("não existe mais")) << e.message().toStdString();
    }
    EXPECT_EQ(b.le("SELECT NOME FROM CIDADE WHERE CODIGO = '001'"), "ARAXÁ"); // the update went back
    EXPECT_TRUE(ds.temAlteracoes());

    // without a key, two equal rows cannot be told apart: changing one would change both
    ClientDataSet bairro("cdsBairro");
    bairro.setCommandText("SELECT * FROM BAIRRO");
    bairro.setTabelaAtualizacao("BAIRRO");
    bairro.open(b.db);
    b.le("INSERT INTO BAIRRO VALUES ('003', 'ALTO')");
    ASSERT_TRUE(bairro.locate({"CODIGO", "NOME"}, {"003", "ALTO"}));
    bairro.setValor("NOME", "BAIXO");
    bairro.post();
    try {
        bairro.applyUpdates(b.db);
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().contains("não é único")) << e.message().toStdString();
    }
    EXPECT_EQ(b.le("SELECT COUNT(*) FROM BAIRRO WHERE NOME = 'ALTO'"), "2");
}

TEST(ClientDataSet, DetailByParametersReadsOnlyTheCurrentRowsDetails)
{
    Banco b;
    ClientDataSet cidade("cdsCidade"), bairro("cdsBairro");
    cidade.setCommandText("SELECT CODIGO, NOME FROM CIDADE ORDER BY CODIGO");
    bairro.setCommandText("SELECT * FROM BAIRRO WHERE CODIGO = :codigo ORDER BY NOME");
    bairro.setMestreParametros(&cidade);
    bairro.open(b.db);
    EXPECT_TRUE(bairro.active());
    EXPECT_EQ(bairro.nomesCampos(), QStringList({"CODIGO", "NOME"})); // columns known without a master row
    EXPECT_EQ(bairro.recordCount(), 0);
    cidade.open(b.db);
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO");
    cidade.next();
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO,PORTO,VILA");
    // the master opened again reads the details afresh: a row added meanwhile shows
    b.le("INSERT INTO BAIRRO VALUES ('001', 'NOVO')");
    cidade.open(b.db);
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO,NOVO");
    EXPECT_TRUE(bairro.seguraServidor()); // the statement stays prepared between moves
    bairro.liberaCursor();
    EXPECT_FALSE(bairro.seguraServidor());
    cidade.last(); // prepared again when needed
    EXPECT_EQ(coluna(bairro, "NOME"), "ALTO");
    cidade.close();
    EXPECT_TRUE(bairro.isEmpty());

    bairro.setMestreParametros(nullptr); // detached: no rows, nothing held
    cidade.open(b.db);
    EXPECT_TRUE(bairro.isEmpty());
    EXPECT_FALSE(bairro.seguraServidor());
    bairro.setMestreParametros(&cidade);
    EXPECT_EQ(coluna(bairro, "NOME"), "CENTRO,NOVO");

    ClientDataSet ruim("cdsRuim"); // a placeholder the master does not have
    ruim.setCommandText("SELECT * FROM BAIRRO WHERE CODIGO = :NADA");
    ruim.setMestreParametros(&cidade);
    EXPECT_THROW(ruim.open(b.db), OrbelError);
}

TEST(ClientDataSet, CalculatedFieldsAreComputedOncePerRowUntilItChanges)
{
    Banco b;
    ClientDataSet ds("cdsCidade");
    ds.setCommandText("SELECT CODIGO, NOME FROM CIDADE ORDER BY CODIGO");
    QString ordem;
    int prefixo = 0;
    ds.addCampoCalculado("SIGLA", QMetaType::QString, 3, [&](const ClientDataSet &d, int l) {
        ordem += "S";
        return QString("%1-%2").arg(prefixo).arg(d.valor(l, "NOME").toString());
    });
    ds.addCampoCalculado("TAMANHO", QMetaType::Int, 0, [&](const ClientDataSet &d, int l) {
        ordem += "T";
        return d.valor(l, "SIGLA").toString().size(); // reads the field before it
    });
    ds.setTabelaAtualizacao("CIDADE", {"CODIGO"});
    DataSetModel modelo(ds);
    QSignalSpy mudaram(&modelo, &QAbstractItemModel::dataChanged);
    ds.open(b.db);
    EXPECT_EQ(ds.valor("TAMANHO").toInt(), 3); // the text is cut to its size: "0-A"
    EXPECT_EQ(ds.texto("SIGLA"), "0-A");
    ds.valor("TAMANHO");
    modelo.data(modelo.index(0, 2));
    EXPECT_EQ(ordem, "ST"); // the row once, in the order of definition
    ds.next();
    ds.prior();
    ds.valor("SIGLA");
    EXPECT_EQ(ordem, "ST"); // kept while the row was left and made current again
    modelo.data(modelo.index(1, 2));
    EXPECT_EQ(ordem, "STST"); // the second row, when shown

    prefixo = 1;
    ds.valor("SIGLA");
    EXPECT_EQ(ordem, "STST"); // kept
    ds.invalidaCalculados();  // what the rules read changed
    EXPECT_EQ(mudaram.count(), 1);
    EXPECT_EQ(ds.texto("SIGLA"), "1-A");
    ds.edit();
    ds.setValor("NOME", "BETIM");
    EXPECT_EQ(ds.texto("SIGLA"), "1-B"); // a row in edition is computed afresh
    ds.post();
    const QString antes = ordem;
    EXPECT_EQ(ds.texto("SIGLA"), "1-B"); // its change made it new again
    EXPECT_EQ(ordem, antes + "ST");

    ds.setRegrasSuspensas(true);
    EXPECT_TRUE(ds.valor("SIGLA").isNull());
    EXPECT_EQ(ordem, antes + "ST");
    ds.setRegrasSuspensas(false);
    EXPECT_EQ(ds.texto("SIGLA"), "1-B");
}

TEST(ClientDataSet, HashedLocateFindsWhatAScanWouldAcrossChanges)
{
    Banco b;
    ClientDataSet ds("cdsBairro");
    ds.setCommandText("SELECT * FROM BAIRRO");
    ds.open(b.db);
    for (int i = 0; i < 20; ++i) { // enough rows for the hash
        ds.append();
        ds.setValor("CODIGO", QString("1%1").arg(i, 2, 10, QChar('0')));
        ds.setValor("NOME", i % 2 ? QVariant("PAR") : QVariant());
        ds.post();
    }
    EXPECT_EQ(ds.procura({"CODIGO", "NOME"}, {"002", "CENTRO"}), 1); // the first of equal keys
    EXPECT_EQ(ds.procura({"NOME"}, {QVariant()}), 5);                // NULL matches NULL only
    EXPECT_EQ(ds.procura({"CODIGO"}, {"centro"}), -1);
    EXPECT_EQ(ds.procura({"CODIGO"}, {119}), 24); // a number against text compares as text
    ds.setIndexFieldNames("CODIGO;NOME");
    EXPECT_EQ(ds.procura({"CODIGO", "NOME"}, {"002", "CENTRO"}), 1);
    EXPECT_EQ(ds.procura({"CODIGO"}, {"119"}), 24);
    ASSERT_TRUE(ds.locate({"CODIGO"}, {"002"}));
    ds.deleteRecord();
    EXPECT_EQ(ds.procura({"CODIGO", "NOME"}, {"002", "PORTO"}), 1);
    ds.edit();
    ds.setValor("CODIGO", "000");
    ds.post();
    EXPECT_EQ(ds.procura({"CODIGO"}, {"000"}), 0);
    ds.setFiltro([](const ClientDataSet &d, int l) { return d.valor(l, "CODIGO").toString() != "000"; });
    EXPECT_EQ(ds.procura({"CODIGO"}, {"000"}), -1);
    EXPECT_EQ(ds.procura({"CODIGO"}, {"003"}), 2);
}

TEST(ClientDataSet, ReleasingAnUnfinishedPacketCursorFreesTheTable)
{
    Banco b;
    QSqlQuery(b.db).exec("CREATE INDEX IDX_BAIRRO ON BAIRRO (NOME)");
    ClientDataSet ds("cdsBairro");
    ds.setCommandText("SELECT * FROM BAIRRO ORDER BY NOME");
    ds.setPacketRecords(2);
    ds.open(b.db);
    EXPECT_TRUE(ds.seguraServidor());
    ds.liberaCursor();
    EXPECT_FALSE(ds.seguraServidor());
    EXPECT_TRUE(ds.tudoLido());
    EXPECT_EQ(ds.recordCount(), 2); // what was read stays
    QSqlQuery alter(b.db);
    EXPECT_TRUE(alter.exec("ALTER INDEX IDX_BAIRRO INACTIVE")) << alter.lastError().text().toStdString();
}
