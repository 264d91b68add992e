#include "browse/navegadeclaracoes.h"

#include "browse/pesquisa.h"
#include "data/executasql.h"
#include "data/tdmprincipal.h"
#include "shell/conversao.h"

NavegaDeclaracoes::NavegaDeclaracoes(TdmPrincipal &dm, UserInterface &ui) : m_dm(dm), m_ui(ui)
{
}

// Close, give the statement, open. The base year is read at each statement and bound, as is the text.
void NavegaDeclaracoes::defineSql(const QString &condicao, const QString &valor)
{
    ClientDataSet &d = m_dm.cdsDeclaracoes;
    d.close();
    d.limpaParametros();
    d.setCommandText(QStringLiteral("SELECT * FROM DECLARACOES WHERE ") + condicao +
                     QStringLiteral("DECLARACOES.DEC_EXERCICIO=:ANO ORDER BY DECLARACOES.DEC_IE,DEC_NOME"));
    d.setParametro(QStringLiteral("ANO"), StrToInt(m_dm.LeParametro(QStringLiteral("ANOEXERCICIO"))));
    if (!valor.isNull())
        d.setParametro(QStringLiteral("TEXTO"), valor);
    d.open(m_dm.MainConnection());
}

void NavegaDeclaracoes::abre()
{
    m_dm.DesligaDetalhesDeclaracao();
    defineSql(QString());
    // only what the browser shows follows the current row
    m_dm.cdsDec_Vaf.setMestreParametros(&m_dm.cdsDeclaracoes);
    m_dm.cdsDec_Historico.setMestreParametros(&m_dm.cdsDeclaracoes);
    m_dm.cdsHist_Erros.setMestreParametros(&m_dm.cdsDec_Historico);
    m_dm.cdsDec_Estoque.setMestreParametros(&m_dm.cdsDeclaracoes);
    m_dm.cdsDeclaracoes.setSomenteLeitura(true);
}

QString NavegaDeclaracoes::titulo() const
{
    QSqlQuery q = ExecutaSql(m_dm.MainConnection(), QStringLiteral("SELECT COUNT(*) FROM DECLARACOES"));
    const qlonglong n = q.next() ? q.value(0).toLongLong() : 0;
    return QStringLiteral("Declarações (%1 REGISTROS)").arg(n);
}

bool NavegaDeclaracoes::pesquisa(Campo campo, const QString &texto, bool pressionado)
{
    switch (ClassificaPesquisa(texto, m_ui)) {
    case Pesquisa::Refusada:
        return pressionado;
    case Pesquisa::Todos:
        defineSql(QString());
        return false;
    case Pesquisa::Prefixo:
        break;
    }
    const CondicaoPrefixo c =
        Prefixo(campo == InscricaoEstadual ? QStringLiteral("DEC_IE") : QStringLiteral("DEC_NOME"), texto);
    defineSql(c.sql + QStringLiteral(" AND "), c.valor);
    return true;
}

void NavegaDeclaracoes::status(Status s)
{
    defineSql(s == Aceitas     ? QStringLiteral("DEC_SITUACAO ='E' AND ")
              : s == Recusadas ? QStringLiteral("DEC_SITUACAO ='R' AND ")
                               : QString());
}

void NavegaDeclaracoes::fecha()
{
    m_dm.cdsDeclaracoes.setSomenteLeitura(false);
    m_dm.LiberaCursores(); // a half-read list must not hold the tables a capture switches indexes on
}
