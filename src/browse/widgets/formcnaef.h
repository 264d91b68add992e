#pragma once

#include <QWidget>

class QPushButton;
class QTableView;
class QTreeWidget;
class TdmPrincipal;

// "Visualização de CNAE": the CNAE codes in force for the base year, as a tree.
class TformCNAEF : public QWidget
{
    Q_OBJECT
  public:
    explicit TformCNAEF(TdmPrincipal &dm, QWidget *parent = nullptr);
    QTreeWidget *tvCNAEF = nullptr;
    QPushButton *btnFechar = nullptr;
};

// "Regimes de Recolhimento": the collection regimes, by description.
class TfrmVerRegimeRecolhimento : public QWidget
{
    Q_OBJECT
  public:
    explicit TfrmVerRegimeRecolhimento(TdmPrincipal &dm, QWidget *parent = nullptr);
    QTableView *grdRegimes = nullptr;
    QPushButton *btnFechar = nullptr;
};
