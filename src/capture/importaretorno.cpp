#include "capture/importaretorno.h"

#include "capture/camposfixos.h"
#include "capture/conversoesretorno.h"
#include "capture/declaracaoatual.h"
#include "capture/gravacaoretorno.h"
#include "capture/registrosdeclaracao.h"
#include "capture/registrosmunicipio.h"
#include "capture/tiporegistro.h"
#include "data/aguarde.h"
#include "data/errodisco.h"
#include "data/tdmprincipal.h"
#include "shell/formatacao.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"
#include "shell/tspprogress.h"
#include "shell/userinterface.h"

#include <QFileInfo>
#include <optional>

using namespace RegistrosDeclaracao;
using CamposFixos::campo;

namespace
{

const QString kZeros13 = QStringLiteral("0000000000000");

// Reads the lines and sends each record where it belongs: its fields to the current declaration's
// state, its rows to the writing.
class Importacao
{
  public:
    Importacao(ContextoCaptura &ctx, const QString &tipoIndice)
        : m_ctx(ctx), m_dm(ctx.dm), m_tipoIndice(tipoIndice), m_gravacao(ctx.tx(), ctx.dm.MainConnection())
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
            m_gravacao.preparaComandos();
        }
        const double proximo = m_gravacao.maiorDecId() + 1;
        // RETORNO_CODIGO: the two characters before the first "." of the archive's path
        const qsizetype ponto = m_ctx.arquivo.indexOf(u'.');
        m_decl.emplace(proximo, m_gravacao.historicosDesde(proximo),
                       ponto >= 2 ? m_ctx.arquivo.mid(ponto - 2, 2) : QString());
        m_busca = BuscaCampoEm(m_dm.cdsCampos);

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
                    // the log is on the full disk too, and the connection takes nothing more
                    RelancaSeErroDisco(e);
                    m_dm.ConfigApp().GravaLog(linha.toString() + QStringLiteral("#13#10") +
                                              Formatacao::agora() + QStringLiteral(" - ") + mensagemDe(e));
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
    // Wraps a record handler's error with its prefix, logging it first.
    template <typename F> void comPrefixo(const QString &prefixoLog, const QString &prefixo, F &&f)
    {
        try {
            f();
        } catch (const EAbortProgress &) {
            throw;
        } catch (const std::exception &e) {
            RelancaSeErroDisco(e);
            m_dm.ConfigApp().GravaLog(prefixoLog + Formatacao::agora() + QStringLiteral(" - ") +
                                      mensagemDe(e));
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
        DeclaracaoAtual &d = *m_decl;
        const QStringView tipo = campo(l, 1, 2);
        const bool ieZeros = campo(l, 6, 18) == kZeros13;
        const int n = tipo.toInt();
        if (ieZeros && tipo == QLatin1String("11")) {
            comPrefixo(QStringLiteral("GravaRegistro 11 - "), QStringLiteral("GravaRegistro 11 - "), [&] {
                m_gravacao.grava(QStringLiteral("MUNIC_VAFA"),
                                 RegistrosMunicipio::Registro11(l, m_tipoIndice, aviso()));
            });
            return false;
        }
        if (ieZeros && (tipo == QLatin1String("12") || tipo == QLatin1String("13"))) {
            comPrefixo(QStringLiteral("GravaRegistro 12 ou 13 - "),
                       QStringLiteral("GravaRegistro 12 ou 13 - "), [&] {
                           m_gravacao.grava(QStringLiteral("MUNIC_VAFB"),
                                            RegistrosMunicipio::Registro12ou13(l, m_tipoIndice));
                       });
            return false;
        }
        if (ieZeros && (tipo == QLatin1String("16") || tipo == QLatin1String("17"))) {
            comPrefixo(QStringLiteral("GravaRegistro Registro Indice - "),
                       QStringLiteral("Grava Registro Indice - "), [&] {
                           m_gravacao.grava(QStringLiteral("MUNIC_INDICES"),
                                            RegistrosMunicipio::Registro16ou17(l));
                       });
            return false;
        }
        if (tipo == QLatin1String("0A")) {
            d.inicia(Registro0A(l));
        } else if (tipo == QLatin1String("0B")) {
            d.guarda(Registro0B(l));
        } else if (tipo == QLatin1String("01")) {
            d.guarda(Registro01(l, aviso(), &d.regime()));
        } else if (tipo == QLatin1String("02")) {
            registro02(l);
        } else if (tipo == QLatin1String("03")) {
            pendente(QStringLiteral("GravaRegistro 3 - "),
                     [&] { return Registro03(l, m_busca, d.regime()); });
        } else if (tipo == QLatin1String("04")) {
            pendente(QStringLiteral("GravaRegistro 4 - "), [&] { return Registro04(l); });
        } else if (tipo == QLatin1String("06")) {
            pendente(QStringLiteral("GravaRegistro 6 - "),
                     [&] { return Registro06(l, d.regime(), aviso()); });
        } else if (tipo == QLatin1String("07")) {
            comPrefixo(QStringLiteral("GravaRegistro 7 - "), QStringLiteral("GravaRegistro 7 - "), [&] {
                m_gravacao.grava(QStringLiteral("DEC_VAF"), Registro07(l, d.anteriores()), d.decId());
            });
        } else if (tipo == QLatin1String("08")) {
            comPrefixo(QStringLiteral("GravaRegistro 8 - "), QStringLiteral("GravaRegistro 8 - "), [&] {
                m_gravacao.grava(QStringLiteral("DEC_VAFDETALHES"), Registro08(l), d.decId());
            });
        } else if (tipo == QLatin1String("09")) {
            pendente(QStringLiteral("GravaRegistro 9 - "), [&] { return Registro09(l); });
        } else if (tipo == QLatin1String("10")) {
            registro10(l);
        } else if ((n == 14 || n == 15) && !ieZeros) {
            registroDeClasse(l);
        } else if ((n >= 18 && n <= 22) || n == 24 || n == 25 || n == 35) {
            registroDeClasse(l);
        } else if (n == 23) {
            registroDeClasse(TTipoRegistro23::Combina(l, d.anteriores()));
        } else if (n == 40) {
            retiraAtivoSimei(registroDeClasse(l));
        } else if (n == 99) {
            comPrefixo(QStringLiteral("GravaRegistro 99 - "), QStringLiteral("GravaRegistro 99 - "),
                       [&] { m_gravacao.gravaTotais(RegistrosMunicipio::Registro99(l)); });
        }
        if (n == 14 || n == 15 || (n >= 18 && n <= 22)) // their value adds up whatever their IE
            d.somaOutrasEntradas(campo(l, 22, 36));
        return true;
    }

    // Records 03, 04, 06 and 09: their values wait for the declaration's first record 10.
    template <typename F> void pendente(const QString &prefixo, F &&le)
    {
        comPrefixo(prefixo, prefixo, [&] {
            for (const Atribuicao &a : le()) {
                if (!m_gravacao.temColuna(a.tabela, a.parametro))
                    throw OrbelError(QStringLiteral("Parâmetro %1 não encontrado").arg(a.parametro));
                m_decl->pendentes().define(a.tabela, a.parametro, a.valor.toDouble());
            }
        });
    }

    // Returns the IE of a SIMEI or municipality-change record.
    QString registroDeClasse(QStringView l)
    {
        auto reg = TTipoRegistro::Cria(l, m_decl->decId());
        if (!reg)
            return {};
        m_gravacao.grava(*reg);
        if (auto *simei = dynamic_cast<TTipoRegistro35 *>(reg.get()))
            return simei->ObtemIE();
        return {};
    }

    void retiraAtivoSimei(const QString &ie)
    {
        try {
            m_gravacao.retiraAtivo(ie);
        } catch (const std::exception &e) {
            RelancaSeErroDisco(e);
            // the taxpayer stays among the active ones and shows as omitted; the clerk is told
            m_ctx.ui.informa(QString(),
                             QStringLiteral("Não foi possível retirar o contribuinte de IE ") + ie +
                                 QStringLiteral(" dos ativos. O mesmo aparecerá como omisso de entrega."));
        }
    }

    void registro02(QStringView l)
    {
        DeclaracaoAtual &d = *m_decl;
        d.guarda(Registro02(l, &d.anteriores()));
        try {
            m_gravacao.gravaDeclaracao(d.cabecalho());
        } catch (const std::exception &e) {
            RelancaSeErroDisco(e);
            // the declaration's other rows are still written under its number
            m_ctx.ui.mensagem(QString(), QStringLiteral("ERRO\n\r") + l.toString(),
                              UserInterface::Icone::Nenhum, UserInterface::Ok);
        }
        d.declaracaoGravada();
    }

    void registro10(QStringView l)
    {
        DeclaracaoAtual &d = *m_decl;
        const QString prefixo = QStringLiteral("GravaRegistro 10 - ");
        comPrefixo(prefixo, prefixo, [&] {
            const Evento e = Registro10(l, aviso());
            const DeclaracaoAtual::Escrita w = d.evento(e);
            if (w.detalhes)
                comPrefixo(prefixo, prefixo, [&] {
                    m_gravacao.gravaDetalhes(d.pendentes(), e.regimeFinal, d.decId(),
                                             [&](const std::exception &erro) { falhaResultados(l, erro); });
                });
            if (w.atualizacaoCompleta)
                m_gravacao.atualizaDeclaracao(e, w.primeiraEntrega, d.retornoCodigo(), d.decId());
            if (w.situacao)
                m_gravacao.atualizaSituacao(w.situacaoNova, w.primeiraEntrega, d.decId());
            m_gravacao.gravaHistorico(e, w.historico, d.decId());
        });
    }

    // The results table alone does not stop a declaration's detail rows; its values stay pending.
    void falhaResultados(QStringView l, const std::exception &e)
    {
        const QString texto = Formatacao::agora() + QStringLiteral(" - GravaDRO - ") + mensagemDe(e) +
                              QStringLiteral(" - ") + mensagemDe(e);
        m_ctx.ui.mensagem(QString(), texto + QStringLiteral("\n\r") + l.toString(),
                          UserInterface::Icone::Nenhum, UserInterface::Ok);
        m_dm.ConfigApp().GravaLog(texto);
    }

    ContextoCaptura &m_ctx;
    TdmPrincipal &m_dm;
    QString m_tipoIndice;
    GravacaoRetorno m_gravacao;
    std::optional<DeclaracaoAtual> m_decl; // from the first line on
    BuscaCampo m_busca;
};

} // namespace

ResultadoCarga ProgressImportaRetornoExecute(ContextoCaptura &ctx, TSPProgress &progresso,
                                             const QString &tipoIndice)
{
    Importacao importacao(ctx, tipoIndice);
    return importacao.executa(progresso);
}
