#pragma once

#include "maintenance/processabackup.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// "Processamento de backup": runs a backup's compression or a restore's extraction once it is on
// screen, with the current file, a per-file and a total bar and the two status parts. It closes
// itself a second after success; after a failed restore it stays until the clerk closes it.
class TfProcessaBackup : public QDialog
{
    Q_OBJECT
  public:
    TfProcessaBackup(ProcessaBackup &processo, QWidget *parent = nullptr);

    // Shows the window modally over `pai` and runs the work in it; true when it completed.
    static bool Executa(ProcessaBackup &processo, QWidget *pai);

    bool sucesso() const { return m_sucesso; }
    int atrasoFechamento = 1000; // ms after success before the window closes itself

    QLabel *lblArquivoAtual = nullptr;
    QProgressBar *pbArquivo = nullptr;
    QProgressBar *pbTotal = nullptr;
    QLabel *lblContador = nullptr;
    QLabel *lblDestino = nullptr;
    QLabel *lblStatus1 = nullptr;
    QLabel *lblStatus2 = nullptr;
    QPushButton *btnFechar = nullptr;
    QTimer *Timer = nullptr;

  protected:
    void showEvent(QShowEvent *e) override;
    void reject() override;

  private:
    void mostra(const ProcessaBackup::Tela &t);
    void roda();

    ProcessaBackup &m_processo;
    bool m_iniciado = false;
    bool m_terminado = false;
    bool m_sucesso = false;
};
