#include "data/fbconexao.h"

#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <QStringList>
#include <ibase.h>

namespace
{

void verifica(const ISC_STATUS *status, const QString &contexto)
{
    if (status[0] == 1 && status[1] != 0)
        throw OrbelError(contexto.isEmpty() ? TextoErroFirebird(status)
                                            : contexto + QStringLiteral("\r\n") + TextoErroFirebird(status));
}

// The file name always goes as UTF-8, which the engine is told: clerks' folders have accents, and
// a name in the attachment's character set (WIN1252) cannot hold every one of them.
QByteArray dpb(const QString &usuario, const QString &senha, bool criacao)
{
    QByteArray d;
    d.append(char(isc_dpb_version1));
    auto poe = [&d](char tag, const QByteArray &v) {
        d.append(tag);
        d.append(char(v.size()));
        d.append(v);
    };
    auto poeInteiro = [&d](char tag, quint32 v) {
        d.append(tag);
        d.append(char(4));
        for (int i = 0; i < 4; ++i)
            d.append(char((v >> (8 * i)) & 0xFF));
    };
    poe(isc_dpb_user_name, usuario.toUtf8());
    poe(isc_dpb_password, senha.toUtf8());
    poe(isc_dpb_lc_ctype, QByteArrayLiteral("WIN1252"));
    d.append(char(isc_dpb_utf8_filename));
    d.append(char(0));
    if (criacao) {
        poeInteiro(isc_dpb_page_size, 8192);
        poeInteiro(isc_dpb_sql_dialect, 3);
        poe(isc_dpb_set_db_charset, QByteArrayLiteral("WIN1252"));
    }
    return d;
}

} // namespace

namespace
{
void (*g_aposConectar)() = nullptr;
}

void DefineAposConectar(void (*funcao)())
{
    g_aposConectar = funcao;
}

void AposConectar()
{
    if (g_aposConectar)
        g_aposConectar();
}

QString TextoErroFirebird(const intptr_t *status)
{
    QString msg;
    char buf[1024];
    const ISC_STATUS *p = status;
    while (fb_interpret(buf, sizeof buf, &p)) {
        if (!msg.isEmpty())
            msg += u'\n';
        // the text comes in the attachment's character set: UTF-8 for Qt's, Windows-1252 for ours
        const QByteArrayView bytes(buf, qstrlen(buf));
        const QString utf8 = QString::fromUtf8(bytes);
        msg += utf8.contains(QChar::ReplacementCharacter) ? Win1252::decode(bytes) : utf8;
    }
    return msg;
}

FbConexao::~FbConexao()
{
    desconecta();
}

void FbConexao::criaBanco(const QString &caminho, const QString &usuario, const QString &senha)
{
    desconecta();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    const QByteArray path = caminho.toUtf8();
    const QByteArray d = dpb(usuario, senha, true);
    isc_create_database(status, static_cast<short>(path.size()), path.constData(), &db,
                        static_cast<short>(d.size()), d.constData(), 0);
    verifica(status, QStringLiteral("Não foi possível criar o banco de dados ") + caminho);
    m_db = db;
    AposConectar();
}

void FbConexao::conecta(const QString &caminho, const QString &usuario, const QString &senha)
{
    desconecta();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    const QByteArray path = caminho.toUtf8();
    const QByteArray d = dpb(usuario, senha, false);
    isc_attach_database(status, static_cast<short>(path.size()), path.constData(), &db,
                        static_cast<short>(d.size()), d.constData());
    verifica(status, QStringLiteral("Não foi possível abrir o banco de dados ") + caminho);
    m_db = db;
    AposConectar();
}

void FbConexao::desconecta()
{
    if (!m_db)
        return;
    ISC_STATUS_ARRAY status;
    isc_db_handle db = m_db;
    isc_detach_database(status, &db);
    m_db = 0;
}

void FbConexao::executa(const QString &sql)
{
    if (!m_db)
        throw OrbelError(QStringLiteral("Banco de dados não conectado."));
    ISC_STATUS_ARRAY status;
    isc_db_handle db = m_db;
    isc_tr_handle tr = 0;
    isc_start_transaction(status, &tr, 1, &db, 0, nullptr);
    verifica(status, {});
    const QByteArray texto = Win1252::encode(sql);
    isc_dsql_execute_immediate(status, &db, &tr, 0, texto.constData(), SQL_DIALECT_V6, nullptr);
    if (status[0] == 1 && status[1] != 0) {
        const QString msg = TextoErroFirebird(status);
        ISC_STATUS_ARRAY st2;
        isc_rollback_transaction(st2, &tr);
        throw OrbelError(msg + QStringLiteral("\r\n") + sql.left(200));
    }
    isc_commit_transaction(status, &tr);
    verifica(status, {});
}

QString FbConexao::plano(const QString &sql)
{
    if (!m_db)
        throw OrbelError(QStringLiteral("Banco de dados não conectado."));
    ISC_STATUS_ARRAY status;
    isc_db_handle db = m_db;
    isc_tr_handle tr = 0;
    isc_start_transaction(status, &tr, 1, &db, 0, nullptr);
    verifica(status, {});
    isc_stmt_handle st = 0;
    isc_dsql_allocate_statement(status, &db, &st);
    QString erro, texto;
    if (status[0] == 1 && status[1] != 0) {
        erro = TextoErroFirebird(status);
    } else {
        const QByteArray comando = Win1252::encode(sql);
        isc_dsql_prepare(status, &tr, &st, 0, comando.constData(), SQL_DIALECT_V6, nullptr);
        if (status[0] == 1 && status[1] != 0) {
            erro = TextoErroFirebird(status);
        } else {
            const char pedido = isc_info_sql_get_plan;
            QByteArray resposta(65536, '\0');
            isc_dsql_sql_info(status, &st, 1, &pedido, short(resposta.size() - 1), resposta.data());
            if (resposta[0] == char(isc_info_sql_get_plan)) {
                const int tamanho = int(isc_vax_integer(resposta.constData() + 1, 2));
                texto = Win1252::decode(QByteArrayView(resposta.constData() + 3, tamanho)).trimmed();
            }
        }
        ISC_STATUS_ARRAY st2;
        isc_dsql_free_statement(st2, &st, DSQL_drop);
    }
    ISC_STATUS_ARRAY st3;
    isc_rollback_transaction(st3, &tr);
    if (!erro.isEmpty())
        throw OrbelError(erro + QStringLiteral("\r\n") + sql.left(200));
    return texto;
}

QStringList DivideScriptSql(const QString &script)
{
    QStringList comandos;
    QString terminador = QStringLiteral(";");
    QString atual;
    const qsizetype n = script.size();
    qsizetype i = 0;
    auto fecha = [&]() {
        const QString c = atual.trimmed();
        atual.clear();
        if (c.isEmpty())
            return;
        // SET TERM changes the terminator and is not sent to the server
        static const QString setTerm = QStringLiteral("SET TERM ");
        if (c.startsWith(setTerm, Qt::CaseInsensitive)) {
            terminador = c.mid(setTerm.size()).trimmed();
            return;
        }
        if (c.compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0)
            return; // every statement is committed on its own
        comandos << c;
    };
    while (i < n) {
        const QChar ch = script[i];
        if (ch == u'-' && i + 1 < n && script[i + 1] == u'-') {
            while (i < n && script[i] != u'\n')
                ++i;
            continue;
        }
        if (ch == u'/' && i + 1 < n && script[i + 1] == u'*') {
            const qsizetype fim = script.indexOf(QStringLiteral("*/"), i + 2);
            i = fim < 0 ? n : fim + 2;
            continue;
        }
        if (ch == u'\'' || ch == u'"') {
            const qsizetype inicio = i++;
            while (i < n) {
                if (script[i] == ch) {
                    if (i + 1 < n && script[i + 1] == ch) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            atual += QStringView(script).mid(inicio, i - inicio + 1);
            ++i;
            continue;
        }
        if (QStringView(script).mid(i).startsWith(terminador)) {
            // "SET TERM ^ ;" itself ends with the current terminator
            fecha();
            i += terminador.size();
            continue;
        }
        atual += ch;
        ++i;
    }
    fecha();
    return comandos;
}
