#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "shell/widgets/ajuda.h"
#include "support/temphome.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{
QWidget *janelaAjuda()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmAjuda" && w->isVisible())
            return w;
    return nullptr;
}

QStringList ancoras(const QListWidget *topicos)
{
    QStringList r;
    for (int i = 0; i < topicos->count(); ++i)
        r << topicos->item(i)->data(Qt::UserRole).toString();
    return r;
}
} // namespace

TEST(Help, WithoutTheFileTheUserIsTold)
{
    auto home = TempHome::vazio();
    ScriptedUi ui;
    MostraAjuda(1, &ui);
    ASSERT_EQ(ui.mensagens().size(), 1);
    EXPECT_EQ(ui.mensagens()[0].texto, QString("Não há arquivo de ajuda"));
    EXPECT_FALSE(janelaAjuda());
}

TEST(Help, OpensAtTheTopicOfTheContextAndNavigates)
{
    auto home = TempHome::vazio();
    InstalaAjuda(DiretorioSistema() + "ORBEL.HLP");
    ScriptedUi ui;
    MostraAjuda(4, &ui);
    EXPECT_TRUE(ui.mensagens().isEmpty());
    QWidget *janela = janelaAjuda();
    ASSERT_TRUE(janela);
    EXPECT_EQ(janela->windowTitle(), QString("Ajuda"));
    EXPECT_FALSE(janela->isModal());
    auto *texto = janela->findChild<QTextBrowser *>("txtAjuda");
    auto *topicos = janela->findChild<QListWidget *>("lstTopicos");
    ASSERT_TRUE(texto && topicos);
    QApplication::processEvents();
    EXPECT_EQ(texto->source().fragment(), QString("topico4"));
    EXPECT_GT(texto->verticalScrollBar()->value(), 0);
    EXPECT_EQ(topicos->currentItem()->text(), QString("Captura de arquivos"));
    EXPECT_TRUE(texto->toPlainText().contains("Consulta de declarações")); // read as UTF-8
    // every context the program asks for has its topic
    const QStringList lista = ancoras(topicos);
    for (const char *a : {"topico1", "topico4", "topico44"})
        EXPECT_TRUE(lista.contains(a)) << a;
    EXPECT_GE(lista.size(), 10);

    // a second request reuses the window; back returns to the previous topic
    MostraAjuda(44, &ui);
    EXPECT_EQ(janelaAjuda(), janela);
    EXPECT_EQ(texto->source().fragment(), QString("topico44"));
    auto *voltar = janela->findChild<QToolButton *>("btnVoltar");
    ASSERT_TRUE(voltar->isEnabled());
    voltar->click();
    EXPECT_EQ(texto->source().fragment(), QString("topico4"));

    topicos->setCurrentRow(0);
    emit topicos->itemClicked(topicos->item(0));
    EXPECT_EQ(texto->source().fragment(), QString("topico1"));
    janela->close();
}

TEST(Help, InstallReplacesAnOldFileAndReportsAFolderItCannotWrite)
{
    auto home = TempHome::vazio();
    const QString destino = home.arquivo("ORBEL.HLP");
    {
        QFile velho(destino);
        ASSERT_TRUE(velho.open(QIODevice::WriteOnly));
        velho.write("antigo");
    }
    QFile::setPermissions(destino, QFile::ReadOwner);
    InstalaAjuda(destino);
    QFile f(destino);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray conteudo = f.readAll();
    EXPECT_TRUE(conteudo.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(conteudo.contains("name=\"topico44\""));
    EXPECT_TRUE(QFileInfo(destino).isWritable()); // the next setup can replace it again

    EXPECT_THROW(InstalaAjuda(home.arquivo("nao/existe/ORBEL.HLP")), OrbelError);
}
