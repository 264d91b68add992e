#include "reports/passosrelatorio.h"

#include "data/tdmprincipal.h"
#include "reports/exportacsv.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QSqlError>

PassosRelatorio::PassosRelatorio(ExecucaoRelatorio &exec, LayoutRelatorio &layout)
    : m_exec(exec), m_layout(layout)
{
}

PassosRelatorio::~PassosRelatorio()
{
    fechaAviso();
    m_layout.setFonte(nullptr);
    m_fonte.reset();
    m_layout.cdsRel.close();
    if (m_compartilhada)
        m_exec.dm.SQLRel().finish(); // no transaction stays open behind a report
}

void PassosRelatorio::mostraAviso()
{
    m_exec.ui.aguarde(QStringLiteral("  Gerando relatório de ") + m_exec.contexto.NomeMunicipio +
                      QStringLiteral(". Por favor aguarde.  "));
    m_avisoAberto = true;
    m_exec.ui.processaEventos();
}

void PassosRelatorio::fechaAviso()
{
    if (m_avisoAberto)
        m_exec.ui.aguarde(QString());
    m_avisoAberto = false;
}

void PassosRelatorio::abreConsultaPropria(const QVariantMap &parametros)
{
    ClientDataSet &cds = m_layout.cdsRel;
    cds.close();
    cds.limpaParametros();
    for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
        cds.setParametro(it.key(), it.value());
    mostraAviso();
    cds.open(m_exec.dm.MainConnection());
    fechaAviso();
    m_exec.ui.processaEventos();
    m_fonte = std::make_unique<FonteConjunto>(cds, m_layout.camposDeclarados());
    m_layout.setFonte(m_fonte.get());
}

void PassosRelatorio::abreConsultaCompartilhada(const QString &sql, const QVariantList &valores)
{
    QSqlQuery &q = m_exec.dm.SQLRel();
    q.finish();
    m_compartilhada = true;
    if (!q.prepare(sql))
        throw OrbelError(q.lastError().text());
    for (int i = 0; i < valores.size(); ++i)
        q.bindValue(i, valores[i]);
    mostraAviso();
    if (!q.exec())
        throw OrbelError(q.lastError().text());
    m_fonte = std::make_unique<FonteConsulta>(q);
    m_fonte->haSeguinte(); // the first row arrives under the notice
    fechaAviso();
    m_exec.ui.processaEventos();
    m_layout.setFonte(m_fonte.get());
}

QString PassosRelatorio::primeiro(const QString &coluna)
{
    return Formatacao::textoSimples(m_fonte->valorSeguinte(coluna));
}

void PassosRelatorio::saida(const QString &sufixoArquivo)
{
    m_layout.setLegenda(QStringLiteral("qrpLabelAno"), m_exec.contexto.AnoBase);
    if (m_exec.geraArquivoExcel) {
        ExportaCSV(m_exec.ui, *m_fonte, m_exec.contexto.CodigoMunicipio + sufixoArquivo,
                   m_exec.contexto.AvisaUsuario, m_exec.dia);
        return;
    }
    if (!m_exec.saida)
        throw OrbelError(
            QStringLiteral("Não há onde mostrar o relatório: escolha a exportação para arquivo."));
    if (m_exec.diretoImpressora)
        m_exec.saida->imprime(m_layout);
    else
        m_exec.saida->visualiza(m_layout);
}

QDate DataDoContexto(const QString &dataLimite)
{
    return Formatacao::leData(QString(dataLimite).replace(u'.', u'/'));
}
