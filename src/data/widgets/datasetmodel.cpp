#include "data/widgets/datasetmodel.h"

#include "data/clientdataset.h"
#include "shell/formatacao.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

DataSetModel::DataSetModel(ClientDataSet &dataset, QObject *parent) : QAbstractTableModel(parent), m_ds(dataset)
{
    connect(&m_ds, &ClientDataSet::aberto, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::fechado, this, &DataSetModel::recarrega);
    connect(&m_ds, &ClientDataSet::dadosMudaram, this, &DataSetModel::recarrega);
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
    endResetModel();
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_ds.active() ? 0 : m_ds.recordCount();
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_colunas.size();
}

QString DataSetModel::campoDaColuna(int coluna) const
{
    return m_ds.campos().value(m_colunas.value(coluna, -1)).nome;
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_colunas.size())
        return {};
    const QVariant v = m_ds.valor(index.row(), m_colunas[index.column()]);
    if (role == Qt::TextAlignmentRole) {
        const int t = v.typeId();
        if (t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    if (role != Qt::DisplayRole)
        return role == Qt::EditRole ? v : QVariant();
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDate: return Formatacao::data(v.toDate());
    case QMetaType::QTime: return Formatacao::hora(v.toTime());
    case QMetaType::QDateTime: return Formatacao::dataHora(v.toDateTime());
    case QMetaType::Double: return Formatacao::mascara(v.toDouble(), QStringLiteral("###,###,###,##0.00"));
    default: return v.toString();
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
