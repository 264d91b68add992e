#include "maintenance/limpalixo.h"

#include "data/tdmprincipal.h"
#include "maintenance/arquivobanco.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString LocalizaGbak()
{
    const QStringList aoLado = {DiretorioSistema() + QStringLiteral("gbak"),
                                QCoreApplication::applicationDirPath() + QStringLiteral("/gbak")};
    for (const QString &c : aoLado) {
        const QFileInfo fi(c);
        if (fi.isFile() && fi.isExecutable())
            return fi.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("gbak"));
}

QStringList ArgumentosBackupGbak(const QString &usuario, const QString &senha, const QString &banco,
                                 const QString &temporario)
{
    return {QStringLiteral("-b"),
            QStringLiteral("-t"),
            QStringLiteral("-l"),
            QStringLiteral("-user"),
            usuario,
            QStringLiteral("-password"),
            senha,
            banco,
            temporario};
}

QStringList ArgumentosRestauraGbak(const QString &usuario, const QString &senha, const QString &temporario,
                                   const QString &banco)
{
    // -c alone: the new file never exists yet, so nothing is ever replaced by gbak itself
    return {QStringLiteral("-c"),
            QStringLiteral("-user"),
            usuario,
            QStringLiteral("-password"),
            senha,
            temporario,
            banco};
}

ResultadoGbak ExecutaGbak(const QString &gbak, const QStringList &argumentos, UserInterface *ui)
{
    ResultadoGbak r;
    QProcess p;
    p.setProgram(gbak);
    p.setArguments(argumentos);
    p.setWorkingDirectory(DiretorioSistema());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QIODevice::ReadWrite);
    if (!p.waitForStarted(-1)) {
        r.saida = p.errorString();
        return r;
    }
    r.iniciou = true;
    p.closeWriteChannel(); // gbak must never sit waiting for an answer
    while (p.state() != QProcess::NotRunning) {
        p.waitForFinished(100);
        r.saida += QString::fromLocal8Bit(p.readAll());
        if (ui)
            ui->processaEventos();
    }
    r.saida += QString::fromLocal8Bit(p.readAll());
    r.terminouNormalmente = p.exitStatus() == QProcess::NormalExit;
    r.codigoSaida = r.terminouNormalmente ? p.exitCode() : -1;
    return r;
}

namespace
{

const QString kIgnorar = QStringLiteral("bkp_tmp_Ignore");

// The last lines gbak wrote: its own words on why it stopped.
QString finalDaSaida(const QString &saida)
{
    QStringList linhas = saida.split(u'\n', Qt::SkipEmptyParts);
    for (QString &l : linhas)
        l = l.trimmed();
    linhas.removeAll(QString());
    if (linhas.size() > 6)
        linhas = linhas.mid(linhas.size() - 6);
    return linhas.join(QStringLiteral("\r\n"));
}

void confere(const ResultadoGbak &r, const QString &arquivo, const QString &etapa)
{
    QString motivo;
    if (!r.iniciou)
        motivo = QStringLiteral("não foi possível executar o gbak");
    else if (!r.terminouNormalmente)
        motivo = QStringLiteral("o gbak foi interrompido antes de terminar");
    else if (r.codigoSaida != 0)
        motivo = QStringLiteral("o gbak terminou com o código de erro %1").arg(r.codigoSaida);
    else if (!QFileInfo::exists(arquivo))
        motivo = QStringLiteral("o gbak não gravou o arquivo %1").arg(QDir::toNativeSeparators(arquivo));
    else if (QFileInfo(arquivo).size() == 0)
        motivo = QStringLiteral("o gbak gravou o arquivo %1 vazio").arg(QDir::toNativeSeparators(arquivo));
    if (motivo.isEmpty())
        return;
    QString texto =
        etapa + QStringLiteral(": ") + motivo +
        QStringLiteral(".\r\nO banco de dados não foi alterado. Verifique se há espaço em disco e "
                       "se o banco não está aberto em outro programa, e tente novamente.");
    const QString detalhe = finalDaSaida(r.saida);
    if (!detalhe.isEmpty())
        texto += QStringLiteral("\r\n\r\n") + detalhe;
    throw OrbelError(texto);
}

void ciclo(const ArquivoBanco &banco, const QString &gbak, const QString &temporario, const QString &novo,
           const QString &usuario, const QString &senha, UserInterface &ui)
{
    try {
        ConfirmaBancoLivre(banco, QStringLiteral("A cópia de segurança"));
    } catch (const OrbelError &e) {
        throw OrbelError(e.message() + QStringLiteral(" O banco de dados não foi alterado."));
    }
    const ResultadoGbak copia =
        ExecutaGbak(gbak, ArgumentosBackupGbak(usuario, senha, banco.configuracao, temporario), &ui);
    confere(copia, temporario, QStringLiteral("A cópia do banco de dados pelo gbak falhou"));

    const ResultadoGbak refeito =
        ExecutaGbak(gbak, ArgumentosRestauraGbak(usuario, senha, temporario, banco.conexaoPara(novo)), &ui);
    confere(refeito, novo, QStringLiteral("A reconstrução do banco de dados pelo gbak falhou"));
    try {
        VerificaBanco(banco.conexaoPara(novo), usuario, senha);
    } catch (const std::exception &e) {
        throw OrbelError::wrap(QStringLiteral("O banco de dados reconstruído pelo gbak não pôde ser aberto; "
                                              "o banco de dados atual foi mantido."),
                               e);
    }
    TrocaArquivo(novo, banco.arquivo, [&] { VerificaBanco(banco.configuracao, usuario, senha); });
}

} // namespace

void LimpaLixo(TdmPrincipal &dm, const QString &usuario, const QString &senha)
{
    const ArquivoBanco banco =
        ArquivoBanco::de(LeIni(ArquivoIni(), QStringLiteral("ORBEL"), QStringLiteral("Database")));
    if (banco.configuracao.isEmpty())
        throw OrbelError(QStringLiteral("Não foi possível recuperar o caminho da base de dados"));
    if (!banco.nestaMaquina())
        ConfirmaBancoLivre(banco, QStringLiteral("A cópia de segurança"));
    const QString gbak = LocalizaGbak();
    if (gbak.isEmpty())
        throw OrbelError(
            QStringLiteral("O programa gbak do Firebird não foi encontrado na pasta do programa nem "
                           "no PATH.\r\nInstale as ferramentas do Firebird (pacote "
                           "firebird3.0-utils) e tente novamente."));
    const QString temporario = banco.pasta() + kIgnorar + QStringLiteral(".gbk");
    const QString novo = banco.pasta() + kIgnorar + QStringLiteral(".gdb");
    auto limpa = [&] {
        QFile::remove(temporario);
        QFile::remove(novo);
    };
    limpa();
    dm.MostraAguarde(QStringLiteral("Reorganizando o banco de dados... aguarde."));
    try {
        dm.Desconectar();
        ciclo(banco, gbak, temporario, novo, usuario, senha, dm.ui());
    } catch (...) {
        limpa();
        dm.MostraAguarde(QString());
        dm.Conectar(); // the program goes on with the database as it was
        throw;
    }
    limpa();
    dm.MostraAguarde(QString());
    dm.Conectar();
}
