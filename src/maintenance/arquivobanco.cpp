#include "maintenance/arquivobanco.h"

#include "shell/orbelerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

ArquivoBanco ArquivoBanco::de(const QString &configuracao)
{
    ArquivoBanco a;
    a.configuracao = configuracao.trimmed();
    const qsizetype dois = a.configuracao.indexOf(u':');
    // one letter before the colon is a drive; anything longer names a server
    if (dois > 1) {
        a.servidor = a.configuracao.left(dois);
        a.arquivo = a.configuracao.mid(dois + 1);
    } else {
        a.arquivo = a.configuracao;
    }
    return a;
}

bool ArquivoBanco::nestaMaquina() const
{
    if (servidor.isEmpty())
        return true;
    const QString host = servidor.section(u'/', 0, 0).toLower();
    return host == QLatin1String("localhost") || host == QLatin1String("127.0.0.1") ||
           host == QSysInfo::machineHostName().toLower();
}

QString ArquivoBanco::conexaoPara(const QString &outroArquivo) const
{
    return servidor.isEmpty() ? outroArquivo : servidor + u':' + outroArquivo;
}

QString ArquivoBanco::pasta() const
{
    QString p = QFileInfo(arquivo).absolutePath();
    if (!p.endsWith(u'/'))
        p += u'/';
    return p;
}

bool BancoEmUso(const QString &arquivo)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(arquivo).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // missing or unreadable: nothing of ours can tell
    const bool emUso = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // closing releases a lock we may have taken
    return emUso;
#else
    Q_UNUSED(arquivo);
    return false;
#endif
}

void ConfirmaBancoLivre(const ArquivoBanco &banco, const QString &operacao)
{
    if (!banco.nestaMaquina())
        throw OrbelError(
            QStringLiteral("O banco de dados fica no servidor %1, em outro computador.\r\n%2 só pode "
                           "ser feita no computador onde está o arquivo do banco de dados.")
                .arg(banco.servidor, operacao));
    if (BancoEmUso(banco.arquivo))
        throw OrbelError(
            QStringLiteral("O banco de dados %1 está aberto em outro programa (outra janela do ORBEL "
                           "ou uma ferramenta do Firebird).\r\nFeche esse programa e tente novamente.")
                .arg(QDir::toNativeSeparators(banco.arquivo)));
}

void VerificaBanco(const QString &conexao, const QString &usuario, const QString &senha)
{
    const QString nome = QStringLiteral("verifica-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString erro;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), nome);
        db.setDatabaseName(conexao);
        db.setUserName(usuario);
        db.setPassword(senha);
        if (!db.open()) {
            erro = QStringLiteral("O arquivo não abre como banco de dados do Firebird.\r\n") +
                   db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT VALOR FROM PARAMETROS WHERE CAMPO = ?"));
            q.addBindValue(QStringLiteral("ANOEXERCICIO"));
            bool numero = false;
            if (!q.exec())
                erro =
                    QStringLiteral("O arquivo não é um banco de dados do ORBEL.\r\n") + q.lastError().text();
            else if (!q.next() || (q.value(0).toString().trimmed().toInt(&numero), !numero))
                erro = QStringLiteral("O banco de dados não tem o ano base (parâmetro ANOEXERCICIO).");
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
    if (!erro.isEmpty())
        throw OrbelError(erro);
}

namespace
{
bool renomeia(const QString &de, const QString &para, QString *erro)
{
    // a plain rename: never a silent copy that could be left half done
    if (std::rename(QFile::encodeName(de).constData(), QFile::encodeName(para).constData()) == 0)
        return true;
    *erro = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}
} // namespace

void TrocaArquivo(const QString &novo, const QString &vivo, const std::function<void()> &aposTroca)
{
    const bool haVivo = QFileInfo::exists(vivo);
    const QString deLado = vivo + QStringLiteral(".anterior-") +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    QString erro;
    if (haVivo) {
        QFile::setPermissions(novo, QFile::permissions(vivo)); // a server must still open it
        if (!renomeia(vivo, deLado, &erro))
            throw OrbelError(QStringLiteral("Não foi possível pôr de lado o banco de dados atual %1: %2")
                                 .arg(QDir::toNativeSeparators(vivo), erro));
    }
    auto volta = [&] {
        if (haVivo) {
            QString e;
            std::remove(QFile::encodeName(vivo).constData());
            renomeia(deLado, vivo, &e);
        }
    };
    if (!renomeia(novo, vivo, &erro)) {
        volta();
        throw OrbelError(QStringLiteral("Não foi possível colocar o novo banco de dados em %1: %2")
                             .arg(QDir::toNativeSeparators(vivo), erro));
    }
    if (aposTroca) {
        try {
            aposTroca();
        } catch (...) {
            volta();
            throw;
        }
    }
    if (haVivo)
        QFile::remove(deLado);
}
