#include "capture/importaretorno.h"

#include "capture/camposfixos.h"
#include "capture/conversoesretorno.h"
#include "capture/detalhespendentes.h"
#include "capture/registrosdeclaracao.h"
#include "capture/registrosmunicipio.h"
#include "capture/tiporegistro.h"
#include "data/aguarde.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "shell/formatacao.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"
#include "shell/tspprogress.h"
#include "shell/userinterface.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <set>

using namespace RegistrosDeclaracao;
using CamposFixos::campo;

namespace
{

const QString kZeros13 = QStringLiteral("0000000000000");
const char *const kRefusaDeclaracao[] = {"01", "03", "06", "13", "14", "15", "17", "18"};
const char *const kRefusaHistorico[] = {"01", "02", "03", "04", "05", "06", "07",
                                        "08", "13", "14", "15", "17", "18"};

template <size_t N> bool contem(const char *const (&lista)[N], const QString &codigo)
{
    for (const char *c : lista)
        if (codigo == QLatin1String(c))
            return true;
    return false;
}

QString agora()
{
    return Formatacao::dataHora(QDateTime::currentDateTime());
}

// The shortest decimal text of a value, with a decimal comma.
QString textoDecimal(double v)
{
    QString s = QString::number(v, 'g', 15);
    s.replace(u'.', u',');
    return s;
}

class Importacao
{
  public:
    Importacao(ContextoCaptura &ctx, const QString &tipoIndice)
        : m_ctx(ctx), m_dm(ctx.dm), m_db(ctx.dm.MainConnection()), m_tipoIndice(tipoIndice), m_tx(ctx.tx())
    {
    }

    ResultadoCarga executa(TSPProgress &progresso)
    {
        const QString arquivo = ArquivoTextoCaptura(m_ctx.arquivo);
        if (!QFileInfo(arquivo).isFile()) {
            m_ctx.ui.erro(QString(), QStringLiteral("Arquivo ") + arquivo + QStringLiteral(" não existe!"));
            throw OrbelError(QStringLiteral("Operation aborted"));
        }
        {
            const Aguarde aguarde(m_dm, QStringLiteral("Preparando captura..."));
            preparaComandos();
        }
        {
            // in the capture's transaction: a replaced municipality's numbers are free again
            InsercaoEmLote q(m_tx, QStringLiteral("SELECT MAX(DEC_ID) FROM DECLARACOES"));
            q.executa();
            m_proximo = (q.proxima() ? q.texto(0).toDouble() : 0) + 1;
        }
        m_atual = m_proximo;
        leHistoricosExistentes();
        m_busca = BuscaCampoEm(m_dm.cdsCampos);
        // RETORNO_CODIGO: the two characters before the first "." of the archive's path
        const qsizetype ponto = m_ctx.arquivo.indexOf(u'.');
        m_retornoCodigo = ponto >= 2 ? m_ctx.arquivo.mid(ponto - 2, 2) : QString();
        // a record 02 before any 0A still gets the current number, never 0
        m_cabecalho[QStringLiteral("DEC_ID")] = m_atual;
        m_cabecalho[QStringLiteral("RETORNO_CODIGO")] = m_retornoCodigo;
        limpaCabecalho();

        LeitorLinhas leitor(arquivo);
        QString bruta;
        while (!m_ctx.pedidoParada && leitor.proxima(bruta)) {
            m_ctx.linhaAtual = leitor.numeroLinha();
            const QStringView linha = CamposFixos::aparaLinha(bruta);
            bool conta = true;
            if (!linha.isEmpty()) {
                ++m_ctx.registrosLidos;
                try {
                    conta = despacha(linha);
                } catch (const EAbortProgress &) {
                    throw;
                } catch (const std::exception &e) {
                    m_dm.ConfigApp().GravaLog(linha.toString() + QStringLiteral("#13#10") + agora() +
                                              QStringLiteral(" - ") + mensagemDe(e));
                    // nothing of this capture stays: the flow rolls it back
                    const QString ie = CamposFixos::texto(linha, 6, 18);
                    throw OrbelError(
                        mensagemDe(e) + QStringLiteral("\r\n") +
                        DescreveLinha(leitor.numeroLinha(), CamposFixos::campo(linha, 1, 2).toString(), ie) +
                        u' ' + BancoNaoAlterado());
                }
            }
            if (conta)
                progresso.Increment(1);
        }
        return m_ctx.pedidoParada ? ResultadoCarga::Interrompida : ResultadoCarga::Completa;
    }

  private:
    InsercaoEmLote &comando(const QString &sql)
    {
        auto it = m_comandos.find(sql);
        if (it == m_comandos.end()) {
            it = m_comandos.emplace(sql, std::make_unique<InsercaoEmLote>(m_tx, sql)).first;
            it->second->zera();
        }
        return *it->second;
    }

    // One insert for every column of a table, each parameter named as its column.
    InsercaoEmLote &insercaoCompleta(const QString &tabela)
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

    void preparaComandos()
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

    void grava(const QString &tabela, const Atribuicoes &valores, const QVariant &decId = {})
    {
        InsercaoEmLote &c = insercaoCompleta(tabela);
        c.zera();
        if (decId.isValid())
            c.setDouble(QStringLiteral("DEC_ID"), decId.toDouble());
        for (const Atribuicao &a : valores)
            c.setValor(a.parametro, a.valor);
        c.executa();
    }

    void limpaCabecalho()
    {
        static const QString textos[] = {
            QStringLiteral("MUNIC_CODIGO"),   QStringLiteral("DEC_NOME"),
            QStringLiteral("DAMEF_CODIGO"),   QStringLiteral("TIPO_CONTRIB_CODIGO"),
            QStringLiteral("REG_CODIGO"),     QStringLiteral("DEC_SUBSTITUICAO"),
            QStringLiteral("DEC_MUDOUMUNIC"), QStringLiteral("DEC_PROTOCOLO"),
            QStringLiteral("DEC_IRREGULAR"),  QStringLiteral("ESCRITA_CONTABIL"),
            QStringLiteral("CNAEF_ID"),       QStringLiteral("DESMEMBRAMENTO"),
            QStringLiteral("NOME_MUNICIPIO")};
        static const QString datas[] = {QStringLiteral("DEC_ENTREGA_DATA"),
                                        QStringLiteral("DEC_PRIM_ENTREGA"),
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

    void guarda(const Atribuicoes &a)
    {
        for (const Atribuicao &x : a)
            m_cabecalho[x.parametro] = x.valor;
    }

    // Wraps a record handler's error with its prefix, logging it first.
    template <typename F> void comPrefixo(const QString &prefixoLog, const QString &prefixo, F &&f)
    {
        try {
            f();
        } catch (const EAbortProgress &) {
            throw;
        } catch (const std::exception &e) {
            m_dm.ConfigApp().GravaLog(prefixoLog + agora() + QStringLiteral(" - ") + mensagemDe(e));
            throw OrbelError(prefixo + mensagemDe(e));
        }
    }

    ConversoesRetorno::AvisoData aviso()
    {
        return [this](const QString &m) {
            m_ctx.ui.mensagem(QString(), m, UserInterface::Icone::Nenhum, UserInterface::Ok);
        };
    }

    // Returns whether the line counts as a progress step.
    bool despacha(QStringView l)
    {
        const QStringView tipo = campo(l, 1, 2);
        const bool ieZeros = campo(l, 6, 18) == kZeros13;
        const int n = tipo.toInt();
        if (ieZeros && tipo == QLatin1String("11")) {
            comPrefixo(QStringLiteral("GravaRegistro 11 - "), QStringLiteral("GravaRegistro 11 - "), [&] {
                grava(QStringLiteral("MUNIC_VAFA"), RegistrosMunicipio::Registro11(l, m_tipoIndice, aviso()));
            });
            return false;
        }
        if (ieZeros && (tipo == QLatin1String("12") || tipo == QLatin1String("13"))) {
            comPrefixo(QStringLiteral("GravaRegistro 12 ou 13 - "),
                       QStringLiteral("GravaRegistro 12 ou 13 - "), [&] {
                           grava(QStringLiteral("MUNIC_VAFB"),
                                 RegistrosMunicipio::Registro12ou13(l, m_tipoIndice));
                       });
            return false;
        }
        if (ieZeros && (tipo == QLatin1String("16") || tipo == QLatin1String("17"))) {
            comPrefixo(QStringLiteral("GravaRegistro Registro Indice - "),
                       QStringLiteral("Grava Registro Indice - "), [&] {
                           grava(QStringLiteral("MUNIC_INDICES"), RegistrosMunicipio::Registro16ou17(l));
                       });
            return false;
        }
        if (tipo == QLatin1String("0A")) {
            m_flushFeito = false;
            m_situacaoConhecida = false;
            m_atual = m_proximo;
            m_cabecalho[QStringLiteral("DEC_ID")] = m_atual;
            m_cabecalho[QStringLiteral("RETORNO_CODIGO")] = m_retornoCodigo;
            guarda(Registro0A(l));
            limpaCabecalho();
        } else if (tipo == QLatin1String("0B")) {
            guarda(Registro0B(l));
        } else if (tipo == QLatin1String("01")) {
            guarda(Registro01(l, aviso(), &m_regime));
        } else if (tipo == QLatin1String("02")) {
            gravaDeclaracao(l);
        } else if (tipo == QLatin1String("03")) {
            pendente(l, QStringLiteral("GravaRegistro 3 - "),
                     [&] { return Registro03(l, m_busca, m_regime); });
        } else if (tipo == QLatin1String("04")) {
            pendente(l, QStringLiteral("GravaRegistro 4 - "), [&] { return Registro04(l); });
        } else if (tipo == QLatin1String("06")) {
            pendente(l, QStringLiteral("GravaRegistro 6 - "), [&] {
                return Registro06(l, m_regime, [this](const QString &c) {
                    m_ctx.ui.mensagem(QString(), c, UserInterface::Icone::Nenhum, UserInterface::Ok);
                });
            });
        } else if (tipo == QLatin1String("07")) {
            comPrefixo(QStringLiteral("GravaRegistro 7 - "), QStringLiteral("GravaRegistro 7 - "),
                       [&] { grava(QStringLiteral("DEC_VAF"), Registro07(l, m_anteriores), m_atual); });
        } else if (tipo == QLatin1String("08")) {
            comPrefixo(QStringLiteral("GravaRegistro 8 - "), QStringLiteral("GravaRegistro 8 - "),
                       [&] { grava(QStringLiteral("DEC_VAFDETALHES"), Registro08(l), m_atual); });
        } else if (tipo == QLatin1String("09")) {
            pendente(l, QStringLiteral("GravaRegistro 9 - "), [&] { return Registro09(l); });
        } else if (tipo == QLatin1String("10")) {
            GravaRegistro10(l);
            if (m_ultimoRegimeCompleto == QLatin1String("58"))
                m_anteriores.outras = QStringLiteral("000000000000000");
        } else if ((n == 14 || n == 15) && !ieZeros) {
            gravaClasse(l);
        } else if ((n >= 18 && n <= 22) || n == 24 || n == 25 || n == 35) {
            gravaClasse(l);
        } else if (n == 23) {
            gravaClasse(TTipoRegistro23::Combina(l, m_anteriores));
        } else if (n == 40) {
            const QString ie = gravaClasse(l);
            retiraAtivoSimei(ie);
        } else if (n == 99) {
            comPrefixo(QStringLiteral("GravaRegistro 99 - "), QStringLiteral("GravaRegistro 99 - "),
                       [&] { gravaTotais(l); });
        }
        if (n == 14 || n == 15 || (n >= 18 && n <= 22)) {
            // their value adds to the carried other entries, whatever their IE
            const double o =
                ConversoesRetorno::Valor(m_anteriores.outras) + ConversoesRetorno::Valor(campo(l, 22, 36));
            m_anteriores.outras = textoDecimal(o).rightJustified(15, u'0');
        }
        return true;
    }

    template <typename F> void pendente(QStringView, const QString &prefixo, F &&le)
    {
        comPrefixo(prefixo, prefixo, [&] {
            for (const Atribuicao &a : le()) {
                if (insercaoCompleta(a.tabela).indice(a.parametro) < 0)
                    throw OrbelError(QStringLiteral("Parâmetro %1 não encontrado").arg(a.parametro));
                m_pendentes.define(a.tabela, a.parametro, a.valor.toDouble());
            }
        });
    }

    QString gravaClasse(QStringView l)
    {
        auto reg = TTipoRegistro::Cria(l, m_atual);
        if (!reg)
            return {};
        // one statement per record type, prepared at its first record
        InsercaoEmLote *&c = m_porTipo[reg->tipo()];
        if (!c)
            c = &comando(reg->DefineSQL());
        reg->Grava(*c);
        if (auto *simei = dynamic_cast<TTipoRegistro35 *>(reg.get()))
            return simei->ObtemIE();
        return {};
    }

    void retiraAtivoSimei(const QString &ie)
    {
        try {
            // in the import's own transaction: one commit per SIMEI taxpayer would cost a disk flush each
            if (!m_retiraSimei)
                m_retiraSimei = &comando(QStringLiteral("DELETE FROM ATIVOS WHERE IE = :IE"));
            m_retiraSimei->setTexto(0, ie);
            m_retiraSimei->executa();
        } catch (const std::exception &) {
            // the taxpayer stays among the active ones and shows as omitted; the clerk is told
            m_ctx.ui.informa(QString(),
                             QStringLiteral("Não foi possível retirar o contribuinte de IE ") + ie +
                                 QStringLiteral(" dos ativos. O mesmo aparecerá como omisso de entrega."));
        }
    }

    void gravaTotais(QStringView l)
    {
        const RegistrosMunicipio::Totais t = RegistrosMunicipio::Registro99(l);
        // insert, or update the row the active capture seeded; in the import's own transaction
        // and with every value bound, so a decimal comma in the total cannot break the statement
        if (!m_totais)
            m_totais = &comando(
                QStringLiteral("UPDATE OR INSERT INTO MUNIC_TOTAIS (MUNIC_CODIGO, TOTALREG, TOTALVAF, "
                               "DATAINIPROC, DATAFIMPROC) VALUES (:MUNIC_CODIGO, :TOTALREG, :TOTALVAF, "
                               ":DATAINIPROC, :DATAFIMPROC) MATCHING (MUNIC_CODIGO)"));
        m_totais->setTexto(QStringLiteral("MUNIC_CODIGO"), t.municipio);
        m_totais->setTexto(QStringLiteral("TOTALREG"), t.totalReg);
        m_totais->setDouble(QStringLiteral("TOTALVAF"), t.totalVaf);
        m_totais->setTexto(QStringLiteral("DATAINIPROC"), t.dataInicio);
        m_totais->setTexto(QStringLiteral("DATAFIMPROC"), t.dataFim);
        m_totais->executa();
    }

    void gravaDeclaracao(QStringView l)
    {
        guarda(Registro02(l, &m_anteriores));
        try {
            InsercaoEmLote &c = insercaoCompleta(QStringLiteral("DECLARACOES"));
            c.zera();
            for (auto it = m_cabecalho.cbegin(); it != m_cabecalho.cend(); ++it)
                if (const int i = c.indice(it.key()); i >= 0)
                    c.setValor(i, it.value());
            c.executa();
        } catch (const std::exception &) {
            // the declaration's other rows are still written under its number
            m_ctx.ui.mensagem(QString(), QStringLiteral("ERRO\n\r") + l.toString(),
                              UserInterface::Icone::Nenhum, UserInterface::Ok);
        }
        m_primeiraEntrega = QDate();
        m_situacao.clear();
        limpaCabecalho();
        m_proximo += 1;
    }

    void flush(QStringView l, const QString &regime)
    {
        m_pendentes.calculaTotais(regime);
        for (const QString &tabela : DetalhesPendentes::Tabelas()) {
            InsercaoEmLote &c = insercaoCompleta(tabela);
            c.zera();
            c.setDouble(QStringLiteral("DEC_ID"), m_atual);
            // only what records gave or totals computed; zera() put 0 in every other column
            const QHash<QString, double> &valores = m_pendentes.valores(tabela);
            for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
                const int i = c.indice(it.key());
                if (i >= 0 && it.key() != QLatin1String("DEC_ID"))
                    c.setDouble(i, it.value());
            }
            try {
                c.executa();
            } catch (const std::exception &e) {
                if (tabela != QLatin1String("DEC_DRO"))
                    throw;
                // the results table alone does not stop the flush; its values stay pending
                const QString texto = agora() + QStringLiteral(" - GravaDRO - ") + mensagemDe(e) +
                                      QStringLiteral(" - ") + mensagemDe(e);
                m_ctx.ui.mensagem(QString(), texto + QStringLiteral("\n\r") + l.toString(),
                                  UserInterface::Icone::Nenhum, UserInterface::Ok);
                m_dm.ConfigApp().GravaLog(texto);
                continue;
            }
            m_pendentes.limpa(tabela);
        }
    }

    void GravaRegistro10(QStringView l)
    {
        const QString prefixo = QStringLiteral("GravaRegistro 10 - ");
        comPrefixo(prefixo, prefixo, [&] {
            const Evento e = Registro10(l, aviso());
            if (!m_primeiraEntrega.isValid())
                m_primeiraEntrega = e.entrega;
            if (!m_flushFeito) {
                m_flushFeito = true;
                comPrefixo(prefixo, prefixo, [&] { flush(l, e.regimeFinal); });
            }
            bool recusaDeclaracao = false;
            for (const QString &s : e.erros)
                recusaDeclaracao = recusaDeclaracao || contem(kRefusaDeclaracao, s);
            if (m_situacao != QLatin1String("E"))
                m_situacao = recusaDeclaracao ? QStringLiteral("R") : QStringLiteral("E");
            if (m_situacao == QLatin1String("E") && !recusaDeclaracao) {
                if (!m_atualizacaoCompleta)
                    m_atualizacaoCompleta = &comando(QStringLiteral(
                        "UPDATE DECLARACOES SET MUNIC_CODIGO = :MUNIC_CODIGO, DEC_EXERCICIO = "
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
                u.setValor(QStringLiteral("DEC_PRIM_ENTREGA"), m_primeiraEntrega);
                u.setValor(QStringLiteral("DEC_PROCESSAMENTO"), e.processamento);
                u.setTexto(QStringLiteral("DAMEF_CODIGO"), e.damef);
                u.setTexto(QStringLiteral("TIPO_CONTRIB_CODIGO"), e.tipo);
                u.setTexto(QStringLiteral("REG_CODIGO"), e.regime);
                u.setTexto(QStringLiteral("DEC_IRREGULAR"), QStringLiteral("S"));
                u.setTexto(QStringLiteral("DEC_SUBSTITUICAO"), ConversoesRetorno::FlagSN(e.substituicao));
                u.setTexto(QStringLiteral("DEC_PROTOCOLO"), e.protocolo);
                u.setTexto(QStringLiteral("RESP_CGC_CPF"), e.respCgcCpf);
                u.setTexto(QStringLiteral("RETORNO_CODIGO"), m_retornoCodigo);
                u.setTexto(QStringLiteral("DEC_SITUACAO"), QStringLiteral("E"));
                u.setDouble(QStringLiteral("DEC_ID"), m_atual);
                u.executa();
                m_ultimoRegimeCompleto = e.regime;
                situacaoGravada(QStringLiteral("E"));
            }
            // the situation update is skipped when the row already holds what it would write
            if (!m_situacaoConhecida || m_situacaoNoBanco != m_situacao ||
                m_primeiraNoBanco != m_primeiraEntrega) {
                if (!m_atualizacaoSituacao)
                    m_atualizacaoSituacao = &comando(
                        QStringLiteral("UPDATE DECLARACOES SET DEC_SITUACAO = :DEC_SITUACAO, "
                                       "DEC_PRIM_ENTREGA = :DEC_PRIM_ENTREGA WHERE DEC_ID = :DEC_ID"));
                InsercaoEmLote &s = *m_atualizacaoSituacao;
                s.zera();
                s.setTexto(QStringLiteral("DEC_SITUACAO"), m_situacao);
                s.setValor(QStringLiteral("DEC_PRIM_ENTREGA"), m_primeiraEntrega);
                s.setDouble(QStringLiteral("DEC_ID"), m_atual);
                s.executa();
                situacaoGravada(m_situacao);
            }

            const qint64 numero = proximoHistorico();
            QStringList espacos;
            for (const QString &x : e.erros)
                espacos << x;
            Atribuicoes h{{{}, QStringLiteral("HISTORICO_ID"), numero},
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
                           contem(kRefusaHistorico, e.erros[0]) ? QStringLiteral("R") : QStringLiteral("E")}};
            grava(QStringLiteral("HISTORICO"), h, m_atual);
            std::set<QString> codigos;
            for (const QString &x : e.erros)
                if (x.trimmed() != QLatin1String("00"))
                    codigos.insert(x);
            for (const QString &codigo : codigos)
                grava(QStringLiteral("HIST_ERROS"),
                      {{{}, QStringLiteral("HISTORICO_ID"), numero},
                       {{}, QStringLiteral("ERRO_CODIGO"), codigo}},
                      m_atual);
        });
    }

    void situacaoGravada(const QString &situacao)
    {
        m_situacaoConhecida = true;
        m_situacaoNoBanco = situacao;
        m_primeiraNoBanco = m_primeiraEntrega;
    }

    // The next history number of the current declaration, counted here from the maximum stored
    // before the run (read once: numbers of this run can only meet rows left by earlier ones).
    qint64 proximoHistorico() { return ++m_historicos[m_atual]; }

    void leHistoricosExistentes()
    {
        InsercaoEmLote q(m_tx,
                         QStringLiteral("SELECT DEC_ID, MAX(HISTORICO_ID) FROM HISTORICO WHERE DEC_ID >= ? "
                                        "GROUP BY DEC_ID"));
        q.setDouble(0, m_proximo);
        q.executa();
        while (q.proxima())
            m_historicos[q.texto(0).toDouble()] = q.texto(1).toLongLong();
    }

    ContextoCaptura &m_ctx;
    TdmPrincipal &m_dm;
    QSqlDatabase m_db;
    QString m_tipoIndice;
    TransacaoEmLote &m_tx;
    std::map<QString, std::unique_ptr<InsercaoEmLote>> m_comandos;
    QHash<QString, InsercaoEmLote *> m_porTabela;
    QHash<QString, InsercaoEmLote *> m_porTipo; // record classes by type
    InsercaoEmLote *m_atualizacaoCompleta = nullptr, *m_atualizacaoSituacao = nullptr,
                   *m_retiraSimei = nullptr, *m_totais = nullptr;
    BuscaCampo m_busca;
    QElapsedTimer m_relogio;
    QDate m_hoje;
    QTime m_horaAtual;
    bool m_situacaoConhecida = false;
    QString m_situacaoNoBanco;
    QDate m_primeiraNoBanco;
    QHash<QString, QVariant> m_cabecalho;
    DetalhesPendentes m_pendentes;
    ValoresAnteriores m_anteriores;
    double m_proximo = 1, m_atual = 1;
    std::map<double, qint64> m_historicos;
    QString m_regime, m_retornoCodigo, m_situacao, m_ultimoRegimeCompleto;
    QDate m_primeiraEntrega;
    bool m_flushFeito = false;
};

} // namespace

ResultadoCarga ProgressImportaRetornoExecute(ContextoCaptura &ctx, TSPProgress &progresso,
                                             const QString &tipoIndice)
{
    Importacao importacao(ctx, tipoIndice);
    return importacao.executa(progresso);
}
