#include "shell/scriptedui.h"

#include <QTemporaryFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
using B = UserInterface;
const B::Icone kPergunta = B::Icone::Pergunta;
} // namespace

// Without --yes every question is answered No: an Ok/Cancel question must not be confirmed.
TEST(ScriptedUiAnswers, DefaultNoRefusesEveryQuestionAndYesConfirmsIt)
{
    ScriptedUi nao;
    EXPECT_EQ(nao.mensagem("", "Substituir?", kPergunta, B::Sim | B::Nao), B::Nao);
    EXPECT_EQ(nao.mensagem("", "Restaurar?", kPergunta, B::Ok | B::Cancelar), B::Cancelar);
    EXPECT_EQ(nao.mensagem("", "Salvar?", kPergunta, B::Sim | B::Nao | B::Cancelar), B::Nao);
    EXPECT_EQ(nao.mensagem("", "Feito.", B::Icone::Informacao, B::Ok), B::Ok);
    EXPECT_FALSE(nao.pergunta("", "Continuar?"));

    ScriptedUi sim;
    sim.setRespostaPadrao(B::Sim);
    EXPECT_EQ(sim.mensagem("", "Substituir?", kPergunta, B::Sim | B::Nao), B::Sim);
    EXPECT_EQ(sim.mensagem("", "Restaurar?", kPergunta, B::Ok | B::Cancelar), B::Ok);
    EXPECT_EQ(sim.mensagem("", "Feito.", B::Icone::Informacao, B::Ok), B::Ok);
    EXPECT_TRUE(sim.pergunta("", "Continuar?"));

    // queued answers go first, in order, to questions only
    ScriptedUi fila;
    fila.enfileira(B::Ok);
    fila.enfileira(B::Sim);
    EXPECT_EQ(fila.mensagem("", "Feito.", B::Icone::Informacao, B::Ok), B::Ok);
    EXPECT_EQ(fila.mensagem("", "Restaurar?", kPergunta, B::Ok | B::Cancelar), B::Ok);
    EXPECT_TRUE(fila.pergunta("", "Continuar?"));
    EXPECT_EQ(fila.mensagem("", "Restaurar?", kPergunta, B::Ok | B::Cancelar), B::Cancelar);
    ASSERT_EQ(fila.mensagens().size(), 4);
    EXPECT_EQ(fila.mensagens()[3].resposta, B::Cancelar);
}

TEST(ScriptedUiAnswers, EchoShowsEachQuestionWithTheAnswerTaken)
{
    QTemporaryFile saida, erros;
    ASSERT_TRUE(saida.open());
    ASSERT_TRUE(erros.open());
    FILE *out = fdopen(dup(saida.handle()), "w");
    FILE *err = fdopen(dup(erros.handle()), "w");
    {
        ScriptedUi ui;
        ui.setEco(out, err);
        ui.mensagem("Confirme", "Restaurar a cópia?", kPergunta, B::Ok | B::Cancelar);
        ui.avisa("Atenção", "Arquivo vazio");
    }
    std::fclose(out);
    std::fclose(err);
    const auto le = [](const QTemporaryFile &t) {
        QFile f(t.fileName());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    EXPECT_EQ(le(saida), QString("Confirme: Restaurar a cópia? -> Cancelar\n"));
    EXPECT_EQ(le(erros), QString("Atenção: Arquivo vazio\n"));
}
