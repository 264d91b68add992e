#include "reports/fonterelatorio.h"

#include "shell/formatacao.h"
#include "shell/orbelerror.h"

#include <QSqlError>
#include <QSqlRecord>

int FonteRelatorio::indice(const QString &coluna) const
{
    const QStringList nomes = colunas();
    for (int i = 0; i < nomes.size(); ++i)
        if (nomes[i].compare(coluna, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace
{
int indiceExistente(const FonteRelatorio &f, const QString &coluna)
{
    const int i = f.indice(coluna);
    if (i < 0)
        throw OrbelError(QStringLiteral("Campo '%1' não encontrado no relatório.").arg(coluna));
    return i;
}
} // namespace

QVariant FonteRelatorio::valor(const QString &coluna) const
{
    return valor(indiceExistente(*this, coluna));
}

QVariant FonteRelatorio::valorSeguinte(const QString &coluna)
{
    return valorSeguinte(indiceExistente(*this, coluna));
}

FonteConsulta::FonteConsulta(QSqlQuery &consulta) : m_q(consulta)
{
    const QSqlRecord r = m_q.record();
    for (int i = 0; i < r.count(); ++i)
        m_colunas << r.fieldName(i).toUpper();
}

bool FonteConsulta::leLinha(QVector<QVariant> &destino)
{
    if (!m_q.next()) {
        if (m_q.lastError().isValid())
            throw OrbelError(m_q.lastError().text());
        return false;
    }
    destino.resize(m_colunas.size());
    for (int i = 0; i < m_colunas.size(); ++i)
        destino[i] = m_q.value(i);
    return true;
}

bool FonteConsulta::haSeguinte()
{
    if (!m_leuSeguinte) {
        m_temSeguinte = leLinha(m_seguinte);
        m_leuSeguinte = true;
    }
    return m_temSeguinte;
}

QVariant FonteConsulta::valorSeguinte(int coluna)
{
    return haSeguinte() && coluna >= 0 && coluna < m_seguinte.size() ? m_seguinte[coluna] : QVariant();
}

bool FonteConsulta::proxima()
{
    m_naPrimeira = false;
    if (!m_leuSeguinte)
        m_temSeguinte = leLinha(m_seguinte);
    m_leuSeguinte = false;
    if (!m_temSeguinte) {
        m_atual.clear();
        return false;
    }
    m_atual.swap(m_seguinte);
    return true;
}

QVariant FonteConsulta::valor(int coluna) const
{
    return coluna >= 0 && coluna < m_atual.size() ? m_atual[coluna] : QVariant();
}

void FonteConsulta::reinicia()
{
    if (m_naPrimeira && !m_leuSeguinte)
        return;
    // a forward-only result cannot go back: run the statement again, with the values bound
    m_q.finish();
    if (!m_q.exec())
        throw OrbelError(m_q.lastError().text());
    m_atual.clear();
    m_leuSeguinte = false;
    m_naPrimeira = true;
}

namespace
{
// A value as its declared field holds it: the server's type may differ from the declaration.
QVariant comoDeclarado(const QVariant &v, CampoDeclarado::Tipo tipo)
{
    if (v.isNull())
        return v;
    switch (tipo) {
    case CampoDeclarado::Texto:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toString());
    case CampoDeclarado::Data:
        return v.typeId() == QMetaType::QDateTime ? QVariant(v.toDateTime().date()) : v;
    case CampoDeclarado::Hora:
        return v.typeId() == QMetaType::QDateTime ? QVariant(v.toDateTime().time()) : v;
    case CampoDeclarado::Real:
    case CampoDeclarado::Fixo:
        return v.typeId() == QMetaType::Double ? v : QVariant(v.toDouble());
    }
    return v;
}
} // namespace

FonteConjunto::FonteConjunto(ClientDataSet &cds, QVector<CampoDeclarado> campos)
    : m_cds(cds), m_campos(std::move(campos))
{
    for (const CampoDeclarado &c : m_campos) {
        const int i = m_cds.indiceCampo(c.nome);
        if (i < 0)
            throw OrbelError(QStringLiteral("%1: Campo '%2' não encontrado.").arg(m_cds.nome(), c.nome));
        m_indices << i;
    }
}

QStringList FonteConjunto::colunas() const
{
    QStringList r;
    for (const CampoDeclarado &c : m_campos)
        r << c.nome;
    return r;
}

bool FonteConjunto::proxima()
{
    if (m_linha + 1 >= m_cds.recordCount()) {
        m_linha = m_cds.recordCount();
        return false;
    }
    ++m_linha;
    return true;
}

QVariant FonteConjunto::valor(int coluna) const
{
    if (coluna < 0 || coluna >= m_campos.size() || m_linha < 0 || m_linha >= m_cds.recordCount())
        return {};
    return comoDeclarado(m_cds.valor(m_linha, m_indices[coluna]), m_campos[coluna].tipo);
}

QVariant FonteConjunto::valorSeguinte(int coluna)
{
    if (coluna < 0 || coluna >= m_campos.size() || !haSeguinte())
        return {};
    return comoDeclarado(m_cds.valor(m_linha + 1, m_indices[coluna]), m_campos[coluna].tipo);
}
