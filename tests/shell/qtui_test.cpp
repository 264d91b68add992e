#include "shell/widgets/qtui.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace
{
using B = UserInterface;

struct Caixa {
    QString titulo;
    QStringList botoes;
};

// Opens a box and lets `age` find it and answer it, as the user would.
UserInterface::Botao responde(QtUi &ui, const QString &titulo, UserInterface::Icone icone,
                              UserInterface::Botoes botoes, Caixa *vista,
                              const std::function<void(QMessageBox *)> &age)
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        vista->titulo = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            vista->botoes << b->text();
        age(box);
    });
    return ui.mensagem(titulo, "Deseja sair do sistema ?", icone, botoes);
}

std::function<void(QMessageBox *)> clica(const QString &texto)
{
    return [texto](QMessageBox *box) {
        for (QAbstractButton *b : box->buttons())
            if (b->text() == texto)
                return b->click();
        ADD_FAILURE() << "no button " << texto.toStdString();
        box->reject();
    };
}
} // namespace

TEST(QtUiBoxes, PortugueseCaptionsAndTheAnswerGiven)
{
    QtUi ui;
    Caixa vista;
    EXPECT_EQ(responde(ui, "", B::Icone::Pergunta, B::Sim | B::Nao, &vista, clica("&Não")), B::Nao);
    EXPECT_EQ(vista.titulo, QString("Confirme"));
    EXPECT_EQ(vista.botoes.size(), 2);
    EXPECT_TRUE(vista.botoes.contains("&Sim"));
    EXPECT_TRUE(vista.botoes.contains("&Não"));

    vista = {};
    EXPECT_EQ(responde(ui, "Alerta", B::Icone::Informacao, B::Sim | B::Nao, &vista, clica("&Sim")), B::Sim);
    EXPECT_EQ(vista.titulo, QString("Alerta"));

    // every button at once: each keeps its own caption and answer ("All" and "Yes to all" too)
    UserInterface::Botoes todos;
    for (int b = B::Ok; b <= B::Fechar; b <<= 1)
        todos |= UserInterface::Botao(b);
    vista = {};
    EXPECT_EQ(responde(ui, "", B::Icone::Aviso, todos, &vista, clica("&Todos")), B::Todos);
    EXPECT_EQ(vista.titulo, QString("Aviso"));
    EXPECT_EQ(vista.botoes.size(), 12);
    for (const char *t : {"Ok", "Cancelar", "Fechar", "&Ajuda", "&Abortar", "&Repetir", "&Ignorar",
                          "N&ão para Todos", "Sim pata &Todos"})
        EXPECT_TRUE(vista.botoes.contains(QString::fromUtf8(t))) << t;
    vista = {};
    EXPECT_EQ(responde(ui, "", B::Icone::Erro, todos, &vista, clica("Sim pata &Todos")), B::SimParaTodos);
    EXPECT_EQ(vista.titulo, QString("Erro"));
}

TEST(QtUiBoxes, EscapeAnswersCancelElseNo)
{
    QtUi ui;
    Caixa vista;
    const auto esc = [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); };
    EXPECT_EQ(responde(ui, "", B::Icone::Pergunta, B::Sim | B::Nao | B::Cancelar, &vista, esc), B::Cancelar);
    EXPECT_EQ(responde(ui, "", B::Icone::Pergunta, B::Sim | B::Nao, &vista, esc), B::Nao);
    EXPECT_EQ(responde(ui, "", B::Icone::Informacao, B::Ok, &vista, esc), B::Ok);
    vista = {};
    EXPECT_EQ(responde(ui, "", B::Icone::Informacao, B::Nenhum, &vista, esc), B::Ok);
    EXPECT_EQ(vista.titulo, QString("Informação"));
    EXPECT_EQ(vista.botoes, QStringList{"Ok"});
}

TEST(QtUiWait, OneWindowWhileTheTextLastsWithTheHourglass)
{
    QtUi ui;
    ASSERT_FALSE(QGuiApplication::overrideCursor());
    ui.aguarde("Carregando tabelas do sistema... aguarde.");
    QWidget *janela = ui.janelaAguarde();
    ASSERT_TRUE(janela);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_FALSE(janela->isModal());
    EXPECT_TRUE(janela->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(janela->width(), 600);
    auto *texto = janela->findChild<QLabel *>("lblAguarde");
    ASSERT_TRUE(texto);
    EXPECT_EQ(texto->text(), QString("Carregando tabelas do sistema... aguarde."));
    EXPECT_TRUE(texto->font().bold());
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // a second text replaces the first in the same window, which widens for a long text
    const QString longo(150, u'M');
    ui.aguarde(longo);
    EXPECT_EQ(ui.janelaAguarde(), janela);
    EXPECT_EQ(texto->text(), longo);
    const QFontMetrics fm(texto->font());
    EXPECT_NEAR(janela->width(), fm.horizontalAdvance(longo) + 60, 3);
    EXPECT_NEAR(janela->height(), fm.height() + 60, 3);
    EXPECT_GE(texto->width(), fm.horizontalAdvance(longo)); // nothing of the text is cut

    ui.aguarde("");
    EXPECT_FALSE(ui.janelaAguarde());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    ui.aguarde(""); // closing twice is harmless
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST(QtUiPickers, DelphiFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtUi::filtroQt("Arquivos compactados(*.zip)|*.zip"), QString("Arquivos compactados(*.zip)"));
    EXPECT_EQ(QtUi::filtroQt("Zip|*.zip;*.ZIP|Todos|*.*"), QString("Zip (*.zip *.ZIP);;Todos (*)"));
    EXPECT_EQ(QtUi::filtroQt("Zip (*.zip)"), QString("Zip (*.zip)"));
}
