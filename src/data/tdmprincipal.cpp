#include "data/tdmprincipal.h"

#include "data/aguarde.h"
#include "data/errodisco.h"
#include "data/executasql.h"
#include "data/fbconexao.h"
#include "shell/conversao.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QUuid>

namespace
{

const QString kTituloReiniciar = QStringLiteral("Favor reiniciar a aplicação");
const QString kAtualizacao404 =
    QStringLiteral("O Banco de dados recebeu uma atualização 4.00.04 após sua abertura. "
                   "É recomendado reiniciar a aplicação para que as alterações tenham efeito.");
const QString kAtualizacao407 =
    QStringLiteral("O Banco de dados recebeu uma atualização 4.00.07 após sua abertura. "
                   "É recomendado reiniciar a aplicação para que as alterações tenham efeito.");

const char *const kIndices[] = {
    "IDX_ATIVOS_MUNIC_CODIGO ",   "IDX_CNAEF ",
    "IDX_MUNIC_IE_NOME ",         "DECLARACOES_IE  ",
    "DECLARACOES_MUNIC_CODIGO  ", "DECLARACOES_EXERCICIO  ",
    "IDX_VAF_MUDANCA_MUNIC_1  ",  "IDX_DEC_SIMEI_1  ",
};

// The engine's text is English and terse: the clerk's sentence follows it, saying what is wrong and
// what to do.
QString explicaFalhaConexao(const QString &caminho, const QString &erro)
{
    QString frase;
    const bool local = !caminho.contains(u':') || QFileInfo(caminho).isAbsolute();
    const QFileInfo arquivo(caminho);
    const QString nome = QDir::toNativeSeparators(arquivo.filePath());
    if (local && arquivo.isDir())
        frase = QStringLiteral("O caminho %1 é uma pasta, não o arquivo do banco de dados. Informe o arquivo "
                               "(por exemplo bd/ORBEL.GDB) em [ORBEL] Database no ORBEL.ini.")
                    .arg(nome);
    else if (local && !arquivo.exists())
        frase = QStringLiteral("O arquivo do banco de dados %1 não existe.").arg(nome);
    else if (local && !arquivo.isWritable())
        frase =
            QStringLiteral("O arquivo do banco de dados %1 não pode ser gravado: verifique se ele é somente "
                           "leitura ou se o usuário tem permissão na pasta.")
                .arg(nome);
    else if (erro.contains(QLatin1String("\"lock\" operation")) ||
             erro.contains(QLatin1String("already opened")) ||
             erro.contains(QLatin1String("lock time-out")) || erro.contains(QLatin1String("in use")))
        frase =
            QStringLiteral("O banco de dados %1 está em uso por outro programa, provavelmente outro ORBEL "
                           "aberto. Feche-o e tente novamente.")
                .arg(nome);
    else if (erro.contains(QLatin1String("not a valid database")) ||
             erro.contains(QLatin1String("size is less than expected")) ||
             erro.contains(QLatin1String("on-disk structure")) ||
             erro.contains(QLatin1String("wrong page type")))
        frase = QStringLiteral("O arquivo %1 não é um banco de dados do ORBEL, ou está danificado. Confira o "
                               "caminho em [ORBEL] Database no ORBEL.ini ou restaure uma cópia de segurança.")
                    .arg(nome);
    return frase.isEmpty() ? QString() : QStringLiteral("\r\n") + frase;
}

} // namespace

TdmPrincipal::TdmPrincipal(UserInterface &ui, QObject *parent)
    : QObject(parent), m_ui(ui), m_config(&ui),
      m_nomeConexao(QStringLiteral("orbel-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    cdsRegimes.setCommandText(
        QStringLiteral("SELECT\nREG_CODIGO,REG_DESCRICAO\nFROM REGIMES\nORDER BY REG_DESCRICAO"));
    cdsRegimes.setRotulo(QStringLiteral("REG_CODIGO"), QStringLiteral("Código"));
    cdsRegimes.setRotulo(QStringLiteral("REG_DESCRICAO"), QStringLiteral("Descrição"));
    cdsCNAEF.setCommandText(QStringLiteral("SELECT * FROM CNAEF\nORDER BY CNAEF_ID"));
    cdsCNAEF.setRotulo(QStringLiteral("DESMEMBRAMENTO"), QStringLiteral("Desmembramento"));
    cdsMunicipios.setCommandText(QStringLiteral("SELECT MUNIC_CODIGO, MUNIC_NOME FROM MUNICIPIOS"));
    cdsErros.setCommandText(QStringLiteral("SELECT * FROM ERROS"));
    cdsMunic_Indices.setCommandText(QStringLiteral(
        "SELECT INDICE_CODIGO, MUNIC_CODIGO, VAFAPROPRIO, VAFACREDEXT, VAFBCREDINT, VAFBCREDPROP, VAFBDEB, "
        "ACERTOCRED, ACERTODEB, VALLIQUIDO, INDICE, VAFB_VALOR_AF, VAFB_VALOR_TALMO FROM MUNIC_INDICES"));
    cdsMunic_Resumo.setCommandText(QStringLiteral("SELECT MUNIC_CODIGO, ATIVOS, ACEITOS, RECUSADOS, OMISSOS, "
                                                  "NA_ACEITOS, NA_RECUSADOS, DECLARACOES FROM MUNIC_RESUMO"));
    cdsMunic_Resumo.setIndexFieldNames(QStringLiteral("MUNIC_CODIGO"));
    cdsMunic_Totais.setCommandText(
        QStringLiteral("SELECT MUNIC_CODIGO, TOTALREG, TOTALVAL, DATAINIPROC, "
                       "DATAFIMPROC, TOTALVAF, OUTENT FROM MUNIC_TOTAIS WHERE 1=2"));
    cdsMunic_Totais.setIndexFieldNames(QStringLiteral("MUNIC_CODIGO"));
    cdsMunic_VafA.setCommandText(QStringLiteral("SELECT * FROM MUNIC_VAFA"));
    cdsMunic_VafB.setCommandText(
        QStringLiteral("SELECT VAFB_INDICE, VAFB_CREDDEB, MUNIC_ORIGEM, MUNIC_DESTINO, "
                       "VAFB_VALOR, VAFB_VALOR_AF, VAFB_VALOR_TALMO FROM MUNIC_VAFB"));
    cdsMunic_VafB.setIndexFieldNames(QStringLiteral("MUNIC_ORIGEM"));
    cdsTipos.setCommandText(QStringLiteral("SELECT\nTIPO_CONTRIB_CODIGO,TIPO_CONTRIB_TITULO\nFROM TIPOS"));
    cdsCampos.setCommandText(QStringLiteral("SELECT * FROM CAMPOS"));

    // The summary sets send every change to the database at once.
    cdsMunic_Indices.setTabelaAtualizacao(QStringLiteral("MUNIC_INDICES"),
                                          {QStringLiteral("MUNIC_CODIGO"), QStringLiteral("INDICE_CODIGO")});
    cdsMunic_Resumo.setTabelaAtualizacao(QStringLiteral("MUNIC_RESUMO"), {QStringLiteral("MUNIC_CODIGO")});
    cdsMunic_Totais.setTabelaAtualizacao(QStringLiteral("MUNIC_TOTAIS"), {QStringLiteral("MUNIC_CODIGO")});
    cdsMunic_VafA.setTabelaAtualizacao(QStringLiteral("MUNIC_VAFA"));
    cdsMunic_VafB.setTabelaAtualizacao(QStringLiteral("MUNIC_VAFB"));
    for (ClientDataSet *cds :
         {&cdsMunic_Indices, &cdsMunic_Resumo, &cdsMunic_Totais, &cdsMunic_VafA, &cdsMunic_VafB})
        cds->setAposGravar([this, cds] { AplicaAlteracoes(*cds); });

    configuraDeclaracoes(*this);
    configuraAtivos();
    registra();
}

const QString TdmPrincipal::SqlAtivos =
    QStringLiteral("SELECT\nATIVOS.*,\nMUNICIPIOS.MUNIC_NOME\nFROM MUNICIPIOS, ATIVOS\n"
                   "WHERE (ATIVOS.MUNIC_CODIGO = MUNICIPIOS.MUNIC_CODIGO)\n"
                   "ORDER BY MUNICIPIOS.MUNIC_NOME, ATIVOS.IE");

void TdmPrincipal::configuraAtivos()
{
    cdsAtivos.setCommandText(SqlAtivos);
    cdsAtivos.setPacketRecords(200);
    cdsAtivos.setAoBuscarPacote([this](bool antes) {
        MostraAguarde(antes ? QStringLiteral("Buscando dados de ativos...") : QString());
        if (antes)
            m_ui.processaEventos();
    });
    const struct {
        const char *campo, *rotulo;
    } rotulos[] = {{"MUNIC_NOME", "Município"},
                   {"IE", "Inscrição Estadual"},
                   {"NOMECOMER", "Nome"},
                   {"ENTRADAANT", "Entradas Ano Anterior"},
                   {"SAIDAANT", "Saídas Ano Anterior"}};
    for (const auto &r : rotulos)
        cdsAtivos.setRotulo(QLatin1String(r.campo), QString::fromUtf8(r.rotulo));
    cdsAtivos.addCampoCalculado(
        QStringLiteral("RegimeRecolhimento"), QMetaType::QString, 50, [this](const ClientDataSet &ds, int l) {
            return cdsRegimes.lookup(QStringLiteral("REG_CODIGO"), ds.valor(l, QStringLiteral("REGRECATU")),
                                     QStringLiteral("REG_DESCRICAO"));
        });
    cdsAtivos.addCampoCalculado(
        QStringLiteral("DescricaoCNAEF"), QMetaType::QString, 500,
        [this](const ClientDataSet &ds, int l) -> QVariant {
            // among the codes the validity filter leaves visible
            const int r = cdsCNAEF.procura(
                {QStringLiteral("CNAEF_ID"), QStringLiteral("DESMEMBRAMENTO")},
                {ds.valor(l, QStringLiteral("CNAEF_ID")), ds.valor(l, QStringLiteral("DESMEMBRAMENTO"))});
            return r < 0 ? QVariant() : cdsCNAEF.valor(r, QStringLiteral("DESCRICAO"));
        },
        QStringLiteral("CNAEF"));
    cdsAtivos.addCampoCalculado(
        QStringLiteral("DescObrigado"), QMetaType::QString, 4,
        [](const ClientDataSet &ds, int l) {
            return ds.valor(l, QStringLiteral("OBRIGADO")).toString() == u"S" ? QStringLiteral("Sim")
                                                                              : QStringLiteral("Não");
        },
        QStringLiteral("Obrigado"));
}

void TdmPrincipal::registra()
{
    m_abertosNaConexao = {&cdsRegimes,       &cdsCNAEF,        &cdsMunicipios,   &cdsErros,
                          &cdsMunic_Indices, &cdsMunic_Resumo, &cdsMunic_Totais, &cdsMunic_VafA,
                          &cdsMunic_VafB,    &cdsTipos,        &cdsCampos};
    // look-ups first, the sets reading them after; closing walks back, details before their masters
    m_registro = m_abertosNaConexao;
    m_registro << &cdsAtivos;
    m_registro << todos();
    // a look-up read again may name codes differently: the calculated fields reading it start over
    for (ClientDataSet *l : {&cdsRegimes, &cdsCNAEF, &cdsMunicipios, &cdsErros, &cdsTipos}) {
        connect(l, &ClientDataSet::aberto, this, &TdmPrincipal::invalidaCalculados);
        connect(l, &ClientDataSet::dadosMudaram, this, &TdmPrincipal::invalidaCalculados);
    }
}

void TdmPrincipal::invalidaCalculados()
{
    for (ClientDataSet *cds : std::as_const(m_registro))
        cds->invalidaCalculados();
}

void TdmPrincipal::LiberaCursores()
{
    for (ClientDataSet *cds : std::as_const(m_registro))
        cds->liberaCursor();
    liberaConsultaCNAEF();
}

void TdmPrincipal::SuspendeRegras(bool suspender)
{
    for (ClientDataSet *cds : {&cdsDeclaracoes, &cdsAtivos, &cdsDec_VafDetalhes})
        cds->setRegrasSuspensas(suspender);
}

TdmPrincipal::~TdmPrincipal()
{
    Desconectar();
    m_sqlQuery.reset();
    m_sqlRel.reset();
    QSqlDatabase::removeDatabase(m_nomeConexao);
}

QSqlDatabase TdmPrincipal::MainConnection() const
{
    return QSqlDatabase::database(m_nomeConexao, false);
}

bool TdmPrincipal::conectado() const
{
    return QSqlDatabase::contains(m_nomeConexao) && MainConnection().isOpen();
}

void TdmPrincipal::fatal(const QString &titulo, const QString &texto)
{
    m_ui.aguarde(QString());
    m_ui.erro(titulo, texto);
    throw ProgramaEncerrado{};
}

void TdmPrincipal::Inicia()
{
    const Aguarde aguarde(*this, QStringLiteral("Carregando tabelas do sistema... aguarde."));
    Conectar();
    DesligaDetalhesDeclaracao();
    HabilitaIndices(true);
}

void TdmPrincipal::Conectar()
{
    try {
        Desconectar();
        m_abandonada = false;
        EsqueceErroDisco();
        const QString ini = ArquivoIni();
        QString caminho = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"));
        if (caminho.trimmed().isEmpty()) {
            GravaIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"),
                     DiretorioSistema() + QStringLiteral("bd/ORBEL.GDB"));
            caminho = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"));
        }
        QSqlDatabase db = QSqlDatabase::contains(m_nomeConexao)
                              ? QSqlDatabase::database(m_nomeConexao, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_nomeConexao);
        if (!db.isValid())
            throw OrbelError(QStringLiteral("O driver do Firebird (QIBASE) não está disponível."));
        // "host:path" goes to a server; a plain path opens the file in-process
        db.setDatabaseName(caminho.trimmed());
        db.setUserName(QString::fromLatin1(Usuario));
        db.setPassword(QString::fromLatin1(Senha));
        if (!db.open())
            throw OrbelError(db.lastError().text() +
                             explicaFalhaConexao(caminho.trimmed(), db.lastError().text()));
        AposConectar();
        m_sqlQuery = std::make_unique<QSqlQuery>(db);
        m_sqlRel = std::make_unique<QSqlQuery>(db);
        m_sqlRel->setForwardOnly(true);
    } catch (const std::exception &e) {
        fatal(QStringLiteral("Erro ao conectar com o banco"), mensagemDe(e));
    }

    try {
        abreTabelas();
        aplicaAtualizacoesEstrutura();
    } catch (const std::exception &e) {
        QString texto = mensagemDe(e);
        if (texto.contains(QLatin1String("Table unknown"), Qt::CaseInsensitive))
            texto +=
                QStringLiteral("\r\nO banco de dados %1 não é um banco do ORBEL: faltam as suas tabelas. "
                               "Confira o caminho em [ORBEL] Database no ORBEL.ini.")
                    .arg(MainConnection().databaseName());
        fatal(QStringLiteral("Erro ao abrir tabelas do banco"), texto);
    }
}

void TdmPrincipal::abreTabelas()
{
    const QSqlDatabase db = MainConnection();
    for (ClientDataSet *cds : std::as_const(m_registro)) {
        if (cds == &cdsCNAEF)
            abreCNAEF();
        else if (m_abertosNaConexao.contains(cds))
            cds->open(db);
    }
}

void TdmPrincipal::abreCNAEF()
{
    cdsCNAEF.close();
    const QString ano = LeParametro(QStringLiteral("ANOEXERCICIO"));
    const int y = StrToInt(ano);
    // only the codes in force on the first day after the base year stay visible
    const QDate dia(y + 1, 1, 1);
    cdsCNAEF.setFiltro([dia](const ClientDataSet &ds, int linha) {
        return ds.valor(linha, QStringLiteral("DATA_INICIO")).toDate() <= dia &&
               ds.valor(linha, QStringLiteral("DATA_FIM")).toDate() >= dia;
    });
    cdsCNAEF.open(MainConnection());
}

void TdmPrincipal::aplicaAtualizacoesEstrutura()
{
    const QSqlDatabase db = MainConnection();
    {
        QSqlQuery q = ExecutaSql(
            db,
            QStringLiteral("SELECT ERRO_CODIGO FROM ERROS WHERE ERRO_CODIGO = '17'  OR ERRO_CODIGO = '18'"));
        const bool existe = q.next();
        q.finish();
        if (!existe) {
            ExecutaSql(db, QStringLiteral("INSERT INTO ERROS (ERRO_CODIGO,ERRO_DESCRICAO) VALUES('17','VAF "
                                          "ano atual igual a VAF ano anterior')"));
            ExecutaSql(db, QStringLiteral("INSERT INTO ERROS (ERRO_CODIGO,ERRO_DESCRICAO) "
                                          "VALUES('18','Declaração processada com erro')"));
            m_ui.informa(kTituloReiniciar, kAtualizacao404);
        }
    }
    auto temColuna = [&db](const char *tabela) {
        QSqlQuery q = ExecutaSql(
            db, QStringLiteral(
                    "select 1 AS NOVO_CAMPO from RDB$RELATION_FIELDS rf where rf.RDB$RELATION_NAME = '%1' "
                    "and rf.RDB$FIELD_NAME = 'DEC_VALIDACAO'")
                    .arg(QLatin1String(tabela)));
        const bool tem = q.next();
        q.finish();
        return tem;
    };
    if (!temColuna("HISTORICO")) {
        ExecutaSql(db, QStringLiteral("ALTER TABLE HISTORICO ADD DEC_VALIDACAO varchar(25)"));
        m_ui.informa(kTituloReiniciar, kAtualizacao407);
    }
    if (temColuna("DECLARACOES")) {
        ExecutaSql(db, QStringLiteral("ALTER TABLE DECLARACOES DROP DEC_VALIDACAO"));
        m_ui.informa(kTituloReiniciar, kAtualizacao407);
    }
    ampliaIndicesNavegacao();
}

// Older databases index the taxpayers by municipality and the declarations by IE alone, so the
// browsers' lists wait for a sort of the whole table: those two indexes get the whole sort order.
void TdmPrincipal::ampliaIndicesNavegacao()
{
    const QSqlDatabase db = MainConnection();
    const struct {
        const char *indice, *definicao;
    } indices[] = {{"IDX_ATIVOS_MUNIC_CODIGO", "ATIVOS (MUNIC_CODIGO, IE, NOMECOMER)"},
                   {"DECLARACOES_IE", "DECLARACOES (DEC_IE, DEC_NOME)"}};
    for (const auto &i : indices) {
        QSqlQuery q =
            ExecutaSql(db, QStringLiteral("SELECT COUNT(*) FROM RDB$INDEX_SEGMENTS WHERE RDB$INDEX_NAME = ?"),
                       {QString::fromLatin1(i.indice)});
        const int segmentos = q.next() ? q.value(0).toInt() : 0;
        q.finish();
        if (segmentos > 1)
            continue;
        try {
            if (segmentos == 1)
                ExecutaSql(db, QStringLiteral("DROP INDEX ") + QLatin1String(i.indice));
            ExecutaSql(db, QStringLiteral("CREATE INDEX %1 ON %2")
                               .arg(QLatin1String(i.indice), QLatin1String(i.definicao)));
        } catch (const std::exception &) {
            // another attachment holds the table: the lists are only slower, the next start tries again
        }
    }
}

void TdmPrincipal::Desconectar()
{
    if (!conectado())
        return;
    try {
        for (auto it = m_registro.crbegin(); it != m_registro.crend(); ++it)
            (*it)->close();
        liberaConsultaCNAEF();
        if (m_sqlQuery)
            m_sqlQuery->finish();
        if (m_sqlRel)
            m_sqlRel->finish();
        m_sqlQuery.reset();
        m_sqlRel.reset();
        QSqlDatabase db = MainConnection();
        db.close();
    } catch (const std::exception &e) {
        m_ui.erro(QStringLiteral("Erro ao fechar tabelas do banco"), mensagemDe(e));
    }
}

void TdmPrincipal::AbandonaConexao()
{
    m_abandonada = true;
    Desconectar();
}

QString TdmPrincipal::LeParametro(const QString &chave)
{
    // values are bound, so a key or value holding a quote goes through unchanged
    QSqlQuery q =
        ExecutaSql(MainConnection(), QStringLiteral("SELECT VALOR FROM PARAMETROS WHERE CAMPO=?"), {chave});
    try {
        if (!q.next()) {
            if (q.lastError().isValid())
                throw OrbelError(q.lastError().text());
            return {};
        }
        return q.value(0).toString();
    } catch (const std::exception &e) {
        throw OrbelError::wrap(QStringLiteral("Erro ao ler parâmetros do sistema."), e);
    }
}

void TdmPrincipal::GravaParametro(const QString &chave, const QString &valor)
{
    const QSqlDatabase db = MainConnection();
    bool existe;
    {
        QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT VALOR FROM PARAMETROS WHERE CAMPO=?"), {chave});
        existe = q.next();
    }
    try {
        if (existe)
            ExecutaSql(db, QStringLiteral("UPDATE PARAMETROS SET VALOR=? WHERE CAMPO=?"), {valor, chave});
        else
            ExecutaSql(db, QStringLiteral("INSERT INTO PARAMETROS (CAMPO,VALOR) VALUES(?,?)"),
                       {chave, valor});
    } catch (const std::exception &e) {
        throw OrbelError::wrap(QStringLiteral("Erro ao gravar parâmetros do sistema."), e);
    }
}

void TdmPrincipal::HabilitaIndices(bool ativar)
{
    if (m_abandonada)
        return;
    // a cursor left open on a table makes the server refuse to switch its indexes
    LiberaCursores();
    Aguarde aguarde(*this);
    const QSqlDatabase db = MainConnection();
    if (ativar) {
        aguarde.mostra(QStringLiteral("Habilitando índices... aguarde."));
        m_ui.processaEventos();
        try {
            // switching an active index on again rebuilds it: on a whole state's database that is a
            // second of writing at every start, so only the ones a capture left off are switched
            QSet<QString> inativos;
            {
                QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES "
                                                            "WHERE RDB$INDEX_INACTIVE = 1"));
                while (q.next())
                    inativos.insert(q.value(0).toString());
            }
            for (const char *indice : kIndices) {
                if (!inativos.contains(QString::fromLatin1(indice).trimmed()))
                    continue;
                ExecutaSql(db, QStringLiteral("ALTER INDEX ") + QLatin1String(indice) +
                                   QStringLiteral("ACTIVE "));
                m_ui.processaEventos();
            }
        } catch (const std::exception &e) {
            // an index left inactive only slows reading; the program goes on
            m_ui.mensagem(QString(), QStringLiteral("Erro: ") + mensagemDe(e), UserInterface::Icone::Nenhum,
                          UserInterface::Ok);
        }
    } else {
        aguarde.mostra(QStringLiteral("Desabilitando índices... aguarde."));
        for (const char *indice : kIndices) {
            ExecutaSql(db,
                       QStringLiteral("ALTER INDEX ") + QLatin1String(indice) + QStringLiteral("INACTIVE "));
            m_ui.processaEventos();
        }
    }
}

void TdmPrincipal::MostraAguarde(const QString &texto)
{
    m_ui.aguarde(texto);
}

qint64 TdmPrincipal::TamanhoArquivo(const QString &caminho)
{
    return QFileInfo(caminho).size();
}

void TdmPrincipal::AplicaAlteracoes(ClientDataSet &cds)
{
    try {
        cds.applyUpdates(MainConnection());
    } catch (const std::exception &e) {
        throw OrbelError(mensagemDe(e));
    }
}

void TdmPrincipal::DesligaDetalhesDeclaracao()
{
    const QSqlDatabase db = MainConnection();
    cdsDeclaracoes.close();
    for (ClientDataSet *cds : detalhesDoGrupo()) {
        cds->setMestreParametros(nullptr);
        if (!cds->active())
            cds->open(db); // no rows, but its columns are known
    }
    for (ClientDataSet *cds : detalhesSempreLigados()) {
        cds->setMestreParametros(&cdsDeclaracoes);
        if (!cds->active())
            cds->open(db);
    }
    cdsDeclaracoes.setCommandText(SelecaoVazia);
    cdsDeclaracoes.open(db);
}

void TdmPrincipal::LigaDetalhesDeclaracao()
{
    const QSqlDatabase db = MainConnection();
    cdsDeclaracoes.close();
    for (ClientDataSet *cds : detalhesDoGrupo() + detalhesSempreLigados()) {
        cds->setMestreParametros(cds == &cdsHist_Erros ? &cdsDec_Historico : &cdsDeclaracoes);
        if (!cds->active())
            cds->open(db);
    }
    cdsDeclaracoes.open(db);
}
