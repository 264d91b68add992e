#include "data/widgets/datasetmodel.h"

#include "data/clientdataset.h"
#include "shell/formatacao.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

DataSetModel::DataSetModel(ClientDataSet &dataset, QObject *parent)
    : QAbstractTableModel(parent), m_ds(dataset)
{
    connect(&m_ds, &ClientDataSet::aberto, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::fechado, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::dadosMudaram, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::linhasAcrescentadas, this, &DataSetModel::acrescenta);
    recarrega();
}

void DataSetModel::recarrega()
{
    beginResetModel();
    m_colunas.clear();
    const auto &campos = m_ds.campos();
    for (int i = 0; i < campos.size(); ++i)
        if (campos[i].visivel)
            m_colunas << i;
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
    QVariant v;
    try {
        v = m_ds.valor(index.row(), m_colunas[index.column()]);
    } catch (const std::exception &) {
        // painting cannot raise; a failing rule shows an empty cell, and the code reading the row
        // itself meets the same error
        return {};
    }
    if (role == Qt::EditRole)
        return v;
    const int tipo = v.typeId();
    const bool numero = tipo == QMetaType::Double || tipo == QMetaType::Int || tipo == QMetaType::LongLong;
    if (role == Qt::TextAlignmentRole)
        return numero ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    if (v.isNull())
        return QString();
    switch (tipo) {
    case QMetaType::QDate:
        return Formatacao::data(v.toDate());
    case QMetaType::QTime:
        return Formatacao::hora(v.toTime());
    case QMetaType::QDateTime:
        return Formatacao::dataHora(v.toDateTime());
    case QMetaType::Double: // the value as stored, with the decimal comma
        return QString::number(v.toDouble(), 'g', 15).replace(u'.', u',');
    default:
        return v.toString();
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const auto &c = m_ds.campos().value(m_colunas.value(section, -1));
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
