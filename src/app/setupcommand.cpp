#include "app/setupcommand.h"

#include "app/subcomando.h"
#include "shell/diretorios.h"

#include "data/criabanco.h"
#include "shell/figurasavisos.h"
#include "shell/inifile.h"
#include "shell/instalaajuda.h"
#include "shell/orbelerror.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

int ExecutaSetup(const OpcoesSetup &opcoes, QString *mensagem)
{
    const QString home = QDir::cleanPath(QFileInfo(opcoes.home).absoluteFilePath());
    const QString banco = home + QStringLiteral("/bd/ORBEL.GDB");
    const int ano = opcoes.anoBase ? opcoes.anoBase : QDate::currentDate().year() - 1;
    if (QFileInfo::exists(banco) && !opcoes.forcar) {
        *mensagem = QStringLiteral("Já existe um banco de dados em %1; ele não foi substituído. "
                                   "Use --force para criar um banco novo no lugar dele.")
                        .arg(banco);
        return 1;
    }
    // what this run creates, so that a failure takes it away again (a half-made home would be taken
    // for an installed one)
    QStringList criados;
    for (const QString &p :
         {QString(), QStringLiteral("/bd"), QStringLiteral("/temp"), QStringLiteral("/bin"),
          QStringLiteral("/Backup"), QStringLiteral("/ORBEL.ini"), QStringLiteral("/ORBEL.HLP")})
        if (!QFileInfo::exists(home + p))
            criados << home + p;
    try {
        for (const char *pasta : {"bd", "temp", "bin", "Backup"})
            if (!QDir().mkpath(home + u'/' + QLatin1String(pasta)))
                throw OrbelError(QStringLiteral("Não foi possível criar a pasta ") + home + u'/' +
                                 QLatin1String(pasta));

        const QString ini = home + QStringLiteral("/ORBEL.ini");
        CriaOrbelIni(ini, banco);

        GravaFigurasAvisos(home + QStringLiteral("/bin"));
        GravaAvisosExemplo(home + QStringLiteral("/bin"));
        InstalaAjuda(home + QStringLiteral("/ORBEL.HLP"));

        if (QFileInfo::exists(banco) && !QFile::remove(banco))
            throw OrbelError(QStringLiteral("Não foi possível substituir o banco de dados ") + banco);
        CriaBancoOrbel(banco, ano);
    } catch (const std::exception &e) {
        *mensagem = mensagemDe(e);
        for (auto it = criados.crbegin(); it != criados.crend(); ++it) {
            if (QFileInfo(*it).isDir())
                QDir(*it).removeRecursively();
            else
                QFile::remove(*it);
        }
        return 1;
    }
    *mensagem = QStringLiteral("Pasta do ORBEL criada em %1 (ano base %2).").arg(home).arg(ano);
    return 0;
}

Subcomando SubcomandoSetup()
{
    Subcomando s;
    s.nome = QStringLiteral("setup");
    s.resumo = QStringLiteral("cria a pasta do programa e o banco de dados");
    s.descricao = QStringLiteral(
        "Cria a pasta do programa (ORBEL.ini, bd/, bin/, temp/, Backup/ e a ajuda) e um banco\n"
        "de dados novo. Um banco existente só é substituído com --force.");
    s.opcoes = {{QStringLiteral("base-year"),
                 QStringLiteral("ano base do banco novo (padrão: o ano passado)"), QStringLiteral("AAAA")},
                {QStringLiteral("force"), QStringLiteral("substitui o banco de dados que já existir")}};
    s.executa = [](const QCommandLineParser &p) {
        OpcoesSetup op;
        op.home = DiretorioSistema();
        op.forcar = p.isSet(QStringLiteral("force"));
        if (p.isSet(QStringLiteral("base-year"))) {
            const QString texto = p.value(QStringLiteral("base-year"));
            bool ok = false;
            op.anoBase = texto.toInt(&ok);
            if (!ok || op.anoBase < 1900 || op.anoBase > 2999)
                throw ErroDeUso(QStringLiteral("Ano base inválido: ") + texto);
        }
        QString mensagem;
        const int status = ExecutaSetup(op, &mensagem);
        EscreveLinha(status == 0 ? stdout : stderr, mensagem);
        return status;
    };
    return s;
}
