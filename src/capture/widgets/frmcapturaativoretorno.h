#pragma once

#include "capture/capturaarquivos.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TdmPrincipal;

// "Captura de arquivos": chooses an archive of active taxpayers or of returns and captures it.
class TfrmCapturaAtivoRetorno : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmCapturaAtivoRetorno(TdmPrincipal &dm, QWidget *parent = nullptr);
    ~TfrmCapturaAtivoRetorno() override;

    QRadioButton *rbAtivos = nullptr;
    QRadioButton *rbRetorno = nullptr;
    QLineEdit *edArquivo = nullptr;
    QToolButton *btnArquivo = nullptr;
    QLabel *labUltimo = nullptr;
    QPushButton *btnExecutar = nullptr;
    QPushButton *btnCancelar = nullptr;
    QPushButton *btnFechar = nullptr;
    QPushButton *btnAjuda = nullptr;

    int tipo() const;
    void btnExecutarClick();

  protected:
    void done(int r) override;

  private:
    void rg_tipoClick();
    void btnArquivoClick();
    void estado(bool ocupado);

    TdmPrincipal &m_dm;
    CapturaArquivos m_captura;
    QString m_pastaInicial;
    QButtonGroup *m_grupo = nullptr;
};
