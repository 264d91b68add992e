#include "data/tdmprincipal.h"
#include "data/widgets/frmparametros.h"
#include "shell/inifile.h"
#include "shell/scriptedui.h"
#include "support/temphome.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace
{
struct Ambiente {
    TempHome home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm{ui};
    Ambiente()
    {
        dm.Inicia();
        ui.limpa();
    }
};
const QDate kJaneiro2024(2024, 1, 15);
} // namespace

TEST(ParametersWindow, ShowsStoredValuesAndTheYearsUpToLastYear)
{
    Ambiente a;
    GravaIni(a.home.ini(), "ORBEL", "Restore", "/backups/BKPORBEL2023.zip");
    a.dm.GravaParametro("DATALIMITE_PROVISORIO", "15/08/2024");
    TfrmParametros w(a.dm, nullptr, kJaneiro2024);
    EXPECT_EQ(w.windowTitle(), QString("Parâmetros"));
    EXPECT_EQ(w.cmbAnoExercicio->count(), 2023 - 2005 + 1);
    EXPECT_EQ(w.cmbAnoExercicio->itemText(0), QString("2005"));
    EXPECT_EQ(w.cmbAnoExercicio->currentText(), QString("2023"));
    EXPECT_EQ(w.lblUltimoBackup->text(), QString("..."));
    EXPECT_EQ(w.lblUltimoRestore->text(), QString("/backups/BKPORBEL2023.zip"));
    EXPECT_EQ(w.dtpLimiteProvisorio->date(), QDate(2024, 8, 15));
    EXPECT_EQ(w.dtpLimiteDefinitivo->date(), QDate(2001, 1, 1));
    EXPECT_EQ(w.Label7->text(), a.home.banco());
    EXPECT_EQ(w.Label7->toolTip(), a.home.banco());
}

TEST(ParametersWindow, OkWithoutChangesStoresTheDefaultDatesAndAsksNothing)
{
    Ambiente a;
    TfrmParametros w(a.dm, nullptr, kJaneiro2024);
    QSignalSpy aviso(&a.dm, &TdmPrincipal::anoBaseAlterado);
    w.sbtnOKClick();
    EXPECT_TRUE(a.ui.mensagens().isEmpty());
    EXPECT_EQ(aviso.count(), 0);
    EXPECT_EQ(a.dm.LeParametro("DATALIMITE_PROVISORIO"), QString("01/01/2001"));
    EXPECT_EQ(a.dm.LeParametro("DATALIMITE_DEFINITIVO"), QString("01/01/2001"));
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(ParametersWindow, ChangingTheYearAsksAndAnnouncesWhateverTheAnswer)
{
    Ambiente a;
    TfrmParametros w(a.dm, nullptr, kJaneiro2024);
    QSignalSpy aviso(&a.dm, &TdmPrincipal::anoBaseAlterado);
    w.cmbAnoExercicio->setCurrentText("2020");
    a.ui.enfileira(UserInterface::Nao);
    w.sbtnOKClick();
    ASSERT_EQ(a.ui.mensagens().size(), 1);
    EXPECT_EQ(a.ui.mensagens()[0].titulo, QString("Alteração de parâmetro"));
    EXPECT_EQ(a.ui.mensagens()[0].texto,
              QString("O ano de base foi alterado. Certifique-se que os dados de declarações e/ou\r\n"
                      "ativos correspondem ao ano selecionado.\r\nConfirma alteração?"));
    EXPECT_EQ(a.dm.LeParametro("ANOEXERCICIO"), QString("2023"));
    EXPECT_EQ(aviso.count(), 1);

    TfrmParametros w2(a.dm, nullptr, kJaneiro2024);
    w2.cmbAnoExercicio->setCurrentText("2020");
    a.ui.enfileira(UserInterface::Sim);
    w2.sbtnOKClick();
    EXPECT_EQ(a.dm.LeParametro("ANOEXERCICIO"), QString("2020"));
    EXPECT_EQ(aviso.count(), 2);
}

TEST(ParametersWindow, AYearOutsideTheListCanBeEmptiedButThenTheWindowWillNotClose)
{
    Ambiente a;
    a.dm.GravaParametro("ANOEXERCICIO", "2030");
    TfrmParametros w(a.dm, nullptr, kJaneiro2024);
    EXPECT_EQ(w.cmbAnoExercicio->currentIndex(), -1);
    w.show();
    a.ui.enfileira(UserInterface::Sim);
    w.sbtnOKClick();
    EXPECT_EQ(a.dm.LeParametro("ANOEXERCICIO"), QString());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(a.ui.mensagens().last().titulo, QString("Parâmetros"));
    EXPECT_EQ(a.ui.mensagens().last().texto, QString("O ano de base deve ser informado"));
    w.reject();
    EXPECT_TRUE(w.isVisible());
    a.dm.GravaParametro("ANOEXERCICIO", "2022");
    w.reject();
    EXPECT_FALSE(w.isVisible());
}
