#include "support/executaorbel.h"
#include "support/relatoriosteste.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

// The hand-made home, its data module closed so that the command can open the database.
struct Linha : RelatoriosTeste {
    Linha() { dm.reset(); }
    SaidaOrbel roda(const QStringList &args) const
    {
        const SaidaOrbel r = ExecutaOrbel(QStringList{"--home", home.path()} + args);
        EXPECT_TRUE(r.normal);
        return r;
    }
};

} // namespace

TEST(ReportCommand, UsageErrorsAreRefusedBeforeAnythingRuns)
{
    Linha l;
    for (const QStringList &args :
         {QStringList{"report", "--item", "0"},
          QStringList{"report", "--item", "0", "--all-grouped", "--csv"},
          QStringList{"report", "--item", "0", "--all-separate", "--pdf", "x.pdf"},
          QStringList{"report", "--item", "0", "--all-separate", "--printer"},
          QStringList{"report", "--item", "0", "--municipality", "001"},
          QStringList{"report", "--item", "0", "--municipality", "001", "--index", "X", "--csv"},
          QStringList{"report", "--item", "17", "--municipality", "001", "--csv"},
          QStringList{"report", "--item", "0", "--municipality", "001", "--all-separate", "--csv"}})
        EXPECT_EQ(l.roda(args).status, 2) << args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(l.pastaDoDia()));
}

TEST(ReportCommand, WritesTheWindowsFilesAndRefusesWhatTheWindowRefuses)
{
    Linha l;
    SaidaOrbel c = l.roda({"report", "--item", "0", "--municipality", "001", "--csv"});
    EXPECT_EQ(c.status, 0) << c.erros.toStdString();
    EXPECT_TRUE(c.saida.contains("Relatório exportado com sucesso!")) << c.saida.toStdString();
    EXPECT_TRUE(
        l.csv("001_Dec_Aceitas_Por_Responsavel.csv").contains("0010000007;10/03/2024;10/03/2024;500;"));

    // the definitive index lets the declaration of the definitive limit day in
    c = l.roda({"report", "--item", "0", "--municipality", "001", "--index", "D", "--csv"});
    EXPECT_TRUE(l.csv("001_Dec_Aceitas_Por_Responsavel.csv").contains("EPSILON"));

    c = l.roda({"report", "--item", "5", "--municipality", "003", "--csv"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.erros.contains("Não existem dados para serem exportados.")) << c.erros.toStdString();

    c = l.roda({"report", "--item", "9", "--municipality", "001", "--csv"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.erros.contains("ainda não está disponível"));

    c = l.roda({"report", "--item", "7", "--municipality", "999", "--csv"});
    EXPECT_EQ(c.status, 1);

    c = l.roda({"report", "--item", "3", "--all-separate"});
    EXPECT_EQ(c.status, 0) << c.erros.toStdString();
    EXPECT_TRUE(c.saida.contains("Relatórios exportados com sucesso!"));
    EXPECT_TRUE(c.saida.contains("Abrir pasta com os Relatórios? -> Não"));
    EXPECT_EQ(l.csv("050_Omissos_Por_Responsavel.csv").count("\r\n"), 1);

    const QString pdf = l.home.arquivo("aceitas.pdf");
    c = l.roda({"report", "--item", "0", "--municipality", "001", "--pdf", pdf});
    EXPECT_EQ(c.status, 0) << c.erros.toStdString();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}

TEST(ParametersCommand, PrintsAndStoresUnderTheWindowsRules)
{
    Linha l;
    SaidaOrbel c = l.roda({"parameters"});
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.saida, QString("Ano base : 2023\nData limite - Índice provisório : 15/03/2024\n"
                               "Data limite - Índice definitivo : 30/06/2024\n"));

    EXPECT_EQ(l.roda({"parameters", "--limit-provisional", "31/02/2024"}).status, 2);
    EXPECT_EQ(l.roda({"parameters", "--base-year", "20x3"}).status, 2);
    c = l.roda({"parameters", "--base-year", "1999"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.erros.contains("2005")) << c.erros.toStdString();

    c = l.roda({"parameters", "--base-year", "2020", "--limit-definitive", "01/07/2024"});
    EXPECT_EQ(c.status, 0) << c.erros.toStdString();
    EXPECT_TRUE(c.saida.contains("Alteração de parâmetro")) << c.saida.toStdString();
    EXPECT_TRUE(c.saida.contains("Ano base : 2020\nData limite - Índice provisório : 15/03/2024\n"
                                 "Data limite - Índice definitivo : 01/07/2024\n"));
}
