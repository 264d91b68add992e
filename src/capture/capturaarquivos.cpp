#include "capture/capturaarquivos.h"

#include "capture/geraresumo.h"
#include "capture/importaativos.h"
#include "capture/importaretorno.h"
#include "capture/verificaretorno.h"
#include "data/aguarde.h"
#include "data/errodisco.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "shell/conversao.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/tspprogress.h"
#include "shell/userinterface.h"
#include "shell/zipengine.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <exception>

namespace
{

QString secao(int tipo)
{
    return tipo == CapturaArquivos::Retorno ? QStringLiteral("Retornos") : QStringLiteral("Ativos");
}

// How a run inside the progress runner ended: a failure shown by the runner, a cancellation
// confirmed in it, or what the import itself said (read once the run is over, hence by reference).
ResultadoCarga desfecho(TSPProgress &progresso, const ResultadoCarga &daImportacao)
{
    if (progresso.Execute())
        return daImportacao;
    return progresso.cancelado() ? ResultadoCarga::Interrompida : ResultadoCarga::Falhou;
}

// An import run whose disk failed ends at once, without the runner's box: the capture flow tells
// the clerk and stops using the connection.
template <typename F> auto semErroDisco(std::exception_ptr &erro, F &&importa)
{
    return [&erro, importa](TSPProgress &p) {
        try {
            importa(p);
        } catch (const std::exception &e) {
            if (!ReconheceErroDisco(e))
                throw;
            erro = std::current_exception();
        }
    };
}

// Raises the disk error of a run, caught there or met (wrapped or shown) on the way.
void exigeDiscoBom(const std::exception_ptr &erro)
{
    if (erro)
        std::rethrow_exception(erro);
    if (const ErroDisco *d = UltimoErroDisco())
        throw *d;
}

} // namespace

CapturaArquivos::CapturaArquivos(TdmPrincipal &dm, UserInterface &ui) : m_dm(dm), m_ui(ui)
{
}

CapturaArquivos::~CapturaArquivos()
{
    if (m_aberto) {
        try {
            fecha();
        } catch (...) {
            // closing must not throw from a destructor; the indexes come back at the next start
        }
    }
}

void CapturaArquivos::abre()
{
    m_dm.HabilitaIndices(false);
    m_dm.SuspendeRegras(true); // the capture reads no calculated field and shows its own progress
    m_aberto = true;
}

void CapturaArquivos::fecha()
{
    m_aberto = false;
    m_dm.SuspendeRegras(false);
    m_dm.HabilitaIndices(true);
}

QString CapturaArquivos::UltimoArquivo(int tipo)
{
    return LeIniDireto(ArquivoIni(), secao(tipo), QStringLiteral("Ultimo"));
}

void CapturaArquivos::GravaUltimoArquivo(int tipo, const QString &nome)
{
    if (aoGravarUltimo)
        aoGravarUltimo(nome);
    GravaIniDireto(ArquivoIni(), secao(tipo), QStringLiteral("Ultimo"), nome);
}

void CapturaArquivos::Cancela()
{
    if (m_ctx)
        m_ctx->pedidoParada = true;
}

void CapturaArquivos::fase(Fase f)
{
    if (aoIniciarFase)
        aoIniciarFase(f);
}

void CapturaArquivos::estado(bool ocupado)
{
    m_ocupado = ocupado;
    if (aoMudarEstado)
        aoMudarEstado(ocupado);
}

bool CapturaArquivos::Captura(int tipo, const QString &arquivo)
{
    // the unpacked file is only read during the capture: it must not stay in the scratch folder
    struct EsvaziaTemp {
        ~EsvaziaTemp()
        {
            if (QFileInfo(DiretorioTemp()).isDir())
                EsvaziaDiretorio(DiretorioTemp());
        }
    } esvazia;
    try {
        return executa(tipo, arquivo);
    } catch (const std::exception &e) {
        m_ui.aguarde(QString());
        if (m_ocupado)
            estado(false);
        if (ReconheceErroDisco(e))
            paraPorErroDisco(*UltimoErroDisco());
        m_ui.mostraErro(mensagemDe(e));
        return false;
    }
}

void CapturaArquivos::paraPorErroDisco(const ErroDisco &erro)
{
    // the transaction was rolled back as the error left the capture; nothing else goes to the
    // server, neither the summary nor the final updates
    const QString banco = m_dm.MainConnection().databaseName();
    m_dm.AbandonaConexao();
    const QString pasta =
        QDir::toNativeSeparators(QFileInfo(erro.arquivo().isEmpty() ? banco : erro.arquivo()).absolutePath());
    const QString causa =
        erro.cheio() ? QStringLiteral("disco cheio na pasta %1. Libere espaço em disco").arg(pasta)
                     : QStringLiteral("erro de leitura ou gravação no disco na pasta %1. Verifique o "
                                      "disco")
                           .arg(pasta);
    const QString texto =
        m_gravada ? QStringLiteral("A captura foi gravada, mas o resumo dos municípios não pôde ser "
                                   "atualizado: ") +
                        causa + QStringLiteral(" e capture o arquivo novamente.")
                  : QStringLiteral("Não foi possível gravar no banco de dados: ") + causa +
                        QStringLiteral(" e capture o arquivo novamente; o banco de dados não foi alterado.");
    m_ui.erro(QStringLiteral("Captura de arquivos"),
              texto + QStringLiteral(" O ORBEL será encerrado.\r\nDetalhe: ") + erro.message());
    throw ProgramaEncerrado{1};
}

bool CapturaArquivos::executa(int tipo, const QString &arquivo)
{
    if (!QFileInfo(arquivo).isFile())
        throw OrbelError(QStringLiteral("Arquivo não existe!"));
    if (tipo != Ativos && tipo != Retorno)
        throw OrbelError(QStringLiteral("Tipo de arquivo não fornecido!"));
    if (tipo == Ativos && !arquivo.contains(QStringLiteral("AT")))
        throw OrbelError(QStringLiteral("Arquivo não é de contribuintes ativos!"));
    if (tipo == Retorno && !arquivo.contains(QStringLiteral("RT")))
        throw OrbelError(QStringLiteral("Arquivo não é de retorno de declarações!"));

    // The archive of base year Y carries the two last digits of Y + 1 just before ".zip".
    const int anoBase = StrToInt(m_dm.LeParametro(QStringLiteral("ANOEXERCICIO")).mid(2, 2));
    const qsizetype zip = arquivo.indexOf(QStringLiteral(".zip"));
    const int anoArquivo =
        StrToInt(zip < 0 ? QString() : arquivo.mid(qMax<qsizetype>(0, zip - 2), qMin<qsizetype>(2, zip)));
    if (anoBase + 1 != anoArquivo &&
        m_ui.mensagem(
            QStringLiteral("Alerta"),
            QStringLiteral("O ano base do arquivo é diferente do informado nos parâmetros do sistema.\r\n"
                           "Confirma mesmo assim a captura deste arquivo?"),
            UserInterface::Icone::Informacao,
            UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) != UserInterface::Sim)
        return false;

    EsqueceErroDisco(); // only this capture's errors decide whether it stops
    m_gravada = false;
    ContextoCaptura ctx{m_dm, m_ui, arquivo, false,
                        [this](int t, const QString &nome) { GravaUltimoArquivo(t, nome); }};
    m_ctx = &ctx;
    struct Solta {
        ContextoCaptura *&p;
        ~Solta() { p = nullptr; }
    } solta{m_ctx};

    estado(true);
    bool completa = false;
    try {
        fase(Descompactacao);
        descompacta(arquivo);
        fase(Verificacao);
        // the replacement's deletions and the import are one transaction, committed only once the
        // file was read to its end: a capture that does not complete changes nothing
        TransacaoEmLote transacao(m_dm.MainConnection(), 0);
        ctx.transacao = &transacao;
        if (tipo == Retorno) {
            try {
                QString tipoIndice;
                const auto verificacao = VerificaRetorno(ctx, &tipoIndice);
                if (verificacao.prossegue) {
                    TSPProgress progresso(m_ui);
                    progresso.Caption = QStringLiteral("Efetuando carga dos dados...");
                    progresso.CanCancel = true;
                    progresso.setMessage(QStringLiteral("Aguarde..."));
                    progresso.setMaxCount(verificacao.contagemEsperada);
                    ResultadoCarga resultado = ResultadoCarga::Falhou;
                    std::exception_ptr erroDisco;
                    progresso.OnExecute = semErroDisco(erroDisco, [&](TSPProgress &p) {
                        resultado = ProgressImportaRetornoExecute(ctx, p, tipoIndice);
                    });
                    fase(Importacao);
                    const ResultadoCarga fim = desfecho(progresso, resultado);
                    exigeDiscoBom(erroDisco);
                    completa = encerraTransacao(ctx, fim);
                    GravaUltimoArquivo(Retorno, QFileInfo(arquivo).fileName());
                    fase(Resumo);
                    GeraResumo(m_dm);
                    exigeDiscoBom({});
                }
            } catch (const std::exception &e) {
                RelancaSeErroDisco(e);
                QString texto = QStringLiteral("Falha ao importa retorno \r\n") + mensagemDe(e);
                if (transacao.aberta() && transacao.linhas() > 0 && !texto.contains(BancoNaoAlterado()))
                    texto += QStringLiteral("\r\n") + BancoNaoAlterado();
                throw OrbelError(texto);
            }
        } else {
            const auto verificacao = VerificaAtivos(ctx);
            if (verificacao.prossegue) {
                TSPProgress progresso(m_ui);
                progresso.Caption = QStringLiteral("Efetuando carga dos dados...");
                progresso.CanCancel = false;
                progresso.setMessage(QStringLiteral("Aguarde..."));
                progresso.setMaxCount(verificacao.contagemEsperada);
                ResultadoCarga resultado = ResultadoCarga::Falhou;
                std::exception_ptr erroDisco;
                progresso.OnExecute = semErroDisco(
                    erroDisco, [&](TSPProgress &p) { resultado = ProgressoImportaAtivosExecute(ctx, p); });
                fase(Importacao);
                const ResultadoCarga fim = desfecho(progresso, resultado);
                exigeDiscoBom(erroDisco);
                completa = encerraTransacao(ctx, fim);
                fase(Resumo);
                GeraResumo(m_dm);
                exigeDiscoBom({});
            }
        }
    } catch (...) {
        estado(false);
        throw;
    }
    estado(false);
    m_ui.processaEventos();

    {
        const Aguarde aguarde(m_dm, QStringLiteral("Atualizações finais... aguarde."));
        fase(AtualizacoesFinaisFase);
        AtualizacoesFinais();
    }
    m_ui.aguarde(QStringLiteral("Organizando base... aguarde."));
    m_ui.aguarde(QString());
    fase(Fim);

    if (!completa)
        return false;
    m_ui.informa(QStringLiteral("Captura de arquivos"),
                 QStringLiteral("Captura de arquivo finalizada com sucesso"));
    return true;
}

bool CapturaArquivos::encerraTransacao(ContextoCaptura &ctx, ResultadoCarga resultado)
{
    TransacaoEmLote &tx = ctx.tx();
    const bool leuTudo = resultado == ResultadoCarga::Completa && ctx.registrosLidos > 0;
    if (!leuTudo) {
        tx.desfaz();
        // a failed line or run was already told by the import or the runner, with its line
        if (resultado == ResultadoCarga::Interrompida)
            m_ui.informa(QStringLiteral("Captura de arquivos"),
                         QStringLiteral("Captura interrompida. ") +
                             DescreveLinha(ctx.linhaAtual, QString(), QString()) + u' ' + BancoNaoAlterado());
        else if (resultado == ResultadoCarga::Completa)
            m_ui.erro(QString(),
                      QStringLiteral("Nenhum registro foi lido do arquivo. ") + BancoNaoAlterado());
        ctx.transacao = nullptr;
        return false;
    }
    try {
        const Aguarde aguarde(m_dm, QStringLiteral("Gravando a captura... aguarde."));
        tx.conclui();
    } catch (const std::exception &e) {
        ctx.transacao = nullptr;
        RelancaSeErroDisco(e);
        throw OrbelError(QStringLiteral("Não foi possível gravar a captura no banco de dados.\r\n") +
                         mensagemDe(e) + QStringLiteral("\r\n") + BancoNaoAlterado());
    }
    ctx.transacao = nullptr;
    m_gravada = true;
    if (ctx.esvaziouBase) {
        // as after a clean-up: every shared set is read again
        m_dm.Desconectar();
        m_dm.Conectar();
    } else {
        // the shared summary sets show what is stored now
        const QSqlDatabase db = m_dm.MainConnection();
        for (ClientDataSet *cds :
             {&m_dm.cdsMunic_Totais, &m_dm.cdsMunic_Indices, &m_dm.cdsMunic_VafA, &m_dm.cdsMunic_VafB}) {
            cds->close();
            cds->open(db);
        }
    }
    return true;
}

void CapturaArquivos::descompacta(const QString &arquivo)
{
    const Aguarde aguarde(m_dm);
    try {
        m_ui.aguarde(QStringLiteral("Descompactando arquivo..."));
        const QString temp = DiretorioSistema() + QStringLiteral("temp");
        if (!QDir().mkpath(temp))
            throw OrbelError(QStringLiteral("Não foi possível criar a pasta ") + temp);
        EsvaziaDiretorio(DiretorioTemp());
        ZipEngine zip;
        // a whole state's return is some 200 MB of text; an entry five times that is no state file
        constexpr qint64 kMaximoTexto = qint64(1) << 30;
        zip.extrai(arquivo, DiretorioTemp(), kMaximoTexto);
    } catch (const ArquivoCompactadoRecusado &e) {
        // refused before a byte was written: the clerk learns why
        throw OrbelError(QStringLiteral("Falha ao descompactar os arquivos\r\n") + e.message());
    } catch (const std::exception &) {
        throw OrbelError(QStringLiteral("Falha ao descompactar os arquivos"));
    }
}

void CapturaArquivos::AtualizacoesFinais()
{
    m_ui.aguarde(QStringLiteral("Buscando por contribuintes fora da tabela de ativos..."));
    QString erro;
    try {
        const QString ano = m_dm.LeParametro(QStringLiteral("ANOEXERCICIO"));
        const QSqlDatabase db = m_dm.MainConnection();
        // the base-year condition of the second statement stands inside the sub-query, so
        // declarations of other years all become 'S'
        for (const QString &sql :
             {QStringLiteral("UPDATE DECLARACOES SET DECLARACOES.NAO_CONSTA_ATIVOS='N' WHERE "
                             "DECLARACOES.DEC_EXERCICIO=?"),
              QStringLiteral("UPDATE DECLARACOES SET DECLARACOES.NAO_CONSTA_ATIVOS = 'S' WHERE NOT EXISTS "
                             "(SELECT ATIVOS.IE FROM ATIVOS WHERE DECLARACOES.DEC_IE = ATIVOS.IE AND "
                             "DECLARACOES.DEC_EXERCICIO= ?)")}) {
            ExecutaSql(db, sql, {ano});
        }
    } catch (const std::exception &e) {
        RelancaSeErroDisco(e);
        erro = mensagemDe(e);
    }
    m_ui.aguarde(QString());
    m_dm.cdsDeclaracoes.close();
    m_dm.HabilitaIndices(true);
    m_dm.cdsDeclaracoes.open(m_dm.MainConnection());
    if (!erro.isEmpty())
        throw OrbelError(erro);
}
