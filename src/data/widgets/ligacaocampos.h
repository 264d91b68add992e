#pragma once

#include <QList>
#include <QObject>
#include <functional>

class ClientDataSet;
class QGridLayout;
class QWidget;

// Read-only controls showing fields of a dataset's current row (line edits, text boxes, labels,
// S/N check boxes), refreshed whenever the row, the rows or the calculated values change.
class LigacaoCampos : public QObject
{
    Q_OBJECT
  public:
    explicit LigacaoCampos(QObject *parent = nullptr) : QObject(parent) {}
    // Line edit, plain-text edit or label: the field as the screen shows it (its picture applied).
    void liga(QWidget *controle, ClientDataSet &ds, const QString &campo);
    // Check box: checked for "S", clear otherwise.
    void ligaSN(QWidget *caixa, ClientDataSet &ds, const QString &campo);
    // Anything else to run when the row of ds changes (colours, enabled states).
    void aoMudar(ClientDataSet &ds, std::function<void()> f);
    void atualiza(); // every control now

    // A new read-only control bound to a field, named "dbe" + field: a line, or a text box of three
    // lines for long texts.
    QWidget *novoCampo(QWidget *pai, ClientDataSet &ds, const QString &campo, bool multilinha = false);
    // The same beside its label, in a grid: label at (linha, coluna), the field after it over `largura`.
    QWidget *novoCampo(QGridLayout *grade, int linha, int coluna, const QString &rotulo, ClientDataSet &ds,
                       const QString &campo, int largura = 1, bool multilinha = false);

  private:
    void segue(ClientDataSet &ds, std::function<void()> f);
    QList<std::function<void()>> m_atualizacoes;
};
