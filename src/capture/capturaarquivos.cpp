#include "capture/capturaarquivos.h"

#include "capture/geraresumo.h"
#include "capture/importaativos.h"
#include "capture/importaretorno.h"
#include "capture/verificaretorno.h"
#include "data/executasql.h"
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

namespace
{

QString secao(int tipo)
{
    return tipo == CapturaArquivos::Retorno ? QStringLiteral("Retornos") : QStringLiteral("Ativos");
}

// Keeps the wait message closed on every path.
struct FechaAguarde {
    UserInterface &ui;
    ~FechaAguarde() { ui.aguarde(QString()); }
};

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
    try {
        return executa(tipo, arquivo);
    } catch (const std::exception &e) {
        m_ui.aguarde(QString());
        if (m_ocupado)
            estado(false);
        m_ui.mostraErro(mensagemDe(e));
        return false;
    }
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
                    progresso.OnExecute = [&](TSPProgress &p) {
                        resultado = ProgressImportaRetornoExecute(ctx, p, tipoIndice);
                    };
                    fase(Importacao);
                    completa = progresso.Execute() && resultado == ResultadoCarga::Completa;
                    GravaUltimoArquivo(Retorno, QFileInfo(arquivo).fileName());
                    fase(Resumo);
                    GeraResumo(m_dm);
                }
            } catch (const std::exception &e) {
                throw OrbelError(QStringLiteral("Falha ao importa retorno \r\n") + mensagemDe(e));
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
                progresso.OnExecute = [&](TSPProgress &p) {
                    resultado = ProgressoImportaAtivosExecute(ctx, p);
                };
                fase(Importacao);
                completa = progresso.Execute() && resultado == ResultadoCarga::Completa;
                fase(Resumo);
                GeraResumo(m_dm);
            }
        }
    } catch (...) {
        estado(false);
        throw;
    }
    estado(false);
    m_ui.processaEventos();

    {
        FechaAguarde fecha{m_ui};
        fase(AtualizacoesFinaisFase);
        m_ui.aguarde(QStringLiteral("Atualizações finais... aguarde."));
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

void CapturaArquivos::descompacta(const QString &arquivo)
{
    FechaAguarde fecha{m_ui};
    try {
        m_ui.aguarde(QStringLiteral("Descompactando arquivo..."));
        const QString temp = DiretorioSistema() + QStringLiteral("temp");
        if (!QDir().mkpath(temp))
            throw OrbelError(QStringLiteral("Não foi possível criar a pasta ") + temp);
        EsvaziaDiretorio(DiretorioTemp());
        ZipEngine zip;
        zip.extrai(arquivo, DiretorioTemp());
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
        erro = mensagemDe(e);
    }
    m_ui.aguarde(QString());
    m_dm.cdsDeclaracoes.close();
    m_dm.HabilitaIndices(true);
    m_dm.cdsDeclaracoes.open(m_dm.MainConnection());
    if (!erro.isEmpty())
        throw OrbelError(erro);
}
