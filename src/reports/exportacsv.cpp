#include "reports/exportacsv.h"

#include "reports/engine/cursorrelatorio.h"
#include "shell/diretorios.h"
#include "shell/formatacao.h"
#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/win1252.h"

#include <QDir>
#include <QSaveFile>

namespace
{
const QString kFalha = QStringLiteral("Falha na Exportação");
} // namespace

QString PastaRelatoriosDoDia(const QDate &dia)
{
    return DiretorioSistema() + QStringLiteral("Relatórios/") + dia.toString(QStringLiteral("yyyyMMdd")) +
           u'/';
}

QString ExportaCSV(UserInterface &ui, CursorRelatorio &dados, const QString &nomeArquivo, bool avisa,
                   const QDate &dia, bool emEdicao)
{
    const QString pasta = PastaRelatoriosDoDia(dia);
    if (avisa && !dados.temSeguinte()) {
        ui.erro(kFalha, QStringLiteral("Não existem dados para serem exportados."));
        return {};
    }
    if (avisa && emEdicao) {
        ui.erro(kFalha,
                QStringLiteral("Para exportar a tabela é necessário terminar a manutenção dos dados antes."));
        return {};
    }

    QString texto;
    const QStringList colunas = dados.campos();
    for (const QString &c : colunas)
        texto += c + u';';
    texto += QStringLiteral("\r\n");
    while (dados.proxima()) {
        for (int i = 0; i < colunas.size(); ++i)
            texto += Formatacao::textoSimples(dados.valor(i)) + u';';
        texto += QStringLiteral("\r\n");
    }

    const QString caminho = pasta + nomeArquivo;
    if (!QDir().mkpath(pasta))
        throw OrbelError(
            QStringLiteral("Não foi possível criar a pasta %1.").arg(QDir::toNativeSeparators(pasta)));
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(Win1252::encode(texto)) < 0 ||
        !ConcluiGravacao(arquivo))
        throw OrbelError(QStringLiteral("Não foi possível gravar o arquivo %1.\r\n%2")
                             .arg(QDir::toNativeSeparators(caminho), arquivo.errorString()));

    if (avisa)
        ui.informa(QStringLiteral("Finalização da Exportação"),
                   QStringLiteral("Relatório exportado com sucesso!\r\nFoi criado o arquivo ") +
                       QDir::toNativeSeparators(caminho) + u'.');
    return caminho;
}
