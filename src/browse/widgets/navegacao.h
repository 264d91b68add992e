#pragma once

#include <QObject>

#include <functional>

class ClientDataSet;
class DataSetModel;
class QLineEdit;
class QString;
class QTableView;
class QWidget;

// A row-select, read-only grid over a dataset: the grid's current row is the set's current row,
// both ways.
void LigaGrade(QTableView *grade, DataSetModel *modelo, ClientDataSet &ds);

// A browser fills the screen: maximized, and sized to the screen where no window manager maximizes.
void Maximiza(QWidget *janela);

// The search text of the browsers' bottom bar, "edtPesquisa": what is typed is upper-cased.
QLineEdit *NovaCaixaPesquisa(QWidget *pai, const QString &dica);

// The browsers see keys before their controls: Enter moves to the next control (Shift+Enter to
// the previous one), Escape closes the window. `aoEnter` may take an Enter first (true: handled).
class TeclasNavegacao : public QObject
{
  public:
    TeclasNavegacao(QWidget *janela, std::function<bool(QObject *)> aoEnter);

  protected:
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    QWidget *m_janela;
    std::function<bool(QObject *)> m_aoEnter;
};

// The caption of a browser with its count ("Ativos (N REGISTROS)"): counting a whole table takes
// a moment on a state's database, so it runs once, right after the window first paints its rows.
class LegendaContada : public QObject
{
  public:
    LegendaContada(QWidget *janela, std::function<QString()> legenda);

  protected:
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    QWidget *m_janela;
    std::function<QString()> m_legenda;
};
