#pragma once

#include "shell/tspprogress.h"

#include <cstdio>

// Progress without a window: each refresh becomes a line on a stream (standard error on the
// command line), or nothing at all. A cancellation can be scripted for tests.
class JanelaProgressoTexto : public JanelaProgresso
{
  public:
    explicit JanelaProgressoTexto(FILE *saida = nullptr) : m_saida(saida) {}

    // Pretends the user pressed Cancel when the display is refreshed for the n-th time (0: never).
    void setCancelaNaAtualizacao(int n) { m_cancelaEm = n; }

    void executa(const QString &caption, bool podeCancelar, const std::function<void()> &trabalho,
                 const std::function<void()> &timer) override;
    void setMensagem(const QString &texto) override;
    void setCaption(const QString &texto) override { m_caption = texto; }
    void atualiza(const QString &inc, int barra, const QString &estimado) override;
    void atualizaTempos(const QString &, const QString &) override {}
    bool cancelamentoPedido() override { return m_cancelado; }
    void limpaCancelamento() override { m_cancelado = false; }

    int atualizacoes() const { return m_atualizacoes; }
    QString ultimoInc() const { return m_ultimoInc; }

  private:
    FILE *m_saida;
    QString m_caption;
    QString m_ultimoInc;
    bool m_podeCancelar = false;
    bool m_cancelado = false;
    int m_cancelaEm = 0;
    int m_atualizacoes = 0;
};
