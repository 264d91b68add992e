#include "reports/passosrelatorio.h"

#include "data/tdmprincipal.h"
#include "reports/cursorcamposdeclarados.h"
#include "reports/exportacsv.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QSqlError>

PassosRelatorio::PassosRelatorio(ExecucaoRelatorio &exec, LayoutRelatorio &layout)
    : m_exec(exec), m_layout(layout)
{
    if (exec.momento.isValid())
        layout.setDataHoraImpressao(exec.momento);
}

PassosRelatorio::~PassosRelatorio()
{
    fechaAviso();
    m_layout.setCursor(nullptr);
    m_cursor.reset();
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
    m_cursor = std::make_unique<CursorCamposDeclarados>(cds, m_layout.camposDeclarados());
    m_cursor->reinicia();
    fechaAviso();
    m_exec.ui.processaEventos();
    m_layout.setCursor(m_cursor.get());
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
    m_cursor = std::make_unique<CursorConsulta>(q);
    m_cursor->reinicia(); // the first row arrives under the notice
    fechaAviso();
    m_exec.ui.processaEventos();
    m_layout.setCursor(m_cursor.get());
}

QString PassosRelatorio::primeiro(const QString &coluna)
{
    return Formatacao::textoSimples(m_cursor->valorSeguinte(coluna));
}

void PassosRelatorio::saida(const QString &sufixoArquivo)
{
    m_layout.setLegenda(QStringLiteral("qrpLabelAno"), m_exec.contexto.AnoBase);
    if (m_exec.geraArquivoExcel) {
        ExportaCSV(m_exec.ui, *m_cursor, m_exec.contexto.CodigoMunicipio + sufixoArquivo,
                   m_exec.contexto.AvisaUsuario, m_exec.dia,
                   m_layout.cdsRel.active() && m_layout.cdsRel.emEdicao());
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
