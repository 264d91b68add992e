#include "reports/configuracaorelatorios.h"

#include "data/tdmprincipal.h"
#include "reports/exportacsv.h"
#include "reports/tabelarelatorios.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QDir>
#include <QSqlError>

namespace
{
const QString kUltimoMunicipio = QStringLiteral("ULTIMOMUNICREL");
} // namespace

const QStringList &ConfiguracaoRelatorios::TextosModos()
{
    static const QStringList t{QStringLiteral("Todos os Municípios (Agrupados)"),
                               QStringLiteral("Todos os Municípios (Separados)"),
                               QStringLiteral("Apenas o Município")};
    return t;
}

const QStringList &ConfiguracaoRelatorios::TextosIndices()
{
    static const QStringList t{QStringLiteral("Provisório"), QStringLiteral("Definitivo")};
    return t;
}

ConfiguracaoRelatorios::ConfiguracaoRelatorios(TdmPrincipal &dm, UserInterface &ui, SaidaRelatorio *saida,
                                               TContextoRelatorio &contexto)
    : m_dm(dm), m_ui(ui), m_saida(saida), m_ctx(contexto)
{
}

void ConfiguracaoRelatorios::mudou()
{
    if (m_aoMudar)
        m_aoMudar();
}

void ConfiguracaoRelatorios::cria()
{
    // CarregaMunicipios, on the shared report query
    QSqlQuery &q = m_dm.SQLRel();
    q.finish();
    if (!q.exec(QStringLiteral("SELECT MUNIC_CODIGO, MUNIC_NOME FROM MUNICIPIOS ORDER BY MUNIC_NOME")))
        throw OrbelError(q.lastError().text());
    m_nomes.clear();
    m_codigos.clear();
    while (q.next()) {
        m_codigos << q.value(0).toString();
        m_nomes << q.value(1).toString();
    }
    const QSqlError erro = q.lastError();
    q.finish();
    if (erro.isValid())
        throw OrbelError(erro.text());
    m_municipio = m_nomes.isEmpty() ? -1 : 0;

    const QString ultimo = m_dm.LeParametro(kUltimoMunicipio).trimmed();
    if (!ultimo.isEmpty())
        m_municipio = int(m_codigos.indexOf(ultimo));
    mudou();
}

void ConfiguracaoRelatorios::mostra()
{
    m_ctx.AnoBase = m_dm.LeParametro(QStringLiteral("ANOEXERCICIO"));
    m_municipioHabilitado = false;
    regraRelatorio();
    regraModo();
    mudou();
}

void ConfiguracaoRelatorios::regraRelatorio()
{
    m_indiceHabilitado = TabelaRelatorios::UsaIndice(m_relatorio);
    m_agrupadosHabilitado = TabelaRelatorios::PermiteAgrupados(m_relatorio);
    if (!m_agrupadosHabilitado && m_modo != Separados) {
        m_modo = Separados;
        regraModo();
    }
}

void ConfiguracaoRelatorios::regraModo()
{
    if (m_modo == ApenasMunicipio) {
        m_municipioHabilitado = true;
        m_ctx.AvisaUsuario = true;
        m_excelHabilitado = true;
        m_impressoraHabilitado = true;
    } else {
        m_municipioHabilitado = false;
        m_ctx.AvisaUsuario = false;
        m_excel = true;
        m_excelHabilitado = false;
        m_impressora = false;
        m_impressoraHabilitado = false;
    }
}

void ConfiguracaoRelatorios::escolheRelatorio(int item)
{
    if (item < 0 || item >= TabelaRelatorios::Quantidade || item == m_relatorio)
        return;
    m_relatorio = item;
    regraRelatorio();
    mudou();
}

void ConfiguracaoRelatorios::escolheModo(int modo)
{
    if (modo < Agrupados || modo > ApenasMunicipio || modo == m_modo)
        return;
    if (modo == Agrupados && !m_agrupadosHabilitado)
        return;
    m_modo = modo;
    regraModo();
    mudou();
}

void ConfiguracaoRelatorios::escolheMunicipio(int posicao)
{
    m_municipio = posicao >= 0 && posicao < m_nomes.size() ? posicao : -1;
    mudou();
}

void ConfiguracaoRelatorios::escolheIndice(int indice)
{
    m_indice = indice == 0 || indice == 1 ? indice : -1;
    mudou();
}

void ConfiguracaoRelatorios::marcaGeraArquivoExcel(bool marcado)
{
    m_excel = marcado;
    if (marcado)
        m_impressora = false;
    mudou();
}

void ConfiguracaoRelatorios::marcaDiretoImpressora(bool marcado)
{
    m_impressora = marcado;
    if (marcado)
        m_excel = false;
    mudou();
}

void ConfiguracaoRelatorios::habilitaOpcoes(bool sim)
{
    m_relatoriosHabilitado = sim;
    m_modoHabilitado = sim;
    m_indiceHabilitado = sim;
    m_excelHabilitado = sim;
    m_impressoraHabilitado = sim;
}

void ConfiguracaoRelatorios::executa(int item, bool separados, const QDate &hoje)
{
    ExecucaoRelatorio exec{m_dm, m_ui, m_ctx};
    exec.indice = m_indice == 1 ? u'D' : u'P';
    exec.geraArquivoExcel = m_excel;
    exec.diretoImpressora = m_impressora;
    exec.saida = m_saida;
    exec.dia = hoje;
    exec.momento = m_momento;
    m_ui.processaEventos();
    TabelaRelatorios::Operacao(item, separados)(exec);
}

void ConfiguracaoRelatorios::gera(const QDate &hoje)
{
    const int item = m_relatorio;
    if (!TabelaRelatorios::Operacao(item, m_modo == Separados)) {
        m_ui.informa(QStringLiteral("Impressão"), TabelaRelatorios::AvisoIndisponivel(item));
        return;
    }

    // D7 on every path: the options come back, and their rules with them
    struct Reabilita {
        ConfiguracaoRelatorios &c;
        ~Reabilita()
        {
            c.habilitaOpcoes(true);
            c.regraRelatorio();
            // the mode may not have changed: its rule still decides the municipality and the boxes
            c.regraModo();
            c.mudou();
        }
    } reabilita{*this};

    // The municipality to remember is the one the clerk chose; the walks and "all together" choose none.
    if (m_modo == ApenasMunicipio && m_municipio >= 0)
        m_dm.GravaParametro(kUltimoMunicipio, m_codigos[m_municipio]);

    if (m_indice < 0)
        throw OrbelError(QStringLiteral("Favor informar o índice"));
    const QString chave =
        m_indice == 1 ? QStringLiteral("DATALIMITE_DEFINITIVO") : QStringLiteral("DATALIMITE_PROVISORIO");
    m_ctx.DataLimite = ConverteData(m_dm.LeParametro(chave));
    if (m_ctx.DataLimite.isEmpty())
        throw OrbelError(
            QStringLiteral("Favor inserir data limite na tela de configutrações de parametros."));
    if (m_modo == ApenasMunicipio && m_municipio < 0)
        throw OrbelError(QStringLiteral("Favor selecionar o município"));

    habilitaOpcoes(false);
    mudou();
    m_ui.processaEventos();

    if (m_modo == Agrupados) {
        m_ctx.CodigoMunicipio = QStringLiteral("0");
        m_ctx.NomeMunicipio = QStringLiteral("Todos os Municípios");
        m_excel = true;
        if (TabelaRelatorios::PermiteAgrupados(item))
            executa(item, false, hoje);
    } else if (m_modo == Separados) {
        ClientDataSet &municipios = m_dm.cdsMunicipios;
        for (int linha = 0; linha < municipios.recordCount(); ++linha) {
            m_ctx.CodigoMunicipio = municipios.valor(linha, QStringLiteral("MUNIC_CODIGO")).toString();
            m_ctx.NomeMunicipio = municipios.valor(linha, QStringLiteral("MUNIC_NOME")).toString();
            m_excel = true;
            executa(item, true, hoje);
            if (item == TabelaRelatorios::Indices)
                break; // one file for every municipality
            m_ui.processaEventos();
        }
    } else {
        m_ctx.CodigoMunicipio = m_codigos[m_municipio];
        m_ctx.NomeMunicipio = m_nomes[m_municipio];
        executa(item, false, hoje);
        return;
    }

    QString pasta = QDir::toNativeSeparators(PastaRelatoriosDoDia(hoje));
    pasta.chop(1);
    m_ui.informa(QStringLiteral("Finalização da Exportação"),
                 QStringLiteral("Relatórios exportados com sucesso!\r\nArquivos salvos na pastas: ") + pasta);
    if (m_ui.pergunta(QStringLiteral("Confirmação"), QStringLiteral("Abrir pasta com os Relatórios?")))
        m_ui.abrePasta(PastaRelatoriosDoDia(hoje));
}
