#include "shell/configapp.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "shell/widgets/frmprincipal.h"
#include "shell/widgets/frmsobre.h"
#include "shell/widgets/mostrajanela.h"
#include "support/temphome.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{
void grava(const QString &p, const QByteArray &b)
{
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(b);
}
int g_vivas = 0;
// Windows that count themselves and close, or fail, as soon as their loop runs.
struct DialogoQueFecha : QDialog {
    explicit DialogoQueFecha(QWidget *pai) : QDialog(pai)
    {
        ++g_vivas;
        QTimer::singleShot(0, this, [this] {
            EXPECT_EQ(QApplication::activeModalWidget(), this);
            accept();
        });
    }
    ~DialogoQueFecha() override { --g_vivas; }
};
struct JanelaQueFalha : QWidget {
    JanelaQueFalha(const QString &erro, QWidget *pai) : QWidget(pai)
    {
        ++g_vivas;
        QTimer::singleShot(0, this, [erro] { throw OrbelError(erro); });
    }
    ~JanelaQueFalha() override { --g_vivas; }
};
struct Janela {
    TempHome home = TempHome::vazio();
    ScriptedUi ui;
    TConfigApp config;
    QString ano = "2023";
    std::unique_ptr<TfrmPrincipal> w;
    void cria()
    {
        QDir().mkpath(DiretorioBin());
        w = std::make_unique<TfrmPrincipal>(config, ui, [this] { return ano; });
        w->resize(1200, 900);
        w->preparaExibicao();
    }
};
} // namespace

TEST(MainWindow, ShowsIdentityNoticesAndTheBaseYearOfNow)
{
    Janela j;
    QDir().mkpath(DiretorioBin());
    grava(DiretorioBin() + "Msgs.dat", "1Primeiro\r\n\r\n0Segundo\r\n");
    j.cria();
    // pictures missing: loading stops with an error box, the window stays usable
    ASSERT_EQ(j.ui.mensagens().size(), 1);
    EXPECT_EQ(j.ui.mensagens()[0].titulo, QString("Erro"));
    EXPECT_EQ(j.w->avisos().size(), 2);

    Janela k;
    k.cria();
    EXPECT_EQ(k.w->windowTitle(), QString("ORBEL - Orbelia - Versão 4.00.13"));
    EXPECT_EQ(k.w->findChild<QLabel *>("lbVersao")->text(), QString("Versão: 4.00.13"));
    EXPECT_EQ(k.w->findChild<QLabel *>("lblAnoExercicio")->text(), QString("Ano Base: 2023"));
    EXPECT_FALSE(k.w->findChild<QLabel *>("lbVersaoTeste")->isVisibleTo(k.w.get()));
    k.ano = "2021";
    k.w->AtualizaAnoBase();
    EXPECT_EQ(k.w->findChild<QLabel *>("lblAnoExercicio")->text(), QString("Ano Base: 2021"));
    k.w->atualizaRelogio();
    EXPECT_TRUE(k.w->findChild<QLabel *>("lbData")->text().startsWith("Data e hora do seu computador: "));
}

TEST(MainWindow, NoticesGetTheirPicturesAndStyles)
{
    Janela j;
    QDir().mkpath(DiretorioBin());
    for (const char *n : {"Item.bmp", "ItemDisable.bmp"}) {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::green);
        img.save(DiretorioBin() + n, "BMP");
    }
    grava(DiretorioBin() + "Msgs.dat", "1Primeiro\r\n\r\n0Segundo\r\n");
    j.cria();
    ASSERT_EQ(j.w->avisos().size(), 2);
    const auto &a = j.w->avisos();
    ASSERT_TRUE(a[0].rotulo && a[1].rotulo);
    EXPECT_TRUE(a[0].rotulo->font().bold());
    EXPECT_FALSE(a[0].rotulo->font().italic());
    EXPECT_EQ(a[0].rotulo->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_TRUE(a[1].rotulo->font().italic());
    EXPECT_FALSE(a[1].rotulo->font().bold());
    EXPECT_EQ(a[1].rotulo->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(a[1].rotulo->text(), QString("Segundo"));
    EXPECT_TRUE(a[0].rotulo->wordWrap());
    EXPECT_TRUE(a[0].figura->property("arquivo").toString().endsWith("Item.bmp"));
    EXPECT_TRUE(a[1].figura->property("arquivo").toString().endsWith("ItemDisable.bmp"));
    EXPECT_TRUE(j.ui.mensagens().isEmpty());
}

TEST(MainWindow, ExitAsksAndEmptiesTheScratchFolder)
{
    Janela j;
    j.cria();
    QDir().mkpath(DiretorioTemp());
    grava(DiretorioTemp() + "PT0019924.txt", "x");
    j.w->show();

    j.ui.enfileira(UserInterface::Nao);
    EXPECT_FALSE(j.w->close());
    EXPECT_EQ(j.ui.mensagens().last().texto, QString("Deseja sair do sistema ?"));
    EXPECT_EQ(j.ui.mensagens().last().titulo, QString("Confirme"));
    EXPECT_TRUE(QFile::exists(DiretorioTemp() + "PT0019924.txt"));

    QDir().mkpath(DiretorioTemp() + "sub");
    j.ui.enfileira(UserInterface::Sim);
    EXPECT_TRUE(j.w->close());
    EXPECT_FALSE(QFile::exists(DiretorioTemp() + "PT0019924.txt"));
    j.w.reset();
    EXPECT_TRUE(QDir(DiretorioTemp()).exists()); // a subfolder keeps temp in place
    QDir().rmdir(DiretorioTemp() + "sub");

    Janela k;
    k.cria();
    QDir().mkpath(DiretorioTemp());
    k.ui.enfileira(UserInterface::Sim);
    k.w->show();
    EXPECT_TRUE(k.w->close());
    k.w.reset();
    EXPECT_FALSE(QDir(DiretorioTemp()).exists());
}

TEST(MainWindow, EntriesWithoutAWindowAreDisabledAndRegisteredOnesOpen)
{
    Janela j;
    j.cria();
    auto *capturar = j.w->findChild<QToolButton *>("sbtnCapturar");
    ASSERT_TRUE(capturar);
    EXPECT_FALSE(capturar->isEnabled());
    int aberturas = 0;
    j.w->registraJanela("Capturar", [&] { ++aberturas; });
    EXPECT_TRUE(capturar->isEnabled());
    capturar->click();
    j.w->findChild<QAction *>("Capturar1")->trigger();
    EXPECT_EQ(aberturas, 2);
    EXPECT_FALSE(j.w->findChild<QAction *>("mnuBackup")->isEnabled());
    EXPECT_FALSE(j.w->findChild<QAction *>("mnuSobre")->isVisible());

    j.w->findChild<QAction *>("actSobre")->trigger();
    EXPECT_EQ(j.w->sobre()->lblVersao->text(), QString("Versão: 4.00.13"));
    const int antes = j.w->sobre()->deslocamento();
    QTest::qWait(200);
    EXPECT_LT(j.w->sobre()->deslocamento(), antes); // the credits scroll
}

TEST(MainWindow, TestVersionShowsTheBannerAndClosesWithoutAsking)
{
    Janela j;
    j.config.VersaoTeste = true;
    j.cria();
    EXPECT_TRUE(j.w->findChild<QLabel *>("lbVersaoTeste")->isVisibleTo(j.w.get()));
    j.w->show();
    EXPECT_TRUE(j.w->close());
    EXPECT_TRUE(j.ui.mensagens().isEmpty());
}

TEST(MainWindow, WindowsOpenModallyAndAreFreedAlsoAfterAnError)
{
    MostraJanela<DialogoQueFecha>();
    EXPECT_EQ(g_vivas, 0);

    Janela j;
    j.cria();
    j.w->registraJanela("Relatorios", [] { MostraJanela<JanelaQueFalha>(QString("Falha ao gerar")); });
    j.w->findChild<QToolButton *>("sbtnRelatorios")->click();
    EXPECT_EQ(g_vivas, 0);
    ASSERT_EQ(j.ui.mensagens().size(), 1);
    EXPECT_EQ(j.ui.mensagens()[0].titulo, QString("Erro"));
    EXPECT_EQ(j.ui.mensagens()[0].texto, QString("Falha ao gerar"));
}
