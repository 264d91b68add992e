#include "data/tdmprincipal.h"
#include "maintenance/arquivobanco.h"
#include "maintenance/copiaseguranca.h"
#include "maintenance/limpalixo.h"
#include "maintenance/processabackup.h"
#include "maintenance/restauracao.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "shell/zipengine.h"
#include "support/banco.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace
{
struct Ambiente : ModuloTeste {
    Ambiente() { inicia(); }
    // Rows behind the program's back; the side connection is closed again, as gbak needs the file.
    void executa(const QString &sql)
    {
        BancoDeTeste b(home.banco());
        b.executa(sql);
    }
    int conta(const QString &tabela)
    {
        BancoDeTeste b(home.banco());
        return b.conta(tabela);
    }
    // A stand-in for gbak in the program folder, where it is looked for first.
    void gbakFalso(const QString &script)
    {
        QFile f(home.arquivo("gbak"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("#!/bin/sh\n" + script + "\n").toUtf8());
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QStringList sobras() const
    {
        return QDir(home.arquivo("bd")).entryList(QDir::Files).filter("bkp_tmp") +
               QDir(home.arquivo("bd")).entryList(QDir::Files).filter("anterior");
    }
    QString backup(const QString &nome = "BKPORBEL2023_teste.zip")
    {
        return EfetuaCopiaSeguranca(*dm, home.arquivo("Backup/"), nome);
    }
};

// The real gbak for one half of the cycle, a fault for the other.
const char *kMataNaCopia = "case \"$1\" in -b) eval out=\\${$#}; head -c 5000 /dev/urandom > \"$out\"; "
                           "kill -9 $$;; *) exec /usr/bin/gbak \"$@\";; esac";
const char *kMataNaReconstrucao =
    "case \"$1\" in -c) eval out=\\${$#}; head -c 20000 /dev/urandom > \"$out\"; "
    "kill -9 $$;; *) exec /usr/bin/gbak \"$@\";; esac";
const char *kReconstroiLixo = "case \"$1\" in -c) eval out=\\${$#}; head -c 20000 /dev/urandom > \"$out\"; "
                              "exit 0;; *) exec /usr/bin/gbak \"$@\";; esac";
} // namespace

TEST(Backup, RoundTripRebuildsTheFileArchivesItAndRestoresEveryRow)
{
    Ambiente a;
    a.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES ('123', '001')");
    a.executa("INSERT INTO DECLARACOES (DEC_ID, DEC_IE) VALUES (7, '123')");
    const QString arquivo = a.backup();
    EXPECT_EQ(arquivo, a.home.arquivo("Backup/BKPORBEL2023_teste.zip"));
    EXPECT_EQ(LeIni(a.home.ini(), "ORBEL", "Backup"), arquivo);
    ASSERT_FALSE(a.ui.mensagens().isEmpty());
    EXPECT_EQ(a.ui.mensagens().last().titulo, QString("Backup finalizado"));
    EXPECT_EQ(a.ui.mensagens().last().texto, QString("Arquivo de backup criado com sucesso!"));
    EXPECT_TRUE(a.dm->conectado());
    EXPECT_TRUE(a.sobras().isEmpty()) << a.sobras().join(",").toStdString();
    QFile log(a.home.arquivo("LogORBEL.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("Iniciou limpa lixo...\r\nFinalizou limpa lixo...\r\n"));
    EXPECT_EQ(ZipEngine().conta(arquivo), 1);

    // emptied, then restored from the archive: the rows come back
    a.executa("DELETE FROM DECLARACOES");
    a.executa("DELETE FROM ATIVOS");
    a.ui.limpa();
    EXPECT_TRUE(RestauraCopiaSeguranca(*a.dm, arquivo));
    EXPECT_EQ(a.ui.mensagens().last().texto,
              QString("Backup restaurado com sucesso. Arquivos extraidos = 1"));
    EXPECT_TRUE(a.dm->conectado());
    EXPECT_EQ(a.conta("ATIVOS"), 1);
    EXPECT_EQ(a.conta("DECLARACOES"), 1);
    EXPECT_EQ(a.dm->cdsMunicipios.recordCount(), 50);
    EXPECT_EQ(LeIni(a.home.ini(), "ORBEL", "Restore"), arquivo);
    EXPECT_TRUE(a.sobras().isEmpty());
    EXPECT_TRUE(QDir(a.home.arquivo("temp")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(Backup, AGbakRunKilledOrLyingNeverReplacesTheDatabase)
{
    struct Caso {
        const char *script;
        const char *esperado;
    };
    const Caso casos[] = {
        {kMataNaCopia, "A cópia do banco de dados pelo gbak falhou: o gbak foi interrompido"},
        {kMataNaReconstrucao, "A reconstrução do banco de dados pelo gbak falhou: o gbak foi interrompido"},
        {kReconstroiLixo, "O banco de dados reconstruído pelo gbak não pôde ser aberto"},
        {"echo 'gbak: ERROR: sem espaço' >&2; exit 1", "o gbak terminou com o código de erro 1"},
        {"exit 0", "o gbak não gravou o arquivo"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.script);
        Ambiente a;
        a.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES ('123', '001')");
        a.gbakFalso(c.script);
        try {
            a.backup();
            ADD_FAILURE() << "the backup went on";
        } catch (const OrbelError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.esperado))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("O banco de dados não foi alterado") ||
                        e.message().contains("o banco de dados atual foi mantido"));
        }
        EXPECT_TRUE(a.dm->conectado());
        EXPECT_EQ(a.conta("ATIVOS"), 1);
        EXPECT_TRUE(a.sobras().isEmpty()) << a.sobras().join(",").toStdString();
        EXPECT_FALSE(QFile::exists(a.home.arquivo("Backup/BKPORBEL2023_teste.zip")));
        EXPECT_TRUE(LeIni(a.home.ini(), "ORBEL", "Backup").isEmpty());
    }
}

TEST(Backup, RefusalsComeBeforeTheGbakCycle)
{
    Ambiente a;
    a.gbakFalso("touch \"$0.ran\"; exit 1");
    // a blank name, a folder under a file, a database held open elsewhere, no gbak at all
    EXPECT_THROW(
        {
            try {
                a.backup("  ");
            } catch (const OrbelError &e) {
                EXPECT_EQ(e.message(),
                          QString("Favor informar o caminho completo do backup:\r\n- Diretório\r\n"
                                  "- Nome Arquivo"));
                throw;
            }
        },
        OrbelError);
    try {
        EfetuaCopiaSeguranca(*a.dm, a.home.ini() + "/sub/", "x.zip");
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().startsWith("Não é possível gravar na pasta destino"))
            << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(a.home.arquivo("gbak.ran")));
    EXPECT_FALSE(QFile::exists(a.home.arquivo("LogORBEL.txt")));

    QFile::remove(a.home.arquivo("gbak"));
    {
        BancoDeTeste outro(a.home.banco()); // keeps the file open past the program's disconnect
        try {
            a.backup();
            ADD_FAILURE();
        } catch (const OrbelError &e) {
            EXPECT_TRUE(e.message().contains("está aberto em outro programa")) << e.message().toStdString();
        }
        EXPECT_TRUE(a.dm->conectado());
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", a.home.arquivo("bin").toUtf8());
    try {
        a.backup();
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().startsWith("O programa gbak do Firebird não foi encontrado"));
    }
    qputenv("PATH", path);
    EXPECT_TRUE(a.dm->conectado());
}

TEST(Backup, DefaultsAndTheDatabaseSettingsKinds)
{
    auto home = TempHome::vazio();
    EXPECT_EQ(DiretorioBackupPadrao(), home.arquivo("Backup/"));
    EXPECT_TRUE(QDir(home.arquivo("Backup")).exists());
    EXPECT_EQ(NomeBackupPadrao("2019", QDateTime(QDate(2020, 3, 5), QTime(9, 7))),
              QString("BKPORBEL2019_050320200907.zip"));
    EXPECT_EQ(PastaEscolhida("C:\\"), QString("C:\\"));
    EXPECT_EQ(PastaEscolhida("C:\\Copias"), QString("C:\\Copias\\"));
    EXPECT_EQ(PastaEscolhida("/srv/copias"), QString("/srv/copias/"));
    EXPECT_EQ(PastaEscolhida(""), QString());

    EXPECT_EQ(ArquivoACompactar("servidor:C:\\ORBEL\\bd\\ORBEL.GDB"), QString("C:\\ORBEL\\bd\\ORBEL.GDB"));
    EXPECT_EQ(ArquivoACompactar("C:\\ORBEL\\bd\\ORBEL.GDB"), QString("C:\\ORBEL\\bd\\ORBEL.GDB"));
    EXPECT_EQ(ArquivoACompactar("localhost:/srv/ORBEL.GDB"), QString("/srv/ORBEL.GDB"));
    EXPECT_EQ(ArquivoACompactar("/srv/ORBEL.GDB"), QString("/srv/ORBEL.GDB"));
    EXPECT_TRUE(ArquivoBanco::de("localhost/3051:/srv/ORBEL.GDB").nestaMaquina());
    EXPECT_TRUE(ArquivoBanco::de("/srv/ORBEL.GDB").nestaMaquina());
    EXPECT_FALSE(ArquivoBanco::de("fazenda:/srv/ORBEL.GDB").nestaMaquina());
    EXPECT_EQ(ArquivoBanco::de("localhost:/srv/ORBEL.GDB").conexaoPara("/srv/x.gdb"),
              QString("localhost:/srv/x.gdb"));

    ScriptedUi ui;
    ProcessaBackup p(ui, ProcessaBackup::Modo::Backup, "/x/b.zip", "/x/ORBEL.GDB");
    p.totalArquivos(1);
    p.totalBytes(4096 + 1000);
    EXPECT_EQ(p.tela().status1, QString("Tamanho total: 4 Kb"));
    EXPECT_EQ(p.tela().status2, QString("1 arquivos"));
    p.novoArquivo("/x/ORBEL.GDB", 5096);
    EXPECT_EQ(p.tela().arquivoAtual, QString("ORBEL.GDB"));
    p.progresso(2548);
    EXPECT_EQ(p.tela().barraArquivo, 5001);
    EXPECT_EQ(p.tela().barraTotal, 5001);
    p.novoArquivo("vazio.txt", 0);
    p.progresso(0);
    EXPECT_EQ(p.tela().barraArquivo, 10001);
    p.fimLote();
    EXPECT_EQ(p.tela().barraArquivo, 1);
    EXPECT_EQ(p.tela().barraTotal, 1);
    EXPECT_TRUE(p.tela().arquivoAtual.isEmpty() && p.tela().status1.isEmpty() && p.tela().status2.isEmpty());
}

// The test script starts Debian's Firebird server on 127.0.0.1 and names it in ORBEL_TEST_SERVER.
TEST(Backup, ThroughALocalServerAndRefusedWhileAnotherAttachmentHoldsIt)
{
    const QString servidor = qEnvironmentVariable("ORBEL_TEST_SERVER");
    if (servidor.isEmpty())
        GTEST_SKIP() << "no Firebird server started for this run (scripts/test starts one)";
    auto home = TempHome::seeded();
    QFile::setPermissions(home.banco(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther);
    const QString conexao = servidor + ":" + home.banco();
    GravaIni(home.ini(), "ORBEL", "Database", conexao);
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    {
        BancoDeTeste b(conexao);
        b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES ('9', '001')");
        try {
            EfetuaCopiaSeguranca(dm, home.arquivo("Backup/"), "a.zip");
            ADD_FAILURE();
        } catch (const OrbelError &e) {
            EXPECT_TRUE(e.message().contains("está aberto em outro programa")) << e.message().toStdString();
        }
        EXPECT_TRUE(dm.conectado());
    }
    const QString arquivo = EfetuaCopiaSeguranca(dm, home.arquivo("Backup/"), "b.zip");
    EXPECT_EQ(ZipEngine().conta(arquivo), 1);
    {
        BancoDeTeste b(conexao);
        b.executa("DELETE FROM ATIVOS");
    }
    EXPECT_TRUE(RestauraCopiaSeguranca(dm, arquivo));
    BancoDeTeste b(conexao);
    EXPECT_EQ(b.conta("ATIVOS"), 1);
}
