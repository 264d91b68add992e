#pragma once

#include "shell/orbelerror.h"

#include <QDateTime>
#include <QString>
#include <functional>

class UserInterface;

// Raised when the user confirms a cancellation; ends the work quietly.
class EAbortProgress : public OrbelError
{
  public:
    EAbortProgress() : OrbelError(QStringLiteral("Processo interrompido pelo usuário")) {}
};

// What shows a run: the modal progress window in the GUI, standard error on the command line.
class JanelaProgresso
{
  public:
    virtual ~JanelaProgresso() = default;
    // Shows the display (modally in the GUI) and calls `trabalho` once it is on screen; returns
    // after the work returned. `timer` is to be called about every second while shown.
    virtual void executa(const QString &caption, bool podeCancelar, const std::function<void()> &trabalho,
                         const std::function<void()> &timer) = 0;
    virtual void setMensagem(const QString &texto) = 0;
    virtual void setCaption(const QString &texto) = 0;
    // cInc text, bar position 0..100, cEstimated text.
    virtual void atualiza(const QString &inc, int barra, const QString &estimado) = 0;
    // cTotal and cRestante texts.
    virtual void atualizaTempos(const QString &total, const QString &restante) = 0;
    // True once the user pressed Cancel; limpaCancelamento() takes the request back.
    virtual bool cancelamentoPedido() = 0;
    virtual void limpaCancelamento() = 0;
    virtual void beep() {}
};

// Runs one piece of long work inside a progress display, with percentage, times and an optional
// cancel. The work reports progress through Increment(), which is also where a cancellation
// confirmed by the user takes effect.
class TSPProgress
{
  public:
    explicit TSPProgress(UserInterface &ui);
    ~TSPProgress();

    bool AbsoluteInc = false;
    bool CanCancel = false;
    QString Caption;
    std::function<void(TSPProgress &)> OnExecute;

    QString Message() const { return m_message; }
    void setMessage(const QString &texto);

    int MaxCount() const { return m_maxCount; }
    void setMaxCount(int n); // also resets the position and the refresh counter
    int posicao() const { return m_posicao; }
    int redesenhos() const { return m_redesenhos; }

    // True when the work ended normally; false when it was cancelled or failed (shown to the user).
    bool Execute();
    // Whether the last Execute ended because the user confirmed a cancellation.
    bool cancelado() const { return m_cancelado; }
    void Increment(int n = 1);

  private:
    void atualizaTela();
    void timerTimer();

    UserInterface &m_ui;
    JanelaProgresso *m_janela = nullptr;
    QString m_message = QStringLiteral("Aguarde...");
    int m_maxCount = 0;
    int m_posicao = 0;
    int m_contador = 0;
    int m_redesenhos = 0;
    bool m_cancelado = false;
    QDateTime m_inicio;
};
