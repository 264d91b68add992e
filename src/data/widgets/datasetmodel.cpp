#include "data/widgets/datasetmodel.h"

#include "data/clientdataset.h"

DataSetModel::DataSetModel(ClientDataSet &dataset, QObject *parent)
    : QAbstractTableModel(parent), m_ds(dataset)
{
    connect(&m_ds, &ClientDataSet::aberto, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::fechado, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::dadosMudaram, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::linhasAcrescentadas, this, &DataSetModel::acrescenta);
    connect(&m_ds, &ClientDataSet::valoresMudaram, this, [this] {
        if (m_linhas > 0 && !m_colunas.isEmpty())
            emit dataChanged(index(0, 0), index(m_linhas - 1, m_colunas.size() - 1));
    });
    recarrega();
}

void DataSetModel::setColunas(const QStringList &campos, const QStringList &titulos)
{
    m_camposEscolhidos = campos;
    m_titulos = titulos;
    recarrega();
}

void DataSetModel::recarrega()
{
    beginResetModel();
    m_colunas.clear();
    const auto &campos = m_ds.campos();
    if (!m_camposEscolhidos.isEmpty()) {
        for (const QString &c : std::as_const(m_camposEscolhidos))
            if (const int i = m_ds.indiceCampo(c); i >= 0)
                m_colunas << i;
    } else {
        for (int i = 0; i < campos.size(); ++i)
            if (campos[i].visivel)
                m_colunas << i;
    }
    m_linhas = m_ds.active() ? m_ds.recordCount() : 0;
    endResetModel();
}

void DataSetModel::acrescenta(int primeira, int ultima)
{
    if (primeira != m_linhas) { // not a plain growth of what the views know
        recarrega();
        return;
    }
    beginInsertRows({}, primeira, ultima);
    m_linhas = ultima + 1;
    endInsertRows();
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_linhas;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_colunas.size();
}

QModelIndex DataSetModel::indiceAtual() const
{
    const int linha = m_ds.recNo();
    return linha >= 0 && linha < m_linhas && !m_colunas.isEmpty() ? index(linha, 0) : QModelIndex();
}

QString DataSetModel::campoDaColuna(int coluna) const
{
    return m_ds.campos().value(m_colunas.value(coluna, -1)).nome;
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_colunas.size() || index.row() >= m_linhas)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)
        return {};
    try {
        const int campo = m_colunas[index.column()];
        if (role == Qt::DisplayRole)
            return m_ds.exibicao(index.row(), campo);
        const QVariant v = m_ds.valor(index.row(), campo);
        if (role == Qt::EditRole)
            return v;
        const int tipo = v.typeId();
        const bool numero =
            tipo == QMetaType::Double || tipo == QMetaType::Int || tipo == QMetaType::LongLong;
        return numero ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    } catch (const std::exception &) {
        // painting cannot raise; a failing rule shows an empty cell, and the code reading the row
        // itself meets the same error
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const auto &c = m_ds.campos().value(m_colunas.value(section, -1));
    if (!m_titulos.isEmpty()) {
        const int escolhido = m_camposEscolhidos.indexOf(c.nome, 0);
        if (!m_titulos.value(escolhido).isEmpty())
            return m_titulos.value(escolhido);
    }
    return c.rotulo.isEmpty() ? c.nome : c.rotulo;
}

bool DataSetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_ds.active() && !m_ds.tudoLido();
}

void DataSetModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_ds.buscaMais(); // the set announces its new rows
}
