#include "shell/formatacao.h"
#include "shell/janelaprogressotexto.h"
#include "shell/scriptedui.h"
#include "shell/tspprogress.h"
#include "shell/widgets/tfspprogress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{
// Records what the runner shows.
struct Exibido {
    QStringList incs;
    QList<int> barras;
};
struct Registro : JanelaProgressoTexto {
    Exibido &e;
    explicit Registro(Exibido &x) : e(x) {}
    void atualiza(const QString &inc, int barra, const QString &estimado) override
    {
        JanelaProgressoTexto::atualiza(inc, barra, estimado);
        e.incs << inc;
        e.barras << barra;
    }
};
struct UiRegistro : ScriptedUi {
    Exibido exibido;
    int cancelaEm = 0;
    std::unique_ptr<JanelaProgresso> criaJanelaProgresso() override
    {
        exibido = {};
        auto j = std::make_unique<Registro>(exibido);
        j->setCancelaNaAtualizacao(cancelaEm);
        return j;
    }
};
} // namespace

TEST(ProgressRunner, RefreshesAboutFiveHundredTimesAndKeepsThePosition)
{
    UiRegistro ui;
    TSPProgress p(ui);
    p.setMaxCount(1000);
    QList<int> passos;
    p.OnExecute = [&](TSPProgress &r) {
        for (int i = 1; i <= 10; ++i) {
            const int antes = r.redesenhos();
            r.Increment(1);
            if (r.redesenhos() > antes)
                passos << i;
        }
    };
    EXPECT_TRUE(p.Execute());
    EXPECT_EQ(passos, (QList<int>{1, 4, 7, 10}));
    // a second run goes on from where the first stopped
    EXPECT_TRUE(p.Execute());
    EXPECT_EQ(p.posicao(), 20);

    TSPProgress q(ui);
    q.setMaxCount(10);
    q.AbsoluteInc = true;
    q.OnExecute = [](TSPProgress &r) {
        for (int i = 0; i < 12; ++i)
            r.Increment(1);
    };
    EXPECT_TRUE(q.Execute());
    EXPECT_EQ(ui.exibido.incs.at(3), QString("3/10"));
    EXPECT_EQ(ui.exibido.barras.last(), 100); // beyond the estimate the bar stays full
    // and the percentage never passes 100
    TSPProgress pc(ui);
    pc.setMaxCount(4);
    pc.OnExecute = [](TSPProgress &r) {
        for (int i = 0; i < 9; ++i)
            r.Increment(1);
    };
    EXPECT_TRUE(pc.Execute());
    EXPECT_EQ(ui.exibido.incs.last(), QString("100%"));
    EXPECT_EQ(ui.exibido.incs.filter("%").size(), ui.exibido.incs.size());
    for (const QString &inc : ui.exibido.incs)
        EXPECT_LE(inc.chopped(1).toInt(), 100) << inc.toStdString();
    EXPECT_EQ(Formatacao::duracao(qint64(25) * 3600 * 1000 + 61000), QString("01:01:01"));
}

TEST(ProgressRunner, MissingCountFailsAndCancellationAsks)
{
    UiRegistro ui;
    TSPProgress p(ui);
    p.OnExecute = [](TSPProgress &r) { r.Increment(1); };
    EXPECT_FALSE(p.Execute());
    EXPECT_FALSE(p.cancelado()); // failed, not cancelled
    ASSERT_EQ(ui.mensagens().size(), 1);
    EXPECT_EQ(ui.mensagens()[0].texto, QString("SPProgress: Falta informar o valor de MaxCount"));

    // cancel pressed at the third refresh, answered No: the work goes on
    UiRegistro ui2;
    ui2.cancelaEm = 3;
    TSPProgress c(ui2);
    c.CanCancel = true;
    c.setMaxCount(5);
    int feitos = 0;
    bool limpou = false;
    c.OnExecute = [&](TSPProgress &r) {
        struct Limpa {
            bool &b;
            ~Limpa() { b = true; }
        } l{limpou};
        for (int i = 0; i < 5; ++i, ++feitos)
            r.Increment(1);
    };
    ui2.enfileira(UserInterface::Nao);
    EXPECT_TRUE(c.Execute());
    EXPECT_EQ(feitos, 5);
    EXPECT_EQ(ui2.mensagens().last().texto, QString("Confirma o cancelamento do processo?"));

    // answered Yes: the work ends quietly and the run says so
    feitos = 0;
    limpou = false;
    c.setMaxCount(5);
    ui2.enfileira(UserInterface::Sim);
    const int mensagens = ui2.mensagens().size();
    EXPECT_FALSE(c.Execute());
    EXPECT_TRUE(c.cancelado());
    EXPECT_LT(feitos, 5);
    EXPECT_TRUE(limpou);
    EXPECT_EQ(ui2.mensagens().size(), mensagens + 1); // only the question, no error box

    // without CanCancel a press is never seen
    TSPProgress s(ui2);
    s.setMaxCount(5);
    s.OnExecute = [](TSPProgress &r) {
        for (int i = 0; i < 5; ++i)
            r.Increment(1);
    };
    EXPECT_TRUE(s.Execute());
}

TEST(ProgressWindow, ShowsItsTextsAndHidesCancelWhenNotOffered)
{
    TfSPProgress w;
    bool rodou = false;
    bool cancelVisivel = true;
    w.executa(
        "Efetuando carga dos dados...", false,
        [&] {
            rodou = true;
            cancelVisivel = w.btnCancel->isVisible();
            w.atualiza("42%", 42, "00:01:00");
        },
        [] {});
    EXPECT_TRUE(rodou);
    EXPECT_FALSE(cancelVisivel);
    EXPECT_EQ(w.windowTitle(), QString("Efetuando carga dos dados..."));
    EXPECT_EQ(w.cInc->text(), QString("42%"));
    EXPECT_EQ(w.cProgressBar->value(), 42);
    EXPECT_EQ(w.cMessage->text(), QString("Aguarde..."));

    bool viu = false;
    w.executa(
        "", true,
        [&] {
            w.btnCancel->click();
            viu = w.cancelamentoPedido();
        },
        [] {});
    EXPECT_TRUE(viu);
}
