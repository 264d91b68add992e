#include "maintenance/processabackup.h"

#include "data/tdmprincipal.h"
#include "maintenance/arquivobanco.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/zipengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString ArquivoACompactar(const QString &configuracaoBanco)
{
    return ArquivoBanco::de(configuracaoBanco).arquivo;
}

ProcessaBackup::ProcessaBackup(UserInterface &ui, Modo modo, QString arquivoZip, QString configuracaoBanco)
    : m_ui(ui), m_modo(modo), m_zip(std::move(arquivoZip)), m_banco(std::move(configuracaoBanco))
{
    m_tela.destino = QDir::toNativeSeparators(m_zip);
}

void ProcessaBackup::muda()
{
    if (aoMudar)
        aoMudar(m_tela);
}

void ProcessaBackup::novoArquivo(const QString &nome, qint64 tamanho)
{
    m_tela.arquivoAtual = QFileInfo(nome).fileName();
    m_tela.barraArquivo = 1;
    m_tamanhoArquivo = tamanho;
    m_progressoArquivo = 0;
    muda();
}

void ProcessaBackup::progresso(qint64 mais)
{
    m_progressoArquivo += mais;
    m_progressoTotal += mais;
    m_tela.barraArquivo = m_tamanhoArquivo == 0
                              ? 10001
                              : qRound(double(m_progressoArquivo) * 10000.0 / double(m_tamanhoArquivo)) + 1;
    if (m_tamanhoTotal != 0)
        m_tela.barraTotal = qRound(double(m_progressoTotal) * 10000.0 / double(m_tamanhoTotal)) + 1;
    muda();
}

void ProcessaBackup::fimLote()
{
    m_tela.arquivoAtual.clear();
    m_tela.barraArquivo = 1;
    m_tela.barraTotal = 1;
    m_tela.status1.clear();
    m_tela.status2.clear();
    muda();
}

void ProcessaBackup::totalArquivos(int n)
{
    m_tela.status2 = QString::number(n) + QStringLiteral(" arquivos");
    muda();
}

void ProcessaBackup::totalBytes(qint64 n)
{
    m_tela.status1 = QStringLiteral("Tamanho total: ") + QString::number(n / 1024) + QStringLiteral(" Kb");
    m_tela.barraTotal = 1;
    m_tela.maximoArquivo = 10001;
    m_tamanhoTotal = n;
    m_progressoTotal = 0;
    muda();
}

void ProcessaBackup::falha(const QString &texto, bool ficaAberta)
{
    m_erro = texto;
    m_ficaAberta = ficaAberta;
}

bool ProcessaBackup::executa()
{
    m_erro.clear();
    m_ficaAberta = false;
    m_extraidos = 0;
    try {
        if (m_modo == Modo::Backup)
            compacta();
        else
            restaura();
    } catch (const std::exception &e) {
        falha(mensagemDe(e), m_modo == Modo::Restauracao);
    }
    if (!m_erro.isEmpty() && m_modo == Modo::Restauracao)
        m_ui.mostraErro(m_erro); // a backup's caller reports its own failure
    return m_erro.isEmpty();
}

namespace
{
// Hooks the engine's events to the display; the engine reports bytes done so far in each file.
void liga(ZipEngine &zip, ProcessaBackup &p, UserInterface &ui, qint64 &feitos)
{
    zip.aoNovoArquivo = [&](const QString &nome, qint64 tamanho) {
        ui.processaEventos();
        feitos = 0;
        p.novoArquivo(nome, tamanho);
    };
    zip.aoProgresso = [&](qint64 bytes) {
        ui.processaEventos();
        const qint64 mais = bytes - feitos;
        feitos = bytes;
        p.progresso(mais);
    };
    zip.aoFimLote = [&] { p.fimLote(); };
    zip.aoTotalArquivos = [&](int n) { p.totalArquivos(n); };
    zip.aoTotalBytes = [&](qint64 n) { p.totalBytes(n); };
    zip.aoMensagem = [&](int codigo, const QString &texto) {
        if (codigo > 0)
            ui.mensagem(QStringLiteral("ERRO"), QStringLiteral("Mensagem de erro: ") + texto,
                        UserInterface::Icone::Erro, UserInterface::Ok);
    };
}
} // namespace

void ProcessaBackup::compacta()
{
    m_tela.caption = QStringLiteral("Efetuando backup...");
    const QString arquivo = ArquivoACompactar(m_banco);
    m_tela.arquivoAtual = QDir::toNativeSeparators(arquivo);
    muda();
    if (!QFileInfo(arquivo).isFile())
        throw OrbelError(QStringLiteral("O arquivo do banco de dados %1 não foi encontrado neste computador.")
                             .arg(QDir::toNativeSeparators(arquivo)));
    ZipEngine zip;
    qint64 feitos = 0;
    liga(zip, *this, m_ui, feitos);
    try {
        zip.adiciona(m_zip, arquivo);
    } catch (const std::exception &e) {
        throw OrbelError::wrap(
            QStringLiteral("Não foi possível gravar o arquivo de backup %1.\r\nVerifique se "
                           "há espaço em disco e permissão de gravação na pasta destino.")
                .arg(QDir::toNativeSeparators(m_zip)),
            e);
    }
}

void ProcessaBackup::restaura()
{
    const ArquivoBanco banco = ArquivoBanco::de(m_banco);
    QDir().mkpath(DiretorioTemp());
    if (banco.configuracao.isEmpty())
        throw OrbelError(QStringLiteral("Não foi possível recuperar o caminho da base de dados"));
    m_tela.caption = QStringLiteral("Efetuando restauração...");
    muda();

    ZipEngine zip;
    qint64 feitos = 0;
    liga(zip, *this, m_ui, feitos);
    if (zip.conta(m_zip) == 0) {
        // the window closes as after a run; nothing was touched
        falha(QStringLiteral("Erro - nenhum arquivo do tipo Compactado(.ZIP) encontrado!"), false);
        return;
    }
    const QString erroRestauracao = QStringLiteral("Erro ao executar a restauração do arquivo");
    try {
        ConfirmaBancoLivre(banco, QStringLiteral("A restauração"));
        // a folder of its own inside temp/: no file left by an earlier run can pass for this archive's
        QTemporaryDir pasta(DiretorioTemp() + QStringLiteral("restauracao-XXXXXX"));
        if (!pasta.isValid())
            throw OrbelError(QStringLiteral("Não foi possível criar uma pasta em ") +
                             QDir::toNativeSeparators(DiretorioTemp()));
        m_extraidos = zip.extrai(m_zip, pasta.path());

        // the backup stores the file under its own name (ORBEL.GDB); any case will do
        QString extraido;
        const QStringList nomes = QDir(pasta.path()).entryList(QDir::Files);
        for (const QString &n : nomes)
            if (n.compare(QLatin1String("ORBEL.gdb"), Qt::CaseInsensitive) == 0)
                extraido = QDir(pasta.path()).filePath(n);
        if (extraido.isEmpty())
            throw OrbelError(QStringLiteral("O arquivo compactado não contém o banco de dados ORBEL.gdb."));

        // brought beside the live file first, so the final step is a rename on one disk
        const QString candidato = banco.pasta() + QStringLiteral("bkp_tmp_Restaura.gdb");
        QFile::remove(candidato);
        if (!QFile::rename(extraido, candidato))
            throw OrbelError(
                QStringLiteral("Não foi possível copiar o banco de dados extraído para %1. Verifique "
                               "se há espaço em disco.")
                    .arg(QDir::toNativeSeparators(banco.pasta())));
        if (QFileInfo::exists(banco.arquivo))
            QFile::setPermissions(candidato, QFile::permissions(banco.arquivo));
        try {
            try {
                VerificaBanco(banco.conexaoPara(candidato), QString::fromLatin1(TdmPrincipal::Usuario),
                              QString::fromLatin1(TdmPrincipal::Senha));
            } catch (const std::exception &e) {
                throw OrbelError::wrap(
                    QStringLiteral("O arquivo ORBEL.gdb do arquivo compactado não serve como "
                                   "banco de dados do ORBEL."),
                    e);
            }
            TrocaArquivo(candidato, banco.arquivo, [&] {
                VerificaBanco(banco.configuracao, QString::fromLatin1(TdmPrincipal::Usuario),
                              QString::fromLatin1(TdmPrincipal::Senha));
            });
        } catch (...) {
            QFile::remove(candidato);
            throw;
        }
    } catch (const std::exception &e) {
        throw OrbelError(erroRestauracao + QStringLiteral("\r\n") + mensagemDe(e) +
                         QStringLiteral("\r\nO banco de dados atual foi mantido."));
    }
    m_ui.informa(QString(), QStringLiteral("Backup restaurado com sucesso. Arquivos extraidos = ") +
                                QString::number(m_extraidos));
}
