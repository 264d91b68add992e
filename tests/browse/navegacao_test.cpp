#include "browse/arvorecnae.h"
#include "browse/widgets/formcnaef.h"
#include "browse/widgets/frmativos.h"
#include "browse/widgets/frmdeclaracoes.h"
#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace
{
const QString kMinimo = QString::fromUtf8("O critério de pesquisa deve conter um mínimo de 4 caracteres!");

struct Janelas : ModuloTeste {
    BancoDeTeste b{home.banco()};
};

QStringList coluna(const ClientDataSet &ds, const char *campo)
{
    QStringList v;
    for (int i = 0; i < ds.recordCount(); ++i)
        v << ds.valor(i, campo).toString();
    return v;
}

// The caption counts after the first rows are painted.
bool legenda(QWidget &w, const QString &esperada)
{
    return QTest::qWaitFor([&] { return w.windowTitle() == esperada; }, 5000);
}
} // namespace

TEST(ActiveTaxpayersBrowser, SearchesKeepTheirStatementAcrossOpeningsAndTheCaptionCountsAll)
{
    Janelas t;
    // municipality 001 is ALVORADA DO NORTE; 002 BARRA DE SÃO FRANCISCO
    t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, NOMECOMER, CNPJ) VALUES ('30', '001', 'ZETA', '111')");
    t.b.executa(
        "INSERT INTO ATIVOS (IE, MUNIC_CODIGO, NOMECOMER, CNPJ) VALUES ('10', '001', 'D''AVILA', '222')");
    t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, NOMECOMER, CNPJ) VALUES ('20', '002', 'ALFA', '333')");
    t.inicia();
    ClientDataSet &a = t.dm->cdsAtivos;
    {
        TfrmAtivos w(*t.dm, t.ui);
        w.show();
        EXPECT_TRUE(legenda(w, "Ativos (3 REGISTROS)"));
        EXPECT_EQ(coluna(a, "IE"), QStringList({"10", "30", "20"})); // by municipality name and IE
        EXPECT_EQ(w.cmbCampoPesquisa->currentText(), QString::fromUtf8("Inscrição Estadual"));

        w.cmbCampoPesquisa->setCurrentIndex(NavegaAtivos::NomeMunicipio);
        w.edtPesquisa->setText("  ALV  "); // three significant letters
        w.sbtnFiltro->click();
        ASSERT_EQ(t.ui.mensagens().size(), 1);
        EXPECT_EQ(t.ui.mensagens()[0].texto, kMinimo);
        EXPECT_EQ(t.ui.mensagens()[0].titulo, QString::fromUtf8("Critério de pesquisa"));
        EXPECT_FALSE(w.sbtnFiltro->isChecked());
        EXPECT_EQ(a.recordCount(), 3);

        w.edtPesquisa->setText("ALVO"); // with the button: the text stays
        w.sbtnFiltro->click();
        EXPECT_TRUE(w.sbtnFiltro->isChecked());
        EXPECT_EQ(coluna(a, "IE"), QStringList({"10", "30"})); // by code, IE and trade name
        EXPECT_EQ(w.edtPesquisa->text(), "ALVO");

        w.cmbCampoPesquisa->setCurrentIndex(NavegaAtivos::Cnpj);
        w.edtPesquisa->setText("%1_1"); // LIKE's own wildcards keep their meaning
        w.sbtnFiltro->click();
        EXPECT_EQ(coluna(a, "IE"), QStringList({"30"}));

        w.cmbCampoPesquisa->setCurrentIndex(NavegaAtivos::NomeComercial);
        w.edtPesquisa->setText("D'AV"); // an apostrophe is searched for as it stands
        w.edtPesquisa->setFocus();
        QTest::keyClick(w.edtPesquisa, Qt::Key_Return); // with Enter: the text is cleared
        EXPECT_EQ(coluna(a, "IE"), QStringList({"10"}));
        EXPECT_TRUE(w.edtPesquisa->text().isEmpty());
        EXPECT_TRUE(w.sbtnFiltro->isChecked());
        EXPECT_EQ(t.ui.mensagens().size(), 1);
        w.close();
    }
    EXPECT_FALSE(a.active());
    {
        TfrmAtivos w(*t.dm, t.ui); // the last search again, text empty, button released
        w.show();
        EXPECT_EQ(coluna(a, "IE"), QStringList({"10"}));
        EXPECT_TRUE(w.edtPesquisa->text().isEmpty());
        EXPECT_FALSE(w.sbtnFiltro->isChecked());
        EXPECT_TRUE(legenda(w, "Ativos (3 REGISTROS)"));
        w.sbtnFiltro->click(); // empty: everything, released
        EXPECT_EQ(a.recordCount(), 3);
        EXPECT_FALSE(w.sbtnFiltro->isChecked());
        w.close();
    }
}

TEST(DeclarationsBrowser, BaseYearSearchesStatusAndColours)
{
    Janelas t;
    auto decl = [&](int id, int ano, const char *ie, const char *nome, const char *sit) {
        t.b.executa(
            "INSERT INTO DECLARACOES (DEC_ID, DEC_EXERCICIO, DEC_IE, DEC_NOME, MUNIC_CODIGO, DEC_SITUACAO) "
            "VALUES (?, ?, ?, ?, '001', ?)",
            {id, ano, ie, nome, sit});
    };
    decl(1, 2023, "100", "ABCD X", "E");
    decl(2, 2023, "101", "ABCDX", "R");
    decl(3, 2023, "102", "O'HARA LTDA", "E");
    decl(4, 2022, "103", "ABCD VELHA", "E");
    t.b.executa("INSERT INTO DEC_VAF (DEC_ID, MUNIC_CODIGO, SAIDAS_VAF) VALUES (1, '001', 1234567.4)");
    t.inicia();
    ClientDataSet &d = t.dm->cdsDeclaracoes;
    TfrmDeclaracoes w(*t.dm, t.ui);
    w.show();
    EXPECT_TRUE(legenda(w, QString::fromUtf8("Declarações (4 REGISTROS)"))); // every year
    EXPECT_EQ(coluna(d, "DEC_ID"), QStringList({"1", "2", "3"}));            // the base year
    EXPECT_TRUE(d.somenteLeitura());
    EXPECT_FALSE(w.sbtnRelatorios->isEnabled());
    EXPECT_EQ(w.cmbPesquisa->currentIndex(), -1);
    EXPECT_EQ(w.dbeStatusDeclaracao->text(), "Entregue");
    EXPECT_TRUE(w.dbeStatusDeclaracao->styleSheet().contains("black"));
    EXPECT_EQ(w.findChild<QLineEdit *>("dbeSAIDAS_VAF")->text(), "1.234.567");
    d.next();
    EXPECT_EQ(w.dbeStatusDeclaracao->text(), "Recusada");
    EXPECT_TRUE(w.dbeStatusDeclaracao->styleSheet().contains("red"));
    EXPECT_TRUE(w.findChild<QLineEdit *>("dbeSAIDAS_VAF")->text().isEmpty()); // the values follow the row

    w.cmbCampoPesquisa->setCurrentIndex(NavegaDeclaracoes::NomeComercial);
    w.edtPesquisa->setText(" ABC ");
    w.sbtnFiltro->click();
    EXPECT_EQ(t.ui.mensagens().size(), 1);
    EXPECT_EQ(d.recordCount(), 3);
    w.edtPesquisa->setText("ABCD "); // the blank stays in the pattern
    w.sbtnFiltro->click();
    EXPECT_EQ(coluna(d, "DEC_ID"), QStringList({"1"}));
    EXPECT_TRUE(w.sbtnFiltro->isChecked());
    w.edtPesquisa->setText("O'HA");
    w.edtPesquisa->setFocus();
    QTest::keyClick(w.edtPesquisa, Qt::Key_Return);
    EXPECT_EQ(coluna(d, "DEC_ID"), QStringList({"3"}));
    EXPECT_EQ(w.edtPesquisa->text(), "O'HA");
    w.edtPesquisa->setText("AB_D"); // LIKE's own wildcards keep their meaning
    w.sbtnFiltro->click();
    EXPECT_EQ(coluna(d, "DEC_ID"), QStringList({"1", "2"}));

    w.cmbPesquisa->setCurrentIndex(1);
    emit w.cmbPesquisa->activated(1); // "Aceitas" after a text search
    EXPECT_EQ(coluna(d, "DEC_ID"), QStringList({"1", "3"}));
    EXPECT_TRUE(w.edtPesquisa->text().isEmpty());
    EXPECT_TRUE(w.sbtnFiltro->isChecked()); // keeps its state
    w.sbtnFiltro->click();                  // empty text: the whole base year, released
    EXPECT_EQ(d.recordCount(), 3);
    EXPECT_FALSE(w.sbtnFiltro->isChecked());

    w.close();
    EXPECT_FALSE(d.somenteLeitura());
    EXPECT_FALSE(d.seguraServidor());
    t.dm->HabilitaIndices(false); // a capture opened next switches the indexes
    EXPECT_EQ(t.b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"), 8);
    t.dm->HabilitaIndices(true);
}

TEST(CnaeViewer, LevelsSplitsAndTheBaseYearOfEachOpening)
{
    Janelas t;
    t.b.executa("DELETE FROM CNAEF");
    const char *linhas[][5] = {
        {"0000001", "01", "SOLTA ANTES DO 00", "2000-01-01", "2099-12-31"},
        {"01", "00", "AGRICULTURA", "2000-01-01", "2099-12-31"},
        {"011", "00", "LAVOURAS", "2000-01-01", "2099-12-31"},
        {"0111", "00", "QUATRO", "2000-01-01", "2099-12-31"},
        {"01113", "00", "CEREAIS", "2000-01-01", "2099-12-31"},
        {"011130", "00", "SEIS", "2000-01-01", "2099-12-31"},
        {"0111301", "00", "ARROZ", "2000-01-01", "2099-12-31"},
        {"0111301", "01", "ARROZ IRRIGADO", "2000-01-01", "2099-12-31"},
        {"0111302", "00", "MILHO ATE 2023", "2000-01-01", "2023-12-31"},
    };
    for (const auto &l : linhas)
        t.b.executa(
            "INSERT INTO CNAEF (CNAEF_ID, DESMEMBRAMENTO, DESCRICAO, DATA_INICIO, DATA_FIM) "
            "VALUES (?, ?, ?, ?, ?)",
            {l[0], l[1], l[2], QDate::fromString(l[3], Qt::ISODate), QDate::fromString(l[4], Qt::ISODate)});
    t.b.executa("UPDATE PARAMETROS SET VALOR = '2022' WHERE CAMPO = 'ANOEXERCICIO'");
    t.inicia();
    auto textos = [](QTreeWidget *tv) {
        QStringList s;
        std::function<void(QTreeWidgetItem *, int)> anda = [&](QTreeWidgetItem *i, int nivel) {
            s << QString(nivel, '>') + i->text(0);
            for (int c = 0; c < i->childCount(); ++c)
                anda(i->child(c), nivel + 1);
        };
        for (int r = 0; r < tv->topLevelItemCount(); ++r)
            anda(tv->topLevelItem(r), 0);
        return s;
    };
    {
        TformCNAEF w(*t.dm);
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Visualização de CNAE"));
        EXPECT_EQ(textos(w.tvCNAEF),
                  QStringList({"0000-0/01  [ 01 ]   - SOLTA ANTES DO 00", "01 - AGRICULTURA",
                               ">011 - LAVOURAS", ">>0111-3 - CEREAIS", ">>>0111-3/01 - ARROZ",
                               ">>>>0111-3/01  [ 01 ]   - ARROZ IRRIGADO", ">>>0111-3/02 - MILHO ATE 2023"}));
    }
    t.dm->GravaParametro("ANOEXERCICIO", "2023"); // 01/01/2024: the code that ended in 2023 is gone
    TformCNAEF w(*t.dm);
    EXPECT_EQ(textos(w.tvCNAEF).size(), 6);
    EXPECT_FALSE(textos(w.tvCNAEF).join('|').contains("MILHO"));

    TfrmVerRegimeRecolhimento r(*t.dm);
    EXPECT_EQ(r.windowTitle(), "Regimes de Recolhimento");
    EXPECT_EQ(r.grdRegimes->model()->rowCount(), t.dm->cdsRegimes.recordCount());
    EXPECT_EQ(r.grdRegimes->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Código"));
}

TEST(BrowserIndexes, AnOlderDatabaseGetsTheListsSortOrderAtConnection)
{
    Janelas t;
    t.b.executa("DROP INDEX IDX_ATIVOS_MUNIC_CODIGO");
    t.b.executa("CREATE INDEX IDX_ATIVOS_MUNIC_CODIGO ON ATIVOS (MUNIC_CODIGO)");
    t.b.executa("DROP INDEX DECLARACOES_IE");
    t.inicia();
    EXPECT_EQ(t.b.conta("RDB$INDEX_SEGMENTS", "RDB$INDEX_NAME = 'IDX_ATIVOS_MUNIC_CODIGO'"), 3);
    EXPECT_EQ(t.b.conta("RDB$INDEX_SEGMENTS", "RDB$INDEX_NAME = 'DECLARACOES_IE'"), 2);
    EXPECT_EQ(t.b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"), 0);
}

TEST(ActiveTaxpayersBrowser, FirstOpeningOrdersByMunicipalityNameAcrossEqualAndMissingNames)
{
    Janelas t;
    t.b.executa("INSERT INTO MUNICIPIOS (MUNIC_CODIGO, MUNIC_NOME) VALUES ('998', NULL)");
    t.b.executa("INSERT INTO MUNICIPIOS (MUNIC_CODIGO, MUNIC_NOME) VALUES ('999', 'ALVORADA DO NORTE')");
    const char *linhas[][2] = {{"30", "001"}, {"15", "999"}, {"10", "001"}, {"20", "002"},
                               {"40", "998"}, {"50", "997"}}; // 997: no municipality, not listed
    for (const auto &l : linhas)
        t.b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES (?, ?)", {l[0], l[1]});
    t.inicia();
    TfrmAtivos w(*t.dm, t.ui);
    w.show();
    // a missing name first; two municipalities of one name are one group, by IE
    EXPECT_EQ(coluna(t.dm->cdsAtivos, "IE"), QStringList({"40", "10", "15", "30", "20"}));
    EXPECT_EQ(t.dm->cdsAtivos.texto("RegimeRecolhimento"), QString());
    EXPECT_TRUE(legenda(w, "Ativos (6 REGISTROS)"));
}
