#include "capture/declaracaoatual.h"

#include "capture/conversoesretorno.h"
#include "shell/formatacao.h"

#include <QDateTime>

using namespace RegistrosDeclaracao;

DeclaracaoAtual::DeclaracaoAtual(double proximo, std::map<double, qint64> historicos,
                                 const QString &retornoCodigo)
    : m_proximo(proximo), m_atual(proximo), m_historicos(std::move(historicos)),
      m_retornoCodigo(retornoCodigo)
{
    // a record 02 before any 0A still gets the current number, never 0
    m_cabecalho[QStringLiteral("DEC_ID")] = m_atual;
    m_cabecalho[QStringLiteral("RETORNO_CODIGO")] = m_retornoCodigo;
    limpaCabecalho();
}

void DeclaracaoAtual::inicia(const Atribuicoes &campos)
{
    m_detalhesGravados = false;
    m_situacaoConhecida = false;
    m_atual = m_proximo;
    m_cabecalho[QStringLiteral("DEC_ID")] = m_atual;
    m_cabecalho[QStringLiteral("RETORNO_CODIGO")] = m_retornoCodigo;
    guarda(campos);
    limpaCabecalho();
}

void DeclaracaoAtual::guarda(const Atribuicoes &campos)
{
    for (const Atribuicao &x : campos)
        m_cabecalho[x.parametro] = x.valor;
}

void DeclaracaoAtual::declaracaoGravada()
{
    m_primeiraEntrega = QDate();
    m_situacao.clear();
    limpaCabecalho();
    m_proximo += 1;
}

void DeclaracaoAtual::somaOutrasEntradas(QStringView campo)
{
    const double o = ConversoesRetorno::Valor(m_anteriores.outras) + ConversoesRetorno::Valor(campo);
    m_anteriores.outras = Formatacao::numeroDecimal(o).rightJustified(15, u'0');
}

void DeclaracaoAtual::limpaCabecalho()
{
    static const QString textos[] = {QStringLiteral("MUNIC_CODIGO"),   QStringLiteral("DEC_NOME"),
                                     QStringLiteral("DAMEF_CODIGO"),   QStringLiteral("TIPO_CONTRIB_CODIGO"),
                                     QStringLiteral("REG_CODIGO"),     QStringLiteral("DEC_SUBSTITUICAO"),
                                     QStringLiteral("DEC_MUDOUMUNIC"), QStringLiteral("DEC_PROTOCOLO"),
                                     QStringLiteral("DEC_IRREGULAR"),  QStringLiteral("ESCRITA_CONTABIL"),
                                     QStringLiteral("CNAEF_ID"),       QStringLiteral("DESMEMBRAMENTO"),
                                     QStringLiteral("NOME_MUNICIPIO")};
    static const QString datas[] = {QStringLiteral("DEC_ENTREGA_DATA"), QStringLiteral("DEC_PRIM_ENTREGA"),
                                    QStringLiteral("DEC_PROCESSAMENTO")};
    for (const QString &c : textos)
        m_cabecalho[c] = QString();
    m_cabecalho[QStringLiteral("DEC_EXERCICIO")] = 0;
    // the clock is read at most a few times a second: reading it costs more than a line
    if (!m_relogio.isValid() || m_relogio.elapsed() >= 250) {
        const QDateTime agora = QDateTime::currentDateTime();
        m_hoje = agora.date();
        m_horaAtual = QTime(agora.time().hour(), agora.time().minute(), agora.time().second());
        m_relogio.start();
    }
    for (const QString &c : datas)
        m_cabecalho[c] = m_hoje;
    m_cabecalho[QStringLiteral("DEC_ENTREGA_HORA")] = m_horaAtual;
}

void DeclaracaoAtual::situacaoGravada(const QString &situacao)
{
    m_situacaoConhecida = true;
    m_situacaoNoBanco = situacao;
    m_primeiraNoBanco = m_primeiraEntrega;
}

DeclaracaoAtual::Escrita DeclaracaoAtual::evento(const Evento &e)
{
    Escrita w;
    if (!m_primeiraEntrega.isValid())
        m_primeiraEntrega = e.entrega;
    w.primeiraEntrega = m_primeiraEntrega;
    if (!m_detalhesGravados) {
        m_detalhesGravados = true;
        w.detalhes = true;
    }
    bool recusa = false;
    for (const QString &s : e.erros)
        recusa = recusa || RecusaDeclaracao(s);
    if (m_situacao != QLatin1String("E"))
        m_situacao = recusa ? QStringLiteral("R") : QStringLiteral("E");
    if (m_situacao == QLatin1String("E") && !recusa) {
        w.atualizacaoCompleta = true;
        m_ultimoRegimeCompleto = e.regime;
        situacaoGravada(QStringLiteral("E"));
    }
    // the situation update is skipped when the row already holds what it would write
    if (!m_situacaoConhecida || m_situacaoNoBanco != m_situacao || m_primeiraNoBanco != m_primeiraEntrega) {
        w.situacao = true;
        w.situacaoNova = m_situacao;
        situacaoGravada(m_situacao);
    }
    // numbers of this run can only meet rows left by earlier ones
    w.historico = ++m_historicos[m_atual];
    // while the last complete event was of regime 58 the carried other entries start from zero
    if (m_ultimoRegimeCompleto == QLatin1String("58"))
        m_anteriores.outras = QStringLiteral("000000000000000");
    return w;
}
