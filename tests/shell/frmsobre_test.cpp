#include "shell/configapp.h"
#include "shell/widgets/frmsobre.h"
#include "support/temphome.h"

#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AboutWindow, ShowsTheVersionOfNowAndScrollsTheCreditsWhileShown)
{
    auto home = TempHome::vazio();
    TConfigApp config;
    config.Release = "b";
    TfrmSobre w(config);
    EXPECT_FALSE(w.isVisible()); // made at start, shown only on request
    EXPECT_EQ(w.findChild<QLabel *>("lbSigla")->text(), QString("ORBEL"));
    EXPECT_EQ(w.findChild<QLabel *>("lbNomeSistema")->text(), QString("Orbelia"));
    EXPECT_FALSE(w.findChild<QLabel *>("ProgramIcon")->pixmap().isNull());
    ASSERT_TRUE(w.findChild<QWidget *>("sCreditos"));

    w.mostra();
    EXPECT_EQ(w.lblVersao->text(), QString("Versão: 4.00.13b"));
    const QPoint centroTela = w.screen()->geometry().center();
    EXPECT_LE((w.geometry().center() - centroTela).manhattanLength(), 4);
    EXPECT_EQ(w.tCreditos->interval(), 30);
    const int antes = w.deslocamento();
    QTest::qWait(200);
    EXPECT_LT(w.deslocamento(), antes);

    // hidden, it stands still; shown again, it reads the version again
    w.hide();
    EXPECT_FALSE(w.tCreditos->isActive());
    const int parado = w.deslocamento();
    QTest::qWait(100);
    EXPECT_EQ(w.deslocamento(), parado);
    config.Release = "c";
    w.mostra();
    EXPECT_EQ(w.lblVersao->text(), QString("Versão: 4.00.13c"));
    EXPECT_TRUE(w.tCreditos->isActive());
}
