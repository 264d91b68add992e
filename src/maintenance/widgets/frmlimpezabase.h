#pragma once

#include <QDialog>

class QButtonGroup;
class QPushButton;
class QRadioButton;
class TdmPrincipal;

// "Parâmetro para limpeza da base": chooses what to empty and empties it.
class TfrmLimpezaBase : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmLimpezaBase(TdmPrincipal &dm, QWidget *parent = nullptr);

    QRadioButton *rbTodos = nullptr;
    QRadioButton *rbRetorno = nullptr;
    QRadioButton *rbAtivos = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnFechar = nullptr;

    void btnOKClick();

  private:
    TdmPrincipal &m_dm;
};
