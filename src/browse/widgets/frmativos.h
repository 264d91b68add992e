#pragma once

#include "browse/navegaativos.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TdmPrincipal;
class UserInterface;

// "Ativos": the active taxpayers, one at a time in the groups above, the list below, the search
// in the bottom bar. Reads cdsAtivos; writes nothing.
class TfrmAtivos : public QWidget
{
    Q_OBJECT
  public:
    TfrmAtivos(TdmPrincipal &dm, UserInterface &ui, QWidget *parent = nullptr);

    QTableView *grdAtivos = nullptr;
    QComboBox *cmbCampoPesquisa = nullptr;
    QLineEdit *edtPesquisa = nullptr;
    QToolButton *sbtnFiltro = nullptr;
    QPushButton *btnFechar = nullptr;

    void sbtnFiltroClick();

  protected:
    void closeEvent(QCloseEvent *e) override;

  private:
    void montaTela();

    TdmPrincipal &m_dm;
    NavegaAtivos m_navega;
    bool m_filtrando = false; // a search is in force in this window
};
