#pragma once

#include "shell/avisos.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QTimer;
class QToolButton;
class QFrame;
class TConfigApp;
class TfrmSobre;
class UserInterface;

// A notice shown on the main window: its state, text, picture and label.
struct TKLVMensagem {
    bool habilitado = false;
    QString texto;
    QLabel *figura = nullptr; // null when the notice did not fit
    QLabel *rotulo = nullptr;
};

// The main window: tool bar, identity panel, clock, notices and the menu that opens every window.
class TfrmPrincipal : public QMainWindow
{
    Q_OBJECT
  public:
    TfrmPrincipal(TConfigApp &config, UserInterface &ui, std::function<QString()> leAnoBase,
                  QWidget *parent = nullptr);
    ~TfrmPrincipal() override;

    // Openers of the windows by action name: "Ativos", "Declaracoes", "Capturar", "Relatorios",
    // "VerCNAEF", "RegimeRecolhimento", "Parametros", "Backup", "Restore", "LimparBase".
    // An entry without an opener stays disabled.
    void registraJanela(const QString &acao, std::function<void()> abre);

    const QList<TKLVMensagem> &avisos() const { return m_avisos; }
    // Runs the first-show steps now (caption, labels, notices); called by showEvent once.
    void preparaExibicao();
    void atualizaRelogio();
    TfrmSobre *sobre() const { return m_sobre; }

  public slots:
    void AtualizaAnoBase();

  protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

  private:
    void montaTela();
    QAction *acao(const QString &nome, const QString &texto, const QString &janela);
    QToolButton *botao(const char *nome, const QString &texto, const QString &icone, QAction *a);
    void abreJanela(const QString &janela);
    void CarregaAvisos();
    void ancoraAvisos();

    TConfigApp &m_config;
    UserInterface &m_ui;
    std::function<QString()> m_leAnoBase;
    QHash<QString, QList<QAction *>> m_acoes;
    QHash<QString, std::function<void()>> m_abridores;
    QList<TKLVMensagem> m_avisos;
    bool m_mostrada = false;
    bool m_preparada = false;
    TfrmSobre *m_sobre = nullptr;
    QWidget *m_area = nullptr;
    QLabel *m_lbVersao = nullptr;
    QLabel *m_lblAnoExercicio = nullptr;
    QLabel *m_lbData = nullptr;
    QLabel *m_lbVersaoTeste = nullptr;
    QLabel *m_imAvisos = nullptr;
    QFrame *m_sMargem = nullptr;
    QTimer *m_tPrincipal = nullptr;
};
