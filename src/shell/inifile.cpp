#include "shell/inifile.h"

#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace
{

QStringList leLinhas(const QString &arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString texto = Win1252::decode(f.readAll());
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList linhas = texto.split(u'\n');
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    return linhas;
}

bool ehSecao(const QString &linha, QString *nome)
{
    const QString t = linha.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    *nome = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool ehChave(const QString &linha, const QString &chave, QString *valor)
{
    const int igual = linha.indexOf(u'=');
    if (igual < 0)
        return false;
    if (linha.left(igual).trimmed().compare(chave, Qt::CaseInsensitive) != 0)
        return false;
    if (valor)
        *valor = linha.mid(igual + 1);
    return true;
}

// Whole or not at all: a failed write (disk full) never leaves the file cut short.
void gravaLinhas(const QString &arquivo, const QStringList &linhas)
{
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly))
        throw OrbelError(QStringLiteral("Não foi possível gravar o arquivo ") + arquivo);
    f.write(Win1252::encode(linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    if (!ConcluiGravacao(f))
        throw OrbelError(QStringLiteral("Não foi possível gravar o arquivo ") + arquivo);
}

void exigeArquivo(const QString &arquivo)
{
    if (!QFile::exists(arquivo))
        throw OrbelError(QStringLiteral("Arquivo INI não encontrado!"));
}

} // namespace

QString LeIniDireto(const QString &arquivo, const QString &secao, const QString &chave)
{
    bool naSecao = false;
    QString nome, valor;
    for (const QString &linha : leLinhas(arquivo)) {
        if (ehSecao(linha, &nome))
            naSecao = nome.compare(secao, Qt::CaseInsensitive) == 0;
        else if (naSecao && ehChave(linha, chave, &valor))
            return valor;
    }
    return {};
}

void GravaIniDireto(const QString &arquivo, const QString &secao, const QString &chave, const QString &valor)
{
    QStringList linhas = leLinhas(arquivo);
    const QString nova = chave + u'=' + valor;
    int fimSecao = -1; // index after the last line of the wanted section
    bool naSecao = false;
    QString nome;
    bool gravado = false;
    for (int i = 0; i < linhas.size() && !gravado; ++i) {
        if (ehSecao(linhas[i], &nome)) {
            if (naSecao)
                break;
            naSecao = nome.compare(secao, Qt::CaseInsensitive) == 0;
            if (naSecao)
                fimSecao = i + 1;
        } else if (naSecao) {
            if (ehChave(linhas[i], chave, nullptr)) {
                // the key keeps the spelling it already has in the file
                linhas[i] = linhas[i].left(linhas[i].indexOf(u'=') + 1) + valor;
                gravado = true;
            } else if (!linhas[i].trimmed().isEmpty()) {
                fimSecao = i + 1;
            }
        }
    }
    if (!gravado) {
        if (fimSecao < 0) {
            if (!linhas.isEmpty() && !linhas.last().trimmed().isEmpty())
                linhas << QString();
            linhas << u'[' + secao + u']' << nova;
        } else {
            linhas.insert(fimSecao, nova);
        }
    }
    gravaLinhas(arquivo, linhas);
}

void CriaOrbelIni(const QString &arquivo, const QString &banco)
{
    gravaLinhas(arquivo,
                {QStringLiteral("[ORBEL]"), QStringLiteral("Database=") + banco, QStringLiteral("Backup="),
                 QStringLiteral("Restore="), QString(), QStringLiteral("[Ativos]"), QStringLiteral("Ultimo="),
                 QString(), QStringLiteral("[Retornos]"), QStringLiteral("Ultimo=")});
}

QString LeIni(const QString &arquivo, const QString &secao, const QString &chave)
{
    exigeArquivo(arquivo);
    return LeIniDireto(arquivo, secao, chave);
}

void GravaIni(const QString &arquivo, const QString &secao, const QString &chave, const QString &valor)
{
    exigeArquivo(arquivo);
    GravaIniDireto(arquivo, secao, chave, valor);
}
