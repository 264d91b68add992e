#pragma once

#include "shell/tspprogress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The modal progress window: percentage, bar, estimated, elapsed and remaining times, and an
// optional Cancel button that the work notices at its next step.
class TfSPProgress : public QDialog, public JanelaProgresso
{
    Q_OBJECT
  public:
    explicit TfSPProgress(QWidget *parent = nullptr);

    void executa(const QString &caption, bool podeCancelar, const std::function<void()> &trabalho,
                 const std::function<void()> &timer) override;
    void setMensagem(const QString &texto) override;
    void setCaption(const QString &texto) override;
    void atualiza(const QString &inc, int barra, const QString &estimado) override;
    void atualizaTempos(const QString &total, const QString &restante) override;
    bool cancelamentoPedido() override { return m_cancelado; }
    void limpaCancelamento() override { m_cancelado = false; }
    void beep() override;

    QLabel *cInc = nullptr;
    QLabel *cMessage = nullptr;
    QLabel *cEstimated = nullptr;
    QLabel *cTotal = nullptr;
    QLabel *cRestante = nullptr;
    QProgressBar *cProgressBar = nullptr;
    QPushButton *btnCancel = nullptr;
    QProgressBar *cAnimate = nullptr;
    QTimer *Timer = nullptr;

  protected:
    void reject() override {} // no closing by Escape while the work runs

  private:
    bool m_cancelado = false;
};
