#include "capture/verificaretorno.h"

#include "capture/camposfixos.h"
#include "data/executasql.h"
#include "data/tdmprincipal.h"
#include "maintenance/esvaziabase.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QFile>
#include <QFileInfo>

namespace
{

// Detail tables of the Simples Nacional declaration, by the declaration's number: a number reused
// after a replacement must find none of the old rows.
const char *const kDetalhesPorDeclaracao[] = {"DEC_TOTAL_SN",
                                              "DEC_DET_AMBULANTES",
                                              "DEC_DET_MERCADORIA_RURAL",
                                              "DEC_DET_MERCADORIA_SEM_NOTA",
                                              "DEC_DET_PRODUCAO_RURAL",
                                              "DEC_DET_RECEITA_BRUTA_VAFMUNIC",
                                              "DEC_DET_REFEICAO_OUTRO_MUNIC",
                                              "DEC_DET_SERVICO_COMUNICACAO",
                                              "DEC_DET_SERVICO_TRANSPORTE",
                                              "DEC_DET_TRANSF_MERC_INFRACAO"};

struct DetalheMunicipio {
    const char *tabela;
    const char *coluna;
};
const DetalheMunicipio kDetalhesPorMunicipio[] = {{"DEC_DET_AMBULANTES", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_MERCADORIA_RURAL", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_MERCADORIA_SEM_NOTA", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_PRODUCAO_RURAL", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_RECEITA_BRUTA_VAFMUNIC", "MUNIC_ESTABELECIMENTO"},
                                                  {"DEC_DET_REFEICAO_OUTRO_MUNIC", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_SERVICO_COMUNICACAO", "MUNIC_DETALHAMENTO"},
                                                  {"DEC_DET_SERVICO_TRANSPORTE", "MUNIC_DETALHAMENTO"},
                                                  {"VAF_MUDANCA_MUNIC", "VMM_COD_MUNIC_ESTABELECIMEN"},
                                                  {"DEC_SIMEI", "COD_MUNIC_ESTABELECIMEN"}};

bool pergunta(UserInterface &ui, const QString &texto)
{
    return ui.mensagem(QString(), texto, UserInterface::Icone::Pergunta,
                       UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) == UserInterface::Sim;
}

} // namespace

void ExcluiRetornoMunicipio(TdmPrincipal &dm, const QString &municipio, const QString &tipoIndice)
{
    struct Fecha {
        TdmPrincipal &dm;
        ~Fecha() { dm.MostraAguarde(QString()); }
    } fecha{dm};
    const QSqlDatabase db = dm.MainConnection();
    dm.MostraAguarde(QStringLiteral("Excluindo declarações do Município..."));
    QList<QVariant> numeros;
    {
        QSqlQuery q = ExecutaSql(
            db,
            QStringLiteral("SELECT DECLARACOES.DEC_ID FROM DECLARACOES WHERE DECLARACOES.MUNIC_CODIGO = ?"),
            {municipio});
        while (q.next())
            numeros << q.value(0);
    }
    for (const QVariant &id : numeros)
        for (const char *tabela : kDetalhesPorDeclaracao)
            ExecutaSql(db, QStringLiteral("DELETE FROM %1 WHERE DEC_ID = ?").arg(QLatin1String(tabela)),
                       {id});
    ExecutaSql(db, QStringLiteral("DELETE FROM DECLARACOES WHERE MUNIC_CODIGO = ?"), {municipio});

    dm.MostraAguarde(QStringLiteral("Excluindo totais do Município..."));
    ExecutaSql(db, QStringLiteral("DELETE FROM MUNIC_TOTAIS WHERE MUNIC_CODIGO = ?"), {municipio});
    ExecutaSql(db, QStringLiteral("DELETE FROM MUNIC_INDICES WHERE MUNIC_CODIGO = ? AND INDICE_CODIGO = ?"),
               {municipio, tipoIndice});
    ExecutaSql(db, QStringLiteral("DELETE FROM MUNIC_VAFA WHERE MUNIC_CODIGO = ? AND TIPOINDICE = ?"),
               {municipio, tipoIndice});
    ExecutaSql(db, QStringLiteral("DELETE FROM MUNIC_VAFB WHERE VAFB_INDICE = ? AND  MUNIC_ORIGEM = ?"),
               {tipoIndice, municipio});
    // the shared summary sets show what is stored now
    for (ClientDataSet *cds :
         {&dm.cdsMunic_Totais, &dm.cdsMunic_Indices, &dm.cdsMunic_VafA, &dm.cdsMunic_VafB}) {
        cds->close();
        cds->open(db);
    }
    for (const DetalheMunicipio &d : kDetalhesPorMunicipio)
        ExecutaSql(db,
                   QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                       .arg(QLatin1String(d.tabela), QLatin1String(d.coluna)),
                   {municipio});
    ExecutaSql(db, QStringLiteral("DELETE FROM VAF_MUDANCA_MUNIC WHERE VMM_COD_MUNIC_CONTRIBUINTE = ?"),
               {municipio});
}

Verificacao VerificaRetorno(ContextoCaptura &ctx, QString *tipoIndice)
{
    const QString arquivo = ArquivoTextoCaptura(ctx.arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        ctx.ui.erro(QString(), QStringLiteral("Arquivo ") + arquivo + QStringLiteral(" não existe!"));
        throw OrbelError(QStringLiteral("Operation aborted")); // the capture stops here, already told why
    }
    // an estimate of 166 bytes a line, never below one line: a small file must not fail for its size
    Verificacao v{true, int(std::max<qint64>(1, TdmPrincipal::TamanhoArquivo(arquivo) / 166))};
    QStringList municipios;
    bool definitivo = false;
    {
        ctx.dm.MostraAguarde(QStringLiteral("Lendo arquivo de retorno..."));
        struct Fecha {
            TdmPrincipal &dm;
            ~Fecha() { dm.MostraAguarde(QString()); }
        } fecha{ctx.dm};
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
            ExcluiRetornoMunicipio(ctx.dm, municipios.first(),
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
            EsvaziaBase(ctx.dm, QStringLiteral("R"));
        }
    }
    return v;
}
