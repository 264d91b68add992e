#include "capture/gravacaoretorno.h"

#include "capture/conversoesretorno.h"
#include "capture/detalhespendentes.h"
#include "capture/tiporegistro.h"
#include "data/errodisco.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"

#include <QStringList>
#include <set>

using namespace RegistrosDeclaracao;

GravacaoRetorno::GravacaoRetorno(TransacaoEmLote &transacao, const QSqlDatabase &db)
    : m_tx(transacao), m_db(db)
{
}

GravacaoRetorno::~GravacaoRetorno() = default;

InsercaoEmLote &GravacaoRetorno::comando(const QString &sql)
{
    auto it = m_comandos.find(sql);
    if (it == m_comandos.end()) {
        it = m_comandos.emplace(sql, std::make_unique<InsercaoEmLote>(m_tx, sql)).first;
        it->second->zera();
    }
    return *it->second;
}

// One insert for every column of a table, each parameter named as its column.
InsercaoEmLote &GravacaoRetorno::insercaoCompleta(const QString &tabela)
{
    if (InsercaoEmLote *c = m_porTabela.value(tabela))
        return *c;
    QStringList colunas;
    QSqlQuery q = ExecutaSql(m_db,
                             QStringLiteral("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE "
                                            "RDB$RELATION_NAME = ? ORDER BY RDB$FIELD_POSITION"),
                             {tabela});
    while (q.next())
        colunas << q.value(0).toString().trimmed();
    QStringList parametros;
    for (const QString &c : colunas)
        parametros << u':' + c;
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(tabela, colunas.join(u','), parametros.join(u','));
    InsercaoEmLote &c = comando(sql);
    m_porTabela[tabela] = &c;
    return c;
}

void GravacaoRetorno::preparaComandos()
{
    insercaoCompleta(QStringLiteral("DECLARACOES"));
    for (const QString &t : DetalhesPendentes::Tabelas())
        insercaoCompleta(t);
    insercaoCompleta(QStringLiteral("DEC_VAF"));
    insercaoCompleta(QStringLiteral("DEC_VAFDETALHES"));
    insercaoCompleta(QStringLiteral("MUNIC_VAFA"));
    insercaoCompleta(QStringLiteral("MUNIC_VAFB"));
    insercaoCompleta(QStringLiteral("MUNIC_INDICES"));
    insercaoCompleta(QStringLiteral("HISTORICO"));
    insercaoCompleta(QStringLiteral("HIST_ERROS"));
}

double GravacaoRetorno::maiorDecId()
{
    // in the capture's transaction: a replaced municipality's numbers are free again
    InsercaoEmLote q(m_tx, QStringLiteral("SELECT MAX(DEC_ID) FROM DECLARACOES"));
    q.executa();
    return q.proxima() ? q.texto(0).toDouble() : 0;
}

std::map<double, qint64> GravacaoRetorno::historicosDesde(double decId)
{
    std::map<double, qint64> maiores;
    InsercaoEmLote q(m_tx, QStringLiteral("SELECT DEC_ID, MAX(HISTORICO_ID) FROM HISTORICO WHERE DEC_ID >= ? "
                                          "GROUP BY DEC_ID"));
    q.setDouble(0, decId);
    q.executa();
    while (q.proxima())
        maiores[q.texto(0).toDouble()] = q.texto(1).toLongLong();
    return maiores;
}

bool GravacaoRetorno::temColuna(const QString &tabela, const QString &coluna)
{
    return insercaoCompleta(tabela).indice(coluna) >= 0;
}

void GravacaoRetorno::grava(const QString &tabela, const Atribuicoes &valores, const QVariant &decId)
{
    InsercaoEmLote &c = insercaoCompleta(tabela);
    c.zera();
    if (decId.isValid())
        c.setDouble(QStringLiteral("DEC_ID"), decId.toDouble());
    for (const Atribuicao &a : valores)
        c.setValor(a.parametro, a.valor);
    c.executa();
}

void GravacaoRetorno::gravaDeclaracao(const QHash<QString, QVariant> &cabecalho)
{
    InsercaoEmLote &c = insercaoCompleta(QStringLiteral("DECLARACOES"));
    c.zera();
    for (auto it = cabecalho.cbegin(); it != cabecalho.cend(); ++it)
        if (const int i = c.indice(it.key()); i >= 0)
            c.setValor(i, it.value());
    c.executa();
}

void GravacaoRetorno::gravaDetalhes(DetalhesPendentes &pendentes, const QString &regime, double decId,
                                    const std::function<void(const std::exception &)> &falhaResultados)
{
    pendentes.calculaTotais(regime);
    for (const QString &tabela : DetalhesPendentes::Tabelas()) {
        InsercaoEmLote &c = insercaoCompleta(tabela);
        c.zera();
        c.setDouble(QStringLiteral("DEC_ID"), decId);
        // only what records gave or totals computed; zera() put 0 in every other column
        const QHash<QString, double> &valores = pendentes.valores(tabela);
        for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
            const int i = c.indice(it.key());
            if (i >= 0 && it.key() != QLatin1String("DEC_ID"))
                c.setDouble(i, it.value());
        }
        try {
            c.executa();
        } catch (const std::exception &e) {
            RelancaSeErroDisco(e);
            if (tabela != QLatin1String("DEC_DRO"))
                throw;
            falhaResultados(e);
            continue;
        }
        pendentes.limpa(tabela);
    }
}

void GravacaoRetorno::grava(const TTipoRegistro &registro)
{
    // one statement per record type, prepared at its first record
    InsercaoEmLote *&c = m_porTipo[registro.tipo()];
    if (!c)
        c = &comando(registro.DefineSQL());
    registro.Grava(*c);
}

void GravacaoRetorno::retiraAtivo(const QString &ie)
{
    // in the import's own transaction: one commit per SIMEI taxpayer would cost a disk flush each
    if (!m_retiraAtivo)
        m_retiraAtivo = &comando(QStringLiteral("DELETE FROM ATIVOS WHERE IE = :IE"));
    m_retiraAtivo->setTexto(0, ie);
    m_retiraAtivo->executa();
}

void GravacaoRetorno::gravaTotais(const RegistrosMunicipio::Totais &t)
{
    // with every value bound, so a decimal comma in the total cannot break the statement
    if (!m_totais)
        m_totais =
            &comando(QStringLiteral("UPDATE OR INSERT INTO MUNIC_TOTAIS (MUNIC_CODIGO, TOTALREG, TOTALVAF, "
                                    "DATAINIPROC, DATAFIMPROC) VALUES (:MUNIC_CODIGO, :TOTALREG, :TOTALVAF, "
                                    ":DATAINIPROC, :DATAFIMPROC) MATCHING (MUNIC_CODIGO)"));
    m_totais->setTexto(QStringLiteral("MUNIC_CODIGO"), t.municipio);
    m_totais->setTexto(QStringLiteral("TOTALREG"), t.totalReg);
    m_totais->setDouble(QStringLiteral("TOTALVAF"), t.totalVaf);
    m_totais->setTexto(QStringLiteral("DATAINIPROC"), t.dataInicio);
    m_totais->setTexto(QStringLiteral("DATAFIMPROC"), t.dataFim);
    m_totais->executa();
}

void GravacaoRetorno::atualizaDeclaracao(const Evento &e, const QDate &primeiraEntrega,
                                         const QString &retornoCodigo, double decId)
{
    if (!m_atualizacaoCompleta)
        m_atualizacaoCompleta = &comando(
            QStringLiteral("UPDATE DECLARACOES SET MUNIC_CODIGO = :MUNIC_CODIGO, DEC_EXERCICIO = "
                           ":DEC_EXERCICIO, DEC_ENTREGA_DATA = "
                           ":DEC_ENTREGA_DATA, DEC_ENTREGA_HORA = :DEC_ENTREGA_HORA, DEC_PRIM_ENTREGA = "
                           ":DEC_PRIM_ENTREGA, "
                           "DEC_PROCESSAMENTO = :DEC_PROCESSAMENTO, DAMEF_CODIGO = :DAMEF_CODIGO, "
                           "TIPO_CONTRIB_CODIGO = "
                           ":TIPO_CONTRIB_CODIGO, REG_CODIGO = :REG_CODIGO, DEC_IRREGULAR = :DEC_IRREGULAR, "
                           "DEC_SUBSTITUICAO = "
                           ":DEC_SUBSTITUICAO, DEC_PROTOCOLO = :DEC_PROTOCOLO, RESP_CGC_CPF = :RESP_CGC_CPF, "
                           "RETORNO_CODIGO = "
                           ":RETORNO_CODIGO, DEC_SITUACAO = :DEC_SITUACAO WHERE DEC_ID = :DEC_ID"));
    InsercaoEmLote &u = *m_atualizacaoCompleta;
    u.zera();
    u.setTexto(QStringLiteral("MUNIC_CODIGO"), e.municipio);
    u.setValor(QStringLiteral("DEC_EXERCICIO"), e.exercicio);
    u.setValor(QStringLiteral("DEC_ENTREGA_DATA"), e.entrega);
    u.setValor(QStringLiteral("DEC_ENTREGA_HORA"), e.horaEntrega);
    u.setValor(QStringLiteral("DEC_PRIM_ENTREGA"), primeiraEntrega);
    u.setValor(QStringLiteral("DEC_PROCESSAMENTO"), e.processamento);
    u.setTexto(QStringLiteral("DAMEF_CODIGO"), e.damef);
    u.setTexto(QStringLiteral("TIPO_CONTRIB_CODIGO"), e.tipo);
    u.setTexto(QStringLiteral("REG_CODIGO"), e.regime);
    u.setTexto(QStringLiteral("DEC_IRREGULAR"), QStringLiteral("S"));
    u.setTexto(QStringLiteral("DEC_SUBSTITUICAO"), ConversoesRetorno::FlagSN(e.substituicao));
    u.setTexto(QStringLiteral("DEC_PROTOCOLO"), e.protocolo);
    u.setTexto(QStringLiteral("RESP_CGC_CPF"), e.respCgcCpf);
    u.setTexto(QStringLiteral("RETORNO_CODIGO"), retornoCodigo);
    u.setTexto(QStringLiteral("DEC_SITUACAO"), QStringLiteral("E"));
    u.setDouble(QStringLiteral("DEC_ID"), decId);
    u.executa();
}

void GravacaoRetorno::atualizaSituacao(const QString &situacao, const QDate &primeiraEntrega, double decId)
{
    if (!m_atualizacaoSituacao)
        m_atualizacaoSituacao =
            &comando(QStringLiteral("UPDATE DECLARACOES SET DEC_SITUACAO = :DEC_SITUACAO, "
                                    "DEC_PRIM_ENTREGA = :DEC_PRIM_ENTREGA WHERE DEC_ID = :DEC_ID"));
    InsercaoEmLote &s = *m_atualizacaoSituacao;
    s.zera();
    s.setTexto(QStringLiteral("DEC_SITUACAO"), situacao);
    s.setValor(QStringLiteral("DEC_PRIM_ENTREGA"), primeiraEntrega);
    s.setDouble(QStringLiteral("DEC_ID"), decId);
    s.executa();
}

void GravacaoRetorno::gravaHistorico(const Evento &e, qint64 numero, double decId)
{
    QStringList espacos;
    for (const QString &x : e.erros)
        espacos << x;
    const Atribuicoes h{{{}, QStringLiteral("HISTORICO_ID"), numero},
                        {{}, QStringLiteral("HIST_DATA"), e.entrega},
                        {{}, QStringLiteral("HIST_HORA"), e.horaEntrega},
                        {{}, QStringLiteral("HIST_EXERCICIO"), e.exercicioTexto},
                        {{}, QStringLiteral("HIST_PROCESS"), e.processamento},
                        {{}, QStringLiteral("HIST_ROTEIRO"), e.damef},
                        {{}, QStringLiteral("HIST_PROTOCOLO"), e.protocolo},
                        {{}, QStringLiteral("HIST_REGFINAL"), e.regimeFinal},
                        {{}, QStringLiteral("HIST_TIPO"), e.tipo},
                        {{}, QStringLiteral("HIST_SUBSTITUI"), e.substituicao},
                        {{}, QStringLiteral("HIST_ENTRADAS"), e.entradas},
                        {{}, QStringLiteral("HIST_OUTRASENT"), e.outrasEntradas},
                        {{}, QStringLiteral("HIST_SAIDAS"), e.saidas},
                        {{}, QStringLiteral("HIST_VAF"), e.vaf},
                        {{}, QStringLiteral("HIST_ERROS"), espacos.join(u' ')},
                        {{}, QStringLiteral("DEC_VALIDACAO"), e.validacao},
                        {{}, QStringLiteral("HIST_RESPCPFCGC"), e.respCgcCpf},
                        {{},
                         QStringLiteral("HIST_SITUACAO"),
                         RecusaHistorico(e.erros[0]) ? QStringLiteral("R") : QStringLiteral("E")}};
    grava(QStringLiteral("HISTORICO"), h, decId);
    std::set<QString> codigos;
    for (const QString &x : e.erros)
        if (x.trimmed() != QLatin1String("00"))
            codigos.insert(x);
    for (const QString &codigo : codigos)
        grava(QStringLiteral("HIST_ERROS"),
              {{{}, QStringLiteral("HISTORICO_ID"), numero}, {{}, QStringLiteral("ERRO_CODIGO"), codigo}},
              decId);
}
