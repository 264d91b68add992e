#include "maintenance/copiaseguranca.h"

#include "data/tdmprincipal.h"
#include "maintenance/limpalixo.h"
#include "maintenance/processabackup.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

bool ProcessaSemJanela(ProcessaBackup &p)
{
    return p.executa();
}

QString DiretorioBackupPadrao()
{
    const QString pasta = DiretorioSistema() + QStringLiteral("Backup/");
    QDir().mkpath(pasta);
    return pasta;
}

QString NomeBackupPadrao(const QString &anoBase, const QDateTime &agora)
{
    return QStringLiteral("BKPORBEL") + anoBase + agora.toString(QStringLiteral("_ddMMyyyyhhmm")) +
           QStringLiteral(".zip");
}

QString PastaEscolhida(const QString &pasta)
{
    if (pasta.isEmpty())
        return {};
    QString p = pasta;
    const QChar separador = p.contains(u'\\') ? u'\\' : u'/';
    if (p.size() == 3 && p[1] == u':')
        p = p.left(2);
    if (!p.endsWith(separador))
        p += separador;
    return p;
}

namespace
{
// A folder we cannot write into would only be found out after the whole gbak cycle.
void confirmaGravavel(const QString &pasta)
{
    QDir().mkpath(pasta);
    QTemporaryFile teste(QDir(pasta).filePath(QStringLiteral("orbel-teste-XXXXXX")));
    if (!QFileInfo(pasta).isDir() || !teste.open())
        throw OrbelError(QStringLiteral("Não é possível gravar na pasta destino %1.\r\nEscolha uma pasta com "
                                        "permissão de gravação e espaço livre.")
                             .arg(QDir::toNativeSeparators(pasta)));
}
} // namespace

QString EfetuaCopiaSeguranca(TdmPrincipal &dm, const QString &pasta, const QString &nome,
                             const ExecutaProcessamento &processa)
{
    // checked before the gbak cycle, which may take minutes on a large database
    if (pasta.trimmed().isEmpty() || nome.trimmed().isEmpty())
        throw OrbelError(
            QStringLiteral("Favor informar o caminho completo do backup:\r\n- Diretório\r\n- Nome "
                           "Arquivo"));
    confirmaGravavel(pasta);
    const QString ini = ArquivoIni();
    if (LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database")).trimmed().isEmpty())
        throw OrbelError(QStringLiteral("Não foi possível recuperar o caminho da base de dados"));

    dm.ConfigApp().GravaLog(QStringLiteral("Iniciou limpa lixo..."));
    LimpaLixo(dm, QStringLiteral("SYSDBA"), QStringLiteral("plumwater"));
    dm.ConfigApp().GravaLog(QStringLiteral("Finalizou limpa lixo..."));

    const QString banco = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"));
    if (banco.trimmed().isEmpty())
        throw OrbelError(QStringLiteral("Não foi possível recuperar o caminho da base de dados"));
    const QString arquivo = PastaEscolhida(pasta) + nome.trimmed();
    ProcessaBackup p(dm.ui(), ProcessaBackup::Modo::Backup, arquivo, banco.trimmed());
    if (!processa(p))
        throw OrbelError(p.erro());
    GravaIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Backup"), arquivo);
    dm.ui().informa(QStringLiteral("Backup finalizado"),
                    QStringLiteral("Arquivo de backup criado com sucesso!"));
    return arquivo;
}
