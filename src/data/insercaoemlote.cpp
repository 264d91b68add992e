#include "data/insercaoemlote.h"

#include "data/errodisco.h"
#include "data/fbconexao.h"

#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <QSqlDriver>
#include <QVariant>
#include <ibase.h>

#include <cstring>

namespace
{

bool falhou(const ISC_STATUS *s)
{
    return s[0] == 1 && s[1] != 0;
}

constexpr short kWin1252 = 53;

} // namespace

TransacaoEmLote::TransacaoEmLote(const QSqlDatabase &db, int linhasPorLote) : m_porLote(linhasPorLote)
{
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    // Qt's Firebird driver hands out the attachment handle itself
    if (!h.isValid() || !h.canConvert<uint>() || h.toUInt() == 0)
        throw OrbelError(QStringLiteral("A conexão não é uma conexão Firebird aberta."));
    m_dbHandle = h.toUInt();
    m_db = &m_dbHandle;
    ISC_STATUS_ARRAY status;
    static const char tpb[] = {isc_tpb_version3,    isc_tpb_write, isc_tpb_read_committed,
                               isc_tpb_rec_version, isc_tpb_wait,  isc_tpb_no_auto_undo};
    isc_tr_handle tr = 0;
    isc_start_transaction(status, &tr, 1, static_cast<isc_db_handle *>(m_db), short(sizeof tpb), tpb);
    if (falhou(status))
        LancaErroFirebird(status);
    m_tr = tr;
}

TransacaoEmLote::~TransacaoEmLote()
{
    desfaz();
}

void TransacaoEmLote::linhaGravada()
{
    ++m_linhas;
    if (m_porLote > 0 && ++m_noLote >= m_porLote)
        confirma();
}

void TransacaoEmLote::confirma()
{
    m_noLote = 0;
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = m_tr;
    // retaining keeps the prepared statements usable for the next batch
    isc_commit_retaining(status, &tr);
    if (falhou(status))
        LancaErroFirebird(status);
}

void TransacaoEmLote::conclui()
{
    if (!m_tr)
        throw OrbelError(QStringLiteral("A transação já foi encerrada."));
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = m_tr;
    isc_commit_transaction(status, &tr);
    if (falhou(status)) {
        // rolled back once the error was read from the status (a rollback overwrites it)
        struct Desfaz {
            TransacaoEmLote &t;
            ~Desfaz() { t.desfaz(); }
        } desfazAoSair{*this};
        LancaErroFirebird(status);
    }
    m_tr = 0;
}

void TransacaoEmLote::desfaz()
{
    if (!m_tr)
        return;
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = m_tr;
    isc_rollback_transaction(status, &tr);
    // a rollback that fails leaves the transaction uncommitted: the engine undoes it when the
    // attachment ends, so there is nothing more to do here
    m_tr = 0;
}

struct InsercaoEmLote::Impl {
    isc_stmt_handle stmt = 0;
    XSQLDA *entrada = nullptr;
    XSQLDA *saida = nullptr; // columns of a SELECT, all read as text
    std::vector<QByteArray> colunas;
    std::vector<short> nulosSaida;
    bool cursorAberto = false;
    std::vector<QByteArray> buffers;
    std::vector<short> nulos;
    std::vector<short> tipoOriginal;
    std::vector<short> conjuntoOriginal;
    QHash<QString, int> nomes;
    char vazio[1] = {0};

    ~Impl()
    {
        if (stmt) {
            ISC_STATUS_ARRAY status;
            isc_dsql_free_statement(status, &stmt, DSQL_drop);
        }
        free(entrada);
        free(saida);
    }
};

InsercaoEmLote::InsercaoEmLote(TransacaoEmLote &transacao, const QString &sql)
    : d(std::make_unique<Impl>()), m_transacao(transacao)
{
    // named parameters become positions, keeping the names
    QString texto;
    texto.reserve(sql.size());
    int posicao = 0;
    bool aspas = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'')
            aspas = !aspas;
        if (!aspas && c == u':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            qsizetype j = i + 1;
            while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == u'_'))
                ++j;
            const QString nome = sql.mid(i + 1, j - i - 1).toUpper();
            if (!d->nomes.contains(nome))
                d->nomes.insert(nome, posicao);
            ++posicao;
            texto += u'?';
            i = j - 1;
            continue;
        }
        if (!aspas && c == u'?')
            ++posicao;
        texto += c;
    }

    ISC_STATUS_ARRAY status;
    auto *db = static_cast<isc_db_handle *>(transacao.bancoNativo());
    auto *tr = static_cast<isc_tr_handle *>(transacao.transacaoNativa());
    isc_dsql_allocate_statement(status, db, &d->stmt);
    if (falhou(status))
        LancaErroFirebird(status);
    const QByteArray bytes = texto.toUtf8();
    isc_dsql_prepare(status, tr, &d->stmt, 0, bytes.constData(), SQL_DIALECT_V6, nullptr);
    if (falhou(status)) {
        if (EhErroDisco(status))
            LancaErroFirebird(status);
        throw OrbelError(TextoErroFirebird(status) + QStringLiteral("\r\n") + sql.left(300));
    }

    int n = 1;
    d->entrada = static_cast<XSQLDA *>(calloc(1, XSQLDA_LENGTH(n)));
    d->entrada->version = SQLDA_VERSION1;
    d->entrada->sqln = short(n);
    isc_dsql_describe_bind(status, &d->stmt, SQL_DIALECT_V6, d->entrada);
    if (falhou(status))
        LancaErroFirebird(status);
    if (d->entrada->sqld > d->entrada->sqln) {
        n = d->entrada->sqld;
        free(d->entrada);
        d->entrada = static_cast<XSQLDA *>(calloc(1, XSQLDA_LENGTH(n)));
        d->entrada->version = SQLDA_VERSION1;
        d->entrada->sqln = short(n);
        isc_dsql_describe_bind(status, &d->stmt, SQL_DIALECT_V6, d->entrada);
        if (falhou(status))
            LancaErroFirebird(status);
    }
    preparaSaida();
    const int total = d->entrada->sqld;
    d->buffers.resize(total);
    d->nulos.assign(total, -1);
    d->tipoOriginal.resize(total);
    d->conjuntoOriginal.resize(total);
    for (int i = 0; i < total; ++i) {
        XSQLVAR &v = d->entrada->sqlvar[i];
        d->tipoOriginal[i] = short(v.sqltype & ~1);
        d->conjuntoOriginal[i] = short(v.sqlsubtype);
        d->buffers[i].reserve(64);
        v.sqlind = &d->nulos[i];
        v.sqltype = SQL_TEXT | 1;
        v.sqlsubtype = 0;
        v.sqllen = 0;
        v.sqldata = d->buffers[i].data();
    }
}

InsercaoEmLote::~InsercaoEmLote() = default;

int InsercaoEmLote::indice(const QString &nome) const
{
    const auto it = d->nomes.constFind(nome); // callers mostly give the name as declared
    return it != d->nomes.cend() ? *it : d->nomes.value(nome.toUpper(), -1);
}

int InsercaoEmLote::exige(const QString &nome) const
{
    const int i = indice(nome);
    if (i < 0)
        throw OrbelError(QStringLiteral("Parâmetro %1 não encontrado").arg(nome));
    return i;
}

int InsercaoEmLote::parametros() const
{
    return d->entrada ? d->entrada->sqld : 0;
}

void InsercaoEmLote::setNulo(int i)
{
    d->nulos.at(i) = -1;
}

void InsercaoEmLote::limpa()
{
    std::fill(d->nulos.begin(), d->nulos.end(), short(-1));
}

void InsercaoEmLote::setTextoOuNulo(int i, const QString &valor)
{
    if (valor.isEmpty())
        setNulo(i);
    else
        setTexto(i, valor);
}

void InsercaoEmLote::setTexto(int i, const QString &valor)
{
    XSQLVAR &v = d->entrada->sqlvar[i];
    QByteArray &b = d->buffers.at(i);
    // text columns of the database are WIN1252; the server converts what it is given
    const bool win = d->tipoOriginal[i] == SQL_TEXT || d->tipoOriginal[i] == SQL_VARYING
                         ? (d->conjuntoOriginal[i] & 0xFF) == kWin1252
                         : false;
    if (win)
        Win1252::encodeInto(valor, b);
    else
        b = valor.toUtf8();
    v.sqltype = SQL_TEXT | 1;
    v.sqlsubtype = win ? kWin1252 : 4; // 4 = UTF8
    v.sqllen = short(std::min<qsizetype>(b.size(), 32767));
    v.sqldata = b.isEmpty() ? d->vazio : b.data();
    d->nulos[i] = 0;
}

void InsercaoEmLote::poeBinario(int i, short tipo, const void *dados, int tamanho)
{
    XSQLVAR &v = d->entrada->sqlvar[i];
    QByteArray &b = d->buffers.at(i);
    b.resize(tamanho); // the buffer is reused: no allocation per bound value
    std::memcpy(b.data(), dados, size_t(tamanho));
    v.sqltype = short(tipo | 1);
    v.sqlsubtype = 0;
    v.sqlscale = 0;
    v.sqllen = short(tamanho);
    v.sqldata = b.data();
    d->nulos[i] = 0;
}

void InsercaoEmLote::setDouble(int i, double valor)
{
    poeBinario(i, SQL_DOUBLE, &valor, sizeof valor);
}

void InsercaoEmLote::setInteiro(int i, qint64 valor)
{
    const ISC_INT64 x = valor;
    poeBinario(i, SQL_INT64, &x, sizeof x);
}

void InsercaoEmLote::setData(int i, const QDate &valor)
{
    if (!valor.isValid()) {
        setNulo(i);
        return;
    }
    const ISC_DATE x = ISC_DATE(QDate(1858, 11, 17).daysTo(valor)); // the engine counts days from 17/11/1858
    poeBinario(i, SQL_TYPE_DATE, &x, sizeof x);
}

void InsercaoEmLote::setHora(int i, const QTime &valor)
{
    if (!valor.isValid()) {
        setNulo(i);
        return;
    }
    const ISC_TIME x = ISC_TIME(valor.msecsSinceStartOfDay()) * 10; // in ten-thousandths of a second
    poeBinario(i, SQL_TYPE_TIME, &x, sizeof x);
}

void InsercaoEmLote::zera()
{
    for (int i = 0; i < parametros(); ++i) {
        switch (d->tipoOriginal[i]) {
        case SQL_TEXT:
        case SQL_VARYING:
            setTexto(i, QString());
            break;
        case SQL_TYPE_DATE:
            setData(i, QDate(1899, 12, 30));
            break;
        case SQL_TYPE_TIME:
            setHora(i, QTime(0, 0));
            break;
        case SQL_TIMESTAMP:
            setTexto(i, QStringLiteral("30.12.1899 00:00:00"));
            break;
        default:
            setDouble(i, 0);
            break;
        }
    }
}

void InsercaoEmLote::setValor(int i, const QVariant &valor)
{
    if (!valor.isValid() || valor.isNull()) {
        setNulo(i);
        return;
    }
    switch (valor.typeId()) {
    case QMetaType::QString:
        setTexto(i, valor.toString());
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        setInteiro(i, valor.toLongLong());
        break;
    case QMetaType::QDate:
        setData(i, valor.toDate());
        break;
    case QMetaType::QTime:
        setHora(i, valor.toTime());
        break;
    default:
        setDouble(i, valor.toDouble());
        break;
    }
}

void InsercaoEmLote::preparaSaida()
{
    ISC_STATUS_ARRAY status;
    d->saida = static_cast<XSQLDA *>(calloc(1, XSQLDA_LENGTH(1)));
    d->saida->version = SQLDA_VERSION1;
    d->saida->sqln = 1;
    isc_dsql_describe(status, &d->stmt, SQL_DIALECT_V6, d->saida);
    if (falhou(status))
        LancaErroFirebird(status);
    const int n = d->saida->sqld;
    if (n == 0) {
        free(d->saida);
        d->saida = nullptr;
        return;
    }
    if (n > 1) {
        free(d->saida);
        d->saida = static_cast<XSQLDA *>(calloc(1, XSQLDA_LENGTH(n)));
        d->saida->version = SQLDA_VERSION1;
        d->saida->sqln = short(n);
        isc_dsql_describe(status, &d->stmt, SQL_DIALECT_V6, d->saida);
        if (falhou(status))
            LancaErroFirebird(status);
    }
    d->colunas.resize(n);
    d->nulosSaida.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        XSQLVAR &v = d->saida->sqlvar[i];
        const bool texto = (v.sqltype & ~1) == SQL_TEXT || (v.sqltype & ~1) == SQL_VARYING;
        // the server writes every column as text: numbers in its own form, text in the
        // attachment's character set
        const short tamanho = short(texto ? std::max<int>(v.sqllen, 1) : 64);
        d->colunas[i].resize(tamanho + 2);
        v.sqltype = SQL_VARYING | 1;
        v.sqllen = tamanho;
        v.sqldata = d->colunas[i].data();
        v.sqlind = &d->nulosSaida[i];
    }
}

void InsercaoEmLote::executa()
{
    ISC_STATUS_ARRAY status;
    auto *tr = static_cast<isc_tr_handle *>(m_transacao.transacaoNativa());
    if (d->cursorAberto) {
        isc_dsql_free_statement(status, &d->stmt, DSQL_close);
        d->cursorAberto = false;
    }
    isc_dsql_execute(status, tr, &d->stmt, SQL_DIALECT_V6, d->entrada);
    if (falhou(status))
        LancaErroFirebird(status);
    if (d->saida)
        d->cursorAberto = true;
    else
        m_transacao.linhaGravada();
}

bool InsercaoEmLote::proxima()
{
    if (!d->cursorAberto)
        return false;
    ISC_STATUS_ARRAY status;
    const ISC_STATUS r = isc_dsql_fetch(status, &d->stmt, SQL_DIALECT_V6, d->saida);
    if (r == 100) {
        isc_dsql_free_statement(status, &d->stmt, DSQL_close);
        d->cursorAberto = false;
        return false;
    }
    if (falhou(status))
        LancaErroFirebird(status);
    return true;
}

QString InsercaoEmLote::texto(int coluna) const
{
    if (!d->saida || coluna < 0 || coluna >= d->saida->sqld || d->nulosSaida[coluna] < 0)
        return {};
    const QByteArray &b = d->colunas[size_t(coluna)];
    short tamanho;
    std::memcpy(&tamanho, b.constData(), sizeof tamanho);
    // Qt's attachment talks UTF-8
    return QString::fromUtf8(b.constData() + sizeof tamanho, tamanho).trimmed();
}
