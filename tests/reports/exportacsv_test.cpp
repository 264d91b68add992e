#include "data/tdmprincipal.h"
#include "reports/cursorcamposdeclarados.h"
#include "reports/engine/cursorrelatorio.h"
#include "reports/exportacsv.h"
#include "shell/orbelerror.h"
#include "support/relatoriosteste.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace
{
const QDate kDia(2024, 3, 5);

struct Exportacao : RelatoriosTeste {
    Exportacao() : RelatoriosTeste(false) {}
    QString pasta() const { return home.path() + "/Relatórios/20240305/"; }
    QByteArray le(const QString &nome) const
    {
        QFile f(pasta() + nome);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
} // namespace

TEST(CsvExport, HeaderRowsCodePageLineEndsAndReplacement)
{
    Exportacao e;
    QSqlQuery &q = e.dm->SQLRel();
    ASSERT_TRUE(q.exec("SELECT MUNIC_CODIGO, MUNIC_NOME, CAST(NULL AS DATE) AS VAZIA, 1234.5e0 AS VALOR FROM "
                       "MUNICIPIOS WHERE MUNIC_CODIGO IN ('001', '002') ORDER BY MUNIC_CODIGO"));
    CursorConsulta fonte(q);
    fonte.reinicia();
    const QString caminho = ExportaCSV(e.ui, fonte, "teste.csv", true, kDia);
    EXPECT_EQ(caminho, e.pasta() + "teste.csv");
    EXPECT_EQ(e.le("teste.csv"), QByteArray("MUNIC_CODIGO;MUNIC_NOME;VAZIA;VALOR;\r\n"
                                            "001;ALVORADA DO NORTE;;1234,5;\r\n"
                                            "002;BARRA DE S\xC3O FRANCISCO;;1234,5;\r\n"));
    ASSERT_EQ(e.ui.mensagens().size(), 1);
    EXPECT_EQ(e.ui.mensagens()[0].texto,
              "Relatório exportado com sucesso!\r\nFoi criado o arquivo " + e.pasta() + "teste.csv.");

    // the same name again the same day replaces the file; no message without notify
    q.finish();
    ASSERT_TRUE(q.exec("SELECT MUNIC_CODIGO FROM MUNICIPIOS WHERE MUNIC_CODIGO = '003'"));
    CursorConsulta outra(q);
    outra.reinicia();
    ExportaCSV(e.ui, outra, "teste.csv", false, kDia);
    EXPECT_EQ(e.le("teste.csv"), QByteArray("MUNIC_CODIGO;\r\n003;\r\n"));
    EXPECT_EQ(e.ui.mensagens().size(), 1);
}

TEST(CsvExport, NoRowsRefusedWithNoticeHeaderAloneWithout)
{
    Exportacao e;
    QSqlQuery &q = e.dm->SQLRel();
    ASSERT_TRUE(q.exec("SELECT MUNIC_CODIGO FROM MUNICIPIOS WHERE 1=2"));
    CursorConsulta fonte(q);
    fonte.reinicia();
    EXPECT_TRUE(ExportaCSV(e.ui, fonte, "vazio.csv", true, kDia).isEmpty());
    ASSERT_EQ(e.ui.mensagens().size(), 1);
    EXPECT_EQ(e.ui.mensagens()[0].titulo, QString("Falha na Exportação"));
    EXPECT_EQ(e.ui.mensagens()[0].texto, QString("Não existem dados para serem exportados."));
    EXPECT_EQ(e.ui.mensagens()[0].icone, UserInterface::Icone::Erro);
    EXPECT_FALSE(QDir(e.pasta()).exists()); // no file, no folder

    ExportaCSV(e.ui, fonte, "vazio.csv", false, kDia);
    EXPECT_EQ(e.le("vazio.csv"), QByteArray("MUNIC_CODIGO;\r\n"));
}

TEST(CsvExport, SetUnderEditIsRefusedAndUnwritableFileNamesItself)
{
    Exportacao e;
    ClientDataSet cds("cdsTeste");
    cds.setCommandText("SELECT MUNIC_CODIGO FROM MUNICIPIOS WHERE MUNIC_CODIGO = '001'");
    cds.open(e.dm->MainConnection());
    CursorCamposDeclarados fonte(cds, {{"MUNIC_CODIGO", CampoDeclarado::Texto, 3}});
    fonte.reinicia();
    cds.edit();
    EXPECT_TRUE(ExportaCSV(e.ui, fonte, "edicao.csv", true, kDia, cds.emEdicao()).isEmpty());
    EXPECT_EQ(e.ui.mensagens().value(0).texto,
              QString("Para exportar a tabela é necessário terminar a manutenção dos dados antes."));
    cds.cancel();

    // a folder stands where the file should go
    QDir().mkpath(e.pasta() + "ocupado.csv");
    try {
        ExportaCSV(e.ui, fonte, "ocupado.csv", true, kDia);
        FAIL() << "no error";
    } catch (const OrbelError &erro) {
        EXPECT_TRUE(erro.message().contains(QDir::toNativeSeparators(e.pasta() + "ocupado.csv")))
            << erro.what();
    }
    EXPECT_EQ(e.ui.mensagens().size(), 1); // no success message
}
