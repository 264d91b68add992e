#include "shell/diretorios.h"
#include "shell/scriptedui.h"
#include "shell/widgets/ajuda.h"
#include "shell/widgets/qtui.h"
#include "support/temphome.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QTextBrowser *janelaAjuda()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmAjuda" && w->isVisible())
            return qobject_cast<QTextBrowser *>(w);
    return nullptr;
}
} // namespace

TEST(Help, ShowsTheTopicOrSaysThereIsNoHelpFile)
{
    auto home = TempHome::vazio();
    ScriptedUi ui;
    MostraAjuda(1, &ui);
    ASSERT_EQ(ui.mensagens().size(), 1);
    EXPECT_EQ(ui.mensagens()[0].texto, QString("Não há arquivo de ajuda"));

    InstalaAjuda(DiretorioSistema() + "ORBEL.HLP");
    MostraAjuda(44, &ui);
    QTextBrowser *b = janelaAjuda();
    ASSERT_TRUE(b);
    EXPECT_EQ(b->windowTitle(), QString("Ajuda"));
    EXPECT_TRUE(b->toPlainText().contains("Captura de arquivos"));
    EXPECT_GT(b->verticalScrollBar()->value(), 0); // scrolled down to the print topic
    b->close();
}

TEST(QtDialogs, PortugueseButtonsAndTheWaitWindow)
{
    QtUi ui;
    QStringList textos;
    QTimer::singleShot(50, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        for (QAbstractButton *b : box->buttons())
            textos << b->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui.mensagem("Confirme", "Deseja sair do sistema ?", UserInterface::Icone::Pergunta,
                          QFlags<UserInterface::Botao>(UserInterface::Sim) | UserInterface::Nao),
              UserInterface::Nao);
    EXPECT_TRUE(textos.contains("&Sim"));
    EXPECT_TRUE(textos.contains("&Não"));

    ui.aguarde("Carregando tabelas do sistema... aguarde.");
    ASSERT_TRUE(ui.janelaAguarde());
    EXPECT_GE(ui.janelaAguarde()->width(), 600);
    EXPECT_EQ(ui.janelaAguarde()->findChild<QLabel *>("lblAguarde")->text(),
              QString("Carregando tabelas do sistema... aguarde."));
    ui.aguarde("");
    EXPECT_FALSE(ui.janelaAguarde());
}
