#include "capture/verificaretorno.h"

#include "capture/camposfixos.h"
#include "capture/conferetipoarquivo.h"
#include "data/aguarde.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"
#include "data/tabelasretorno.h"
#include "data/tdmprincipal.h"
#include "maintenance/esvaziabase.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QFile>
#include <QFileInfo>

namespace
{

bool pergunta(UserInterface &ui, const QString &texto)
{
    return ui.mensagem(QString(), texto, UserInterface::Icone::Pergunta,
                       UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) == UserInterface::Sim;
}

void executa(TransacaoEmLote &tx, const QString &sql, const QStringList &valores)
{
    InsercaoEmLote c(tx, sql);
    for (int i = 0; i < valores.size(); ++i)
        c.setTexto(i, valores.at(i));
    c.executa();
}

} // namespace

void ExcluiRetornoMunicipio(TransacaoEmLote &tx, TdmPrincipal &dm, const QString &municipio,
                            const QString &tipoIndice)
{
    Aguarde aguarde(dm, QStringLiteral("Excluindo declarações do Município..."));
    // one statement per table, whatever the number of declarations; the trigger on DECLARACOES
    // takes each declaration's own rows along
    for (const char *tabela : TabelasRetorno::kSimplesPorDeclaracao)
        executa(tx,
                QStringLiteral("DELETE FROM %1 WHERE DEC_ID IN (SELECT DECLARACOES.DEC_ID FROM DECLARACOES "
                               "WHERE DECLARACOES.MUNIC_CODIGO = ?)")
                    .arg(QLatin1String(tabela)),
                {municipio});
    executa(tx, QStringLiteral("DELETE FROM DECLARACOES WHERE MUNIC_CODIGO = ?"), {municipio});

    aguarde.mostra(QStringLiteral("Excluindo totais do Município..."));
    executa(tx, QStringLiteral("DELETE FROM MUNIC_TOTAIS WHERE MUNIC_CODIGO = ?"), {municipio});
    executa(tx, QStringLiteral("DELETE FROM MUNIC_INDICES WHERE MUNIC_CODIGO = ? AND INDICE_CODIGO = ?"),
            {municipio, tipoIndice});
    executa(tx, QStringLiteral("DELETE FROM MUNIC_VAFA WHERE MUNIC_CODIGO = ? AND TIPOINDICE = ?"),
            {municipio, tipoIndice});
    executa(tx, QStringLiteral("DELETE FROM MUNIC_VAFB WHERE VAFB_INDICE = ? AND  MUNIC_ORIGEM = ?"),
            {tipoIndice, municipio});
    for (const TabelasRetorno::DetalheMunicipio &d : TabelasRetorno::kDetalhesPorMunicipio)
        executa(tx,
                QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                    .arg(QLatin1String(d.tabela), QLatin1String(d.coluna)),
                {municipio});
    executa(tx, QStringLiteral("DELETE FROM VAF_MUDANCA_MUNIC WHERE VMM_COD_MUNIC_CONTRIBUINTE = ?"),
            {municipio});
}

Verificacao VerificaRetorno(ContextoCaptura &ctx, QString *tipoIndice)
{
    const QString arquivo = ArquivoTextoCaptura(ctx.arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        ctx.ui.erro(QString(), QStringLiteral("Arquivo ") + arquivo + QStringLiteral(" não existe!"));
        throw OrbelError(QStringLiteral("Operation aborted")); // the capture stops here, already told why
    }
    ConfereTipoArquivo(ctx.dm, arquivo, QFileInfo(ctx.arquivo).fileName(), true);
    // an estimate of 166 bytes a line, never below one line: a small file must not fail for its size
    Verificacao v{true, int(std::max<qint64>(1, TdmPrincipal::TamanhoArquivo(arquivo) / 166))};
    QStringList municipios;
    bool definitivo = false;
    {
        const Aguarde aguarde(ctx.dm, QStringLiteral("Lendo arquivo de retorno..."));
        LeitorLinhas leitor(arquivo);
        QString bruta;
        while (municipios.size() < 2 && leitor.proxima(bruta)) {
            const QStringView l = CamposFixos::aparaLinha(bruta);
            if (l.isEmpty())
                continue;
            definitivo = definitivo || CamposFixos::campo(l, 1, 2) == u"17";
            const QString m = CamposFixos::texto(l, 3, 5);
            if (!municipios.contains(m))
                municipios << m;
            ctx.ui.processaEventos();
        }
    }
    if (tipoIndice)
        *tipoIndice = definitivo ? QStringLiteral("D") : QStringLiteral("P");
    const QSqlDatabase db = ctx.dm.MainConnection();
    if (municipios.size() == 1) {
        QSqlQuery q = ExecutaSql(
            db,
            QStringLiteral(
                "SELECT COUNT(DECLARACOES.DEC_ID) FROM DECLARACOES WHERE DECLARACOES.MUNIC_CODIGO = ?"),
            {municipios.first()});
        const bool tem = q.next() && q.value(0).toInt() > 0;
        q.finish();
        if (tem) {
            if (!pergunta(ctx.ui, QStringLiteral("Já existem dados deste município na base de dados.\r"
                                                 "Deseja apagá-los e importar os dados novamente?")))
                return {false, v.contagemEsperada};
            ExcluiRetornoMunicipio(ctx.tx(), ctx.dm, municipios.first(),
                                   definitivo ? QStringLiteral("D") : QStringLiteral("P"));
        }
    } else if (municipios.size() == 2) {
        QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT COUNT(DECLARACOES.DEC_ID) FROM DECLARACOES"));
        const bool tem = q.next() && q.value(0).toInt() > 0;
        q.finish();
        if (tem) {
            if (!pergunta(ctx.ui, QStringLiteral("Já existem dados de municípios na base de dados.\r"
                                                 "Deseja apagá-los e importar os dados novamente?")))
                return {false, v.contagemEsperada};
            // the clean-up's statements, in the capture's transaction: committed with the import
            const Aguarde aguarde(ctx.dm, QStringLiteral("Limpando base de dados..."));
            for (const QString &sql : ComandosEsvaziaBase(QStringLiteral("R")))
                executa(ctx.tx(), sql, {});
            ctx.esvaziouBase = true;
        }
    }
    return v;
}
