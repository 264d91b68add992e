#pragma once

#include "browse/navegadeclaracoes.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QToolButton;
class TdmPrincipal;
class UserInterface;

// "Declarações": the base year's declarations with their values, responsible person and delivery
// history; searches by inscrição or name and by status. Reads cdsDeclaracoes; writes nothing.
class TfrmDeclaracoes : public QWidget
{
    Q_OBJECT
  public:
    TfrmDeclaracoes(TdmPrincipal &dm, UserInterface &ui, QWidget *parent = nullptr);

    QTabWidget *pgcDeclaracoes = nullptr;
    QLineEdit *dbeStatusDeclaracao = nullptr;
    QLineEdit *dbeNaoConstaAtivos = nullptr;
    QTableView *grdHistorico = nullptr;
    QTableView *grdErros = nullptr;
    QTableView *grdDeclaracoes = nullptr;
    QComboBox *cmbCampoPesquisa = nullptr;
    QLineEdit *edtPesquisa = nullptr;
    QToolButton *sbtnFiltro = nullptr;
    QComboBox *cmbPesquisa = nullptr;
    QToolButton *sbtnRelatorios = nullptr;
    QPushButton *btnFechar = nullptr;

    void sbtnFiltroClick();
    void cmbPesquisaChange();

  protected:
    void closeEvent(QCloseEvent *e) override;

  private:
    void montaTela();

    TdmPrincipal &m_dm;
    NavegaDeclaracoes m_navega;
    bool m_filtrando = false;
};
