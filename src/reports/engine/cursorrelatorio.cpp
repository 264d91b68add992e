#include "reports/engine/cursorrelatorio.h"

#include "data/clientdataset.h"
#include "shell/orbelerror.h"

#include <QSqlError>
#include <QSqlRecord>

int CursorRelatorio::indice(const QString &campo) const
{
    // the name as written is the key: no case folding on the way of every cell
    auto it = m_indices.constFind(campo);
    if (it != m_indices.constEnd())
        return *it;
    const QStringList nomes = campos();
    int i = 0;
    for (; i < nomes.size(); ++i)
        if (nomes[i].compare(campo, Qt::CaseInsensitive) == 0)
            break;
    const int r = i < nomes.size() ? i : -1;
    m_indices.insert(campo, r);
    return r;
}

QVariant CursorRelatorio::valor(const QString &campo) const
{
    const int i = indice(campo);
    return i < 0 ? QVariant() : valor(i);
}

QVariant CursorRelatorio::valorSeguinte(const QString &campo) const
{
    const int i = indice(campo);
    return i < 0 ? QVariant() : valorSeguinte(i);
}

// --- CursorMemoria ------------------------------------------------------------------------------

CursorMemoria::CursorMemoria(QStringList campos, QVector<QVariantList> linhas)
    : m_campos(std::move(campos)), m_linhas(std::move(linhas))
{
}

bool CursorMemoria::proxima()
{
    if (m_atual < m_linhas.size())
        ++m_atual;
    return m_atual < m_linhas.size();
}

QVariant CursorMemoria::valor(int campo) const
{
    if (m_atual < 0 || m_atual >= m_linhas.size())
        return {};
    return m_linhas[m_atual].value(campo);
}

QVariant CursorMemoria::valorSeguinte(int campo) const
{
    return temSeguinte() ? m_linhas[m_atual + 1].value(campo) : QVariant();
}

// --- CursorClientDataSet ------------------------------------------------------------------------

CursorClientDataSet::CursorClientDataSet(ClientDataSet &dados) : m_dados(dados)
{
}

QStringList CursorClientDataSet::campos() const
{
    return m_dados.nomesCampos();
}

bool CursorClientDataSet::proxima()
{
    if (m_atual < m_dados.recordCount())
        ++m_atual;
    if (m_atual + 1 >= m_dados.recordCount() && !m_dados.tudoLido())
        m_dados.buscaMais(); // the look-ahead row may be in the next packet
    return m_atual < m_dados.recordCount();
}

QVariant CursorClientDataSet::valor(int campo) const
{
    if (m_atual < 0 || m_atual >= m_dados.recordCount())
        return {};
    return m_dados.valor(m_atual, campo);
}

bool CursorClientDataSet::temSeguinte() const
{
    return m_atual + 1 < m_dados.recordCount();
}

QVariant CursorClientDataSet::valorSeguinte(int campo) const
{
    return temSeguinte() ? m_dados.valor(m_atual + 1, campo) : QVariant();
}

// --- CursorConsulta -----------------------------------------------------------------------------

CursorConsulta::CursorConsulta(QSqlQuery &consulta) : m_q(consulta)
{
    const QSqlRecord r = m_q.record();
    for (int i = 0; i < r.count(); ++i)
        m_campos << r.fieldName(i);
}

void CursorConsulta::reinicia()
{
    if (m_usada) {
        // bound values stay with a prepared statement; a statement run from its text runs again
        const bool ok = m_q.boundValues().isEmpty() ? m_q.exec(m_q.lastQuery()) : m_q.exec();
        if (!ok)
            throw OrbelError(QStringLiteral("Erro ao ler os dados do relatório.\r\n") +
                             m_q.lastError().text());
    }
    m_usada = true;
    m_temAtual = false;
    m_atual.clear();
    leSeguinte();
}

void CursorConsulta::leSeguinte()
{
    m_temSeguinte = m_q.isActive() && m_q.next();
    if (!m_temSeguinte && m_q.lastError().isValid())
        throw OrbelError(QStringLiteral("Erro ao ler os dados do relatório.\r\n") + m_q.lastError().text());
    if (!m_temSeguinte) {
        m_seguinte.clear();
        return;
    }
    const int n = int(m_campos.size());
    m_seguinte.resize(n);
    for (int i = 0; i < n; ++i)
        m_seguinte[i] = m_q.value(i);
}

bool CursorConsulta::proxima()
{
    if (!m_usada)
        reinicia();
    std::swap(m_atual, m_seguinte);
    m_temAtual = m_temSeguinte;
    if (m_temAtual)
        leSeguinte();
    else
        m_atual.clear();
    return m_temAtual;
}

QVariant CursorConsulta::valor(int campo) const
{
    return m_temAtual ? m_atual.value(campo) : QVariant();
}

QVariant CursorConsulta::valorSeguinte(int campo) const
{
    return m_temSeguinte ? m_seguinte.value(campo) : QVariant();
}
