#include "shell/zipengine.h"

#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStorageInfo>
#include <zip.h>

#include <array>
#include <cerrno>
#include <memory>

namespace
{

struct FechaZip {
    void operator()(zip_t *z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, FechaZip>;

// The clerk reads Portuguese; libzip's own English text follows in brackets for whoever supports them.
QString textoCodigoZip(int codigo)
{
    switch (codigo) {
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("arquivo compactado em vários volumes não é aceito");
    case ZIP_ER_RENAME:
        return QStringLiteral("não foi possível renomear o arquivo temporário");
    case ZIP_ER_CLOSE:
        return QStringLiteral("não foi possível fechar o arquivo compactado");
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return QStringLiteral("erro ao posicionar no arquivo");
    case ZIP_ER_READ:
        return QStringLiteral("erro de leitura");
    case ZIP_ER_WRITE:
        return QStringLiteral("erro de gravação");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_INCONS:
    case ZIP_ER_COMPRESSED_DATA:
        return QStringLiteral("o arquivo compactado está corrompido");
    case ZIP_ER_NOENT:
        return QStringLiteral("arquivo não encontrado");
    case ZIP_ER_EXISTS:
        return QStringLiteral("o arquivo já existe");
    case ZIP_ER_OPEN:
        return QStringLiteral("não foi possível abrir o arquivo");
    case ZIP_ER_TMPOPEN:
        return QStringLiteral("não foi possível criar o arquivo temporário");
    case ZIP_ER_MEMORY:
        return QStringLiteral("memória insuficiente");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("método de compactação não suportado");
    case ZIP_ER_EOF:
        return QStringLiteral("o arquivo compactado está incompleto");
    case ZIP_ER_NOZIP:
        return QStringLiteral("não é um arquivo compactado (zip)");
    case ZIP_ER_REMOVE:
        return QStringLiteral("não foi possível apagar o arquivo");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("o arquivo compactado está protegido por senha");
    case ZIP_ER_RDONLY:
        return QStringLiteral("o arquivo compactado é somente leitura");
    case ZIP_ER_INUSE:
        return QStringLiteral("o arquivo está em uso");
    case ZIP_ER_CANCELLED:
        return QStringLiteral("operação cancelada");
    default:
        return QStringLiteral("erro no arquivo compactado");
    }
}

// The system's part of an error, where it is one a clerk can act on.
QString textoSistema(int erroSistema)
{
    switch (erroSistema) {
    case ENOSPC:
        return QStringLiteral("disco cheio");
    case EACCES:
    case EPERM:
        return QStringLiteral("acesso negado");
    case EROFS:
        return QStringLiteral("disco somente leitura");
    case ENOENT:
        return QStringLiteral("arquivo ou pasta não encontrado");
    default:
        return {};
    }
}

QString textoErro(zip_error_t *e)
{
    QString texto = textoCodigoZip(zip_error_code_zip(e));
    if (zip_error_system_type(e) == ZIP_ET_SYS) {
        const QString sistema = textoSistema(zip_error_code_system(e));
        if (!sistema.isEmpty())
            texto += QStringLiteral(": ") + sistema;
    }
    return texto + QStringLiteral(" (") + QString::fromLocal8Bit(zip_error_strerror(e)) + u')';
}

QString erroZip(int codigo)
{
    zip_error_t e;
    zip_error_init_with_code(&e, codigo);
    const QString texto = textoErro(&e);
    zip_error_fini(&e);
    return texto;
}

QString erroZip(zip_t *z)
{
    return textoErro(zip_get_error(z));
}

Zip abre(const QString &arquivo, int modo)
{
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(arquivo).constData(), modo, &erro);
    if (!z)
        throw OrbelError(
            QStringLiteral("Não foi possível abrir o arquivo compactado %1: %2").arg(arquivo, erroZip(erro)));
    return Zip(z);
}

// Only the last part of a stored name counts: folders are dropped and nothing can climb out.
QString nomeSemPasta(const char *bruto)
{
    QString nome = QString::fromUtf8(bruto);
    nome.replace(u'\\', u'/');
    nome = nome.section(u'/', -1);
    if (nome == QLatin1String(".") || nome == QLatin1String(".."))
        return {};
    return nome;
}

} // namespace

void ZipEngine::mensagem(int codigo, const QString &texto)
{
    if (aoMensagem)
        aoMensagem(codigo, texto);
}

int ZipEngine::conta(const QString &arquivo)
{
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(arquivo).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
    if (!z) {
        mensagem(erro, erroZip(erro));
        return 0;
    }
    const zip_int64_t n = zip_get_num_entries(z, 0);
    zip_discard(z);
    return n < 0 ? 0 : int(n);
}

int ZipEngine::extrai(const QString &arquivo, const QString &pasta, qint64 maximoPorEntrada)
{
    Zip z = abre(arquivo, ZIP_RDONLY);
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    if (aoTotalArquivos)
        aoTotalArquivos(int(n));
    QDir().mkpath(pasta);
    // everything is checked before the first byte is written: an archive that would fill the
    // disk, or whose entries would overwrite one another once their folders are dropped, is
    // refused whole
    qint64 total = 0;
    QHash<QString, QString> nomes; // flattened name -> name as stored
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), i, 0, &st) != 0 || !st.name)
            continue;
        const QString nome = nomeSemPasta(st.name);
        if (nome.isEmpty())
            continue;
        const QString guardado = QString::fromUtf8(st.name);
        if (nomes.contains(nome))
            throw ArquivoCompactadoRecusado(
                QStringLiteral("O arquivo compactado %1 tem duas entradas que seriam gravadas como "
                               "%2 (\"%3\" e \"%4\"); nenhuma foi extraída.")
                    .arg(QFileInfo(arquivo).fileName(), nome, nomes.value(nome), guardado));
        nomes.insert(nome, guardado);
        if (!(st.valid & ZIP_STAT_SIZE))
            continue;
        if (maximoPorEntrada > 0 && qint64(st.size) > maximoPorEntrada)
            throw ArquivoCompactadoRecusado(
                QStringLiteral("A entrada %1 do arquivo compactado %2 se expande em %3 "
                               "MB, mais que os %4 MB que um arquivo desse tipo pode "
                               "ter; nada foi extraído.")
                    .arg(nome, QFileInfo(arquivo).fileName())
                    .arg(qint64(st.size) / (1024 * 1024))
                    .arg(maximoPorEntrada / (1024 * 1024)));
        total += qint64(st.size);
    }
    const QStorageInfo disco(pasta);
    if (disco.isValid() && disco.bytesAvailable() >= 0 && total > disco.bytesAvailable())
        throw ArquivoCompactadoRecusado(
            QStringLiteral("O arquivo compactado %1 se expande em %2 MB, mais que o espaço livre "
                           "de %3 MB na pasta %4; nada foi extraído.")
                .arg(QFileInfo(arquivo).fileName())
                .arg(total / (1024 * 1024))
                .arg(disco.bytesAvailable() / (1024 * 1024))
                .arg(QDir::toNativeSeparators(pasta)));
    if (aoTotalBytes)
        aoTotalBytes(total);

    int escritos = 0;
    std::array<char, 65536> buffer;
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), i, 0, &st) != 0 || !st.name)
            continue;
        const QString nome = nomeSemPasta(st.name);
        if (nome.isEmpty())
            continue; // a folder entry
        if (aoNovoArquivo)
            aoNovoArquivo(nome, qint64(st.size));
        zip_file_t *f = zip_fopen_index(z.get(), i, 0);
        if (!f)
            throw OrbelError(
                QStringLiteral("Não foi possível ler %1 em %2: %3").arg(nome, arquivo, erroZip(z.get())));
        // written under a temporary name and renamed at the end: no half file under the real name
        QSaveFile saida(QDir(pasta).filePath(nome));
        if (!saida.open(QIODevice::WriteOnly)) {
            zip_fclose(f);
            throw OrbelError(QStringLiteral("Não foi possível gravar ") + saida.fileName());
        }
        qint64 feitos = 0;
        for (;;) {
            const zip_int64_t lidos = zip_fread(f, buffer.data(), buffer.size());
            if (lidos < 0) {
                const QString erro = QString::fromLocal8Bit(zip_file_strerror(f));
                zip_fclose(f);
                throw OrbelError(QStringLiteral("Arquivo compactado danificado (%1): %2").arg(nome, erro));
            }
            if (lidos == 0)
                break;
            // never more than the entry declares: the free-space check above counted on it
            if ((st.valid & ZIP_STAT_SIZE) && feitos + lidos > qint64(st.size)) {
                zip_fclose(f);
                throw OrbelError(
                    QStringLiteral("Arquivo compactado danificado (%1): a entrada é maior do que declara")
                        .arg(nome));
            }
            if (saida.write(buffer.data(), lidos) != lidos) {
                zip_fclose(f);
                throw OrbelError(QStringLiteral("Não foi possível gravar ") + saida.fileName());
            }
            feitos += lidos;
            if (aoProgresso)
                aoProgresso(feitos);
        }
        zip_fclose(f);
        if (!ConcluiGravacao(saida))
            throw OrbelError(QStringLiteral("Não foi possível gravar ") + saida.fileName());
        ++escritos;
    }
    if (aoFimLote)
        aoFimLote();
    return escritos;
}

void ZipEngine::adiciona(const QString &arquivo, const QString &caminhoArquivo)
{
    const QFileInfo fi(caminhoArquivo);
    if (!fi.isFile())
        throw OrbelError(QStringLiteral("Arquivo não encontrado: ") + caminhoArquivo);
    QDir().mkpath(QFileInfo(arquivo).absolutePath());
    Zip z = abre(arquivo, ZIP_CREATE);
    zip_source_t *fonte =
        zip_source_file(z.get(), QFile::encodeName(fi.absoluteFilePath()).constData(), 0, -1);
    if (!fonte)
        throw OrbelError(QStringLiteral("Não foi possível ler ") + caminhoArquivo);
    const QByteArray nome = fi.fileName().toUtf8();
    if (aoTotalArquivos)
        aoTotalArquivos(1);
    if (aoTotalBytes)
        aoTotalBytes(fi.size());
    if (aoNovoArquivo)
        aoNovoArquivo(fi.fileName(), fi.size());
    const zip_int64_t indice =
        zip_file_add(z.get(), nome.constData(), fonte, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (indice < 0) {
        zip_source_free(fonte);
        throw OrbelError(QStringLiteral("Não foi possível incluir %1 em %2: %3")
                             .arg(caminhoArquivo, arquivo, erroZip(z.get())));
    }
    // deflate at its usual level: the highest one took much longer on a state-size database for about
    // 2% less size
    zip_set_file_compression(z.get(), indice, ZIP_CM_DEFLATE, 6);
    // libzip reports the share of the archive written; one file goes in, so that is its share
    struct Andamento {
        ZipEngine *engine;
        qint64 tamanho;
    } andamento{this, fi.size()};
    zip_register_progress_callback_with_state(
        z.get(), 0.005,
        [](zip_t *, double fracao, void *estado) {
            auto *a = static_cast<Andamento *>(estado);
            if (a->engine->aoProgresso)
                a->engine->aoProgresso(qint64(fracao * double(a->tamanho)));
        },
        nullptr, &andamento);
    zip_t *bruto = z.release();
    if (zip_close(bruto) != 0) {
        const QString erro = erroZip(bruto);
        zip_discard(bruto);
        mensagem(1, erro);
        throw OrbelError(
            QStringLiteral("Não foi possível gravar o arquivo compactado %1: %2").arg(arquivo, erro));
    }
    if (aoFimLote)
        aoFimLote();
}
