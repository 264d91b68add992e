#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class ClientDataSet;

// A grid's view of an in-memory dataset: one column per visible field, labels as headers,
// dates and times shown the pt-BR way; more rows are fetched as the grid scrolls.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit DataSetModel(ClientDataSet &dataset, QObject *parent = nullptr);
    // Shows only these fields, in this order, with these titles (empty title: the field's label).
    void setColunas(const QStringList &campos, const QStringList &titulos = {});

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The dataset row of a grid row (the same number: the model follows the dataset's view).
    int linhaDe(const QModelIndex &index) const { return index.isValid() ? index.row() : -1; }
    // The grid cell of the dataset's current row, first column; invalid when the set is empty.
    QModelIndex indiceAtual() const;
    QString campoDaColuna(int coluna) const;

  private:
    void recarrega();
    void acrescenta(int primeira, int ultima);

    ClientDataSet &m_ds;
    QList<int> m_colunas; // dataset field index of each grid column
    QStringList m_camposEscolhidos, m_titulos;
    int m_linhas = 0; // rows announced to the views; the set may be ahead until it signals
};
