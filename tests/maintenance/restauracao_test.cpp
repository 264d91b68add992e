#include "data/tdmprincipal.h"
#include "maintenance/copiaseguranca.h"
#include "maintenance/processabackup.h"
#include "maintenance/restauracao.h"
#include "maintenance/widgets/frmcopiaseguranca.h"
#include "maintenance/widgets/frmrestauracao.h"
#include "maintenance/widgets/tfprocessabackup.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include "support/executaorbel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>
#include <zip.h>

namespace
{
struct Ambiente : ModuloTeste {
    Ambiente()
    {
        inicia();
        BancoDeTeste b(home.banco());
        b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES ('123', '001')");
    }
    int ativos()
    {
        BancoDeTeste b(home.banco());
        return b.conta("ATIVOS");
    }
    QString ultimaMensagem() const
    {
        return ui.mensagens().isEmpty() ? QString() : ui.mensagens().last().texto;
    }
};

void arquivoCom(const QString &caminho, const QList<QPair<QByteArray, QByteArray>> &entradas)
{
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(caminho).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    for (const auto &[nome, dados] : entradas) {
        void *copia = malloc(dados.size() + 1);
        memcpy(copia, dados.constData(), dados.size());
        zip_file_add(z, nome.constData(), zip_source_buffer(z, copia, dados.size(), 1), ZIP_FL_OVERWRITE);
    }
    zip_close(z);
}

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

TEST(Restore, BadArchivesLeaveTheDatabaseInPlaceAndTheProgramConnected)
{
    Ambiente a;
    const QByteArray banco = le(a.home.banco());
    const QString dir = a.home.arquivo("Backup/");
    // a real backup with its compressed bytes damaged: the directory reads, the data does not
    arquivoCom(dir + "bom.zip", {{"ORBEL.GDB", banco}});
    QByteArray estragado = le(dir + "bom.zip");
    for (int i = 2000; i < 6000; ++i)
        estragado[i] = char(estragado[i] ^ 0x5a);
    QFile f(dir + "corrompido.zip");
    f.open(QIODevice::WriteOnly);
    f.write(estragado);
    f.close();
    arquivoCom(dir + "sembanco.zip", {{"LEIAME.txt", "nada"}});
    arquivoCom(dir + "lixo.zip", {{"ORBEL.gdb", QByteArray(64 * 1024, 'x')}});
    QFile vazio(dir + "vazio.zip"); // the end record alone: an archive without entries
    vazio.open(QIODevice::WriteOnly);
    vazio.write(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    vazio.close();
    QFile texto(dir + "texto.zip");
    texto.open(QIODevice::WriteOnly);
    texto.write("isto não é um arquivo compactado");
    texto.close();

    struct Caso {
        const char *arquivo;
        const char *mensagem;
    };
    const Caso casos[] = {
        {"corrompido.zip", "Erro ao executar a restauração do arquivo"},
        {"sembanco.zip", "O arquivo compactado não contém o banco de dados ORBEL.gdb."},
        {"lixo.zip", "não serve como banco de dados do ORBEL"},
        {"vazio.zip", "Erro - nenhum arquivo do tipo Compactado(.ZIP) encontrado!"},
        {"texto.zip", "Erro - nenhum arquivo do tipo Compactado(.ZIP) encontrado!"},
        {"naoexiste.zip", "Erro - nenhum arquivo do tipo Compactado(.ZIP) encontrado!"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.arquivo);
        a.ui.limpa();
        EXPECT_FALSE(RestauraCopiaSeguranca(*a.dm, dir + c.arquivo));
        EXPECT_TRUE(a.ultimaMensagem().contains(QString::fromUtf8(c.mensagem)))
            << a.ultimaMensagem().toStdString();
        EXPECT_TRUE(a.dm->conectado());
        EXPECT_EQ(a.ativos(), 1);
        EXPECT_EQ(LeIni(a.home.ini(), "ORBEL", "Restore"), dir + c.arquivo);
        EXPECT_EQ(QDir(a.home.arquivo("bd")).entryList(QDir::Files), QStringList{"ORBEL.GDB"});
        EXPECT_TRUE(
            QDir(a.home.arquivo("temp")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
}

TEST(Restore, RefusedNamesTouchNothingAndStoredFoldersStayInsideTemp)
{
    Ambiente a;
    for (const QString &nome : {QString(" "), a.home.arquivo("Backup/B.ZIP")}) {
        try {
            RestauraCopiaSeguranca(*a.dm, nome);
            ADD_FAILURE();
        } catch (const OrbelError &e) {
            EXPECT_EQ(e.message(), nome.trimmed().isEmpty()
                                       ? QString("Favor Selecionar arquivo a ser restaurado")
                                       : QString("Arquivo deve ter a extensão .zip"));
        }
    }
    EXPECT_TRUE(LeIni(a.home.ini(), "ORBEL", "Restore").isEmpty());

    // a backup made elsewhere: folders in the names, an entry that tries to climb out
    const QByteArray banco = le(a.home.banco());
    BancoDeTeste(a.home.banco()).executa("DELETE FROM ATIVOS");
    const QString zip = a.home.arquivo("Backup/pastas.zip");
    arquivoCom(zip, {{"C/ORBEL/bd/orbel.GDB", banco}, {"../../fora.txt", "x"}});
    EXPECT_TRUE(RestauraCopiaSeguranca(*a.dm, zip));
    EXPECT_EQ(a.ultimaMensagem(), QString("Backup restaurado com sucesso. Arquivos extraidos = 2"));
    EXPECT_EQ(a.ativos(), 1);
    EXPECT_FALSE(QFile::exists(a.home.arquivo("fora.txt")));
    EXPECT_FALSE(QFile::exists(a.home.arquivo("../fora.txt")));
}

TEST(BackupWindows, BackupWindowProposesItsDefaultsAndRefusesABlankName)
{
    Ambiente a;
    TfrmCopiaSeguranca w(*a.dm, nullptr, QDateTime(QDate(2024, 3, 5), QTime(9, 7)));
    EXPECT_EQ(w.windowTitle(), QString("Gravar cópia de segurança"));
    EXPECT_EQ(w.edtDiretorioDestino->text(), a.home.arquivo("Backup/"));
    EXPECT_TRUE(w.edtDiretorioDestino->isReadOnly());
    EXPECT_EQ(w.edtNomeArquivo->text(), QString("BKPORBEL2023_050320240907.zip"));
    a.ui.enfileiraArquivo("C:\\");
    w.sbtnDiretorioClick();
    EXPECT_EQ(w.edtDiretorioDestino->text(), QString("C:\\"));
    w.sbtnDiretorioClick(); // a cancelled picker changes nothing
    EXPECT_EQ(w.edtDiretorioDestino->text(), QString("C:\\"));

    w.edtNomeArquivo->clear();
    w.btnBackupClick();
    EXPECT_TRUE(a.ultimaMensagem().startsWith("Favor informar o caminho completo do backup:"));
    EXPECT_NE(w.result(), QDialog::Accepted);
}

TEST(BackupWindows, ProgressWindowClosesAfterSuccessAndStaysAfterAFailedRestore)
{
    Ambiente a;
    const QString zip = a.home.arquivo("Backup/b.zip");
    ProcessaBackup copia(a.ui, ProcessaBackup::Modo::Backup, zip, a.home.banco());
    EXPECT_TRUE(TfProcessaBackup::Executa(copia, nullptr));
    EXPECT_TRUE(QFile::exists(zip));

    a.dm->Desconectar();
    arquivoCom(a.home.arquivo("Backup/sembanco.zip"), {{"LEIAME.txt", "nada"}});
    ProcessaBackup volta(a.ui, ProcessaBackup::Modo::Restauracao, a.home.arquivo("Backup/sembanco.zip"),
                         a.home.banco());
    TfProcessaBackup w(volta);
    w.show();
    QElapsedTimer t;
    t.start();
    while (!w.btnFechar->isEnabled() && t.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(w.windowTitle(), QString("Efetuando restauração..."));
    EXPECT_EQ(w.lblContador->text(), QString("Backup 1 de 1"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.sucesso());
    w.btnFechar->click();
    EXPECT_FALSE(w.isVisible());
    a.dm->Conectar();
}

TEST(BackupWindows, RestoreWindowStartsInTheBackupFolderAndAsksForAFile)
{
    Ambiente a;
    QFile(a.home.arquivo("Backup/BKPORBEL2023_010120240000.zip")).open(QIODevice::WriteOnly);
    TfrmRestauracao w(*a.dm);
    EXPECT_EQ(w.windowTitle(), QString("Restaração de Cópia de Segurança"));
    EXPECT_EQ(w.pastaAtual(), a.home.arquivo("Backup"));
    ASSERT_EQ(w.lstArquivos->count(), 1);
    w.sbtnRestauraClick();
    EXPECT_EQ(a.ultimaMensagem(), QString("Favor Selecionar arquivo a ser restaurado"));
    w.lstArquivos->setCurrentRow(0);
    EXPECT_EQ(w.arquivoSelecionado(), a.home.arquivo("Backup/BKPORBEL2023_010120240000.zip"));
}

TEST(BackupCommands, BackupPrintsTheArchiveAndRestorePutsItBack)
{
    auto home = TempHome::seeded();
    auto orbel = [&](const QStringList &args, QString *saida = nullptr, QString *erros = nullptr) {
        const SaidaOrbel r = ExecutaOrbel(QStringList{"--home", home.path()} + args);
        if (saida)
            *saida = r.saida;
        if (erros)
            *erros = r.erros;
        return r.status;
    };
    QString saida, erros;
    ASSERT_EQ(orbel({"backup", "--dir", home.arquivo("copias"), "--name", "c.zip"}, &saida, &erros), 0)
        << erros.toStdString();
    EXPECT_TRUE(saida.endsWith(home.arquivo("copias/c.zip") + "\n")) << saida.toStdString();
    EXPECT_TRUE(saida.contains("Arquivo de backup criado com sucesso!"));
    EXPECT_EQ(orbel({"backup", "--nome", "x"}), 2);
    EXPECT_EQ(orbel({"restore"}), 2);
    EXPECT_EQ(orbel({"restore", home.arquivo("copias/C.ZIP")}, nullptr, &erros), 1);
    EXPECT_TRUE(erros.contains("Arquivo deve ter a extensão .zip"));
    BancoDeTeste(home.banco()).executa("DELETE FROM MUNICIPIOS");
    ASSERT_EQ(orbel({"restore", home.arquivo("copias/c.zip")}, &saida, &erros), 0) << erros.toStdString();
    EXPECT_TRUE(saida.contains("Backup restaurado com sucesso. Arquivos extraidos = 1"));
    EXPECT_EQ(BancoDeTeste(home.banco()).conta("MUNICIPIOS"), 50);
}
