#include "capture/geraresumo.h"

#include "data/clientdataset.h"
#include "data/errodisco.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/tspprogress.h"

namespace
{

struct Passo {
    const char *nome;
    const char *coluna;
    const char *sql;
};

const Passo kPassos[] = {
    {"cdsAtivo", "ATIVOS",
     "SELECT MUNICIPIOS.MUNIC_CODIGO,COUNT(ATIVOS.IE) AS ATIVOS\nFROM MUNICIPIOS INNER JOIN ATIVOS ON\n"
     "MUNICIPIOS.MUNIC_CODIGO = ATIVOS.MUNIC_CODIGO\nGROUP BY\nMUNICIPIOS.MUNIC_CODIGO"},
    {"cdsAceitos", "ACEITOS",
     "SELECT \nDECLARACOES.MUNIC_CODIGO,\nCOUNT(DECLARACOES.DEC_IE ) AS ACEITOS\nFROM \nDECLARACOES INNER "
     "JOIN ATIVOS\n"
     "ON DECLARACOES.DEC_IE=ATIVOS.IE\nWHERE\n(DECLARACOES.DEC_SITUACAO = 'E')\nGROUP BY\n"
     "DECLARACOES.MUNIC_CODIGO,DECLARACOES.DEC_SITUACAO"},
    {"cdsRecusados", "RECUSADOS",
     "SELECT \nDECLARACOES.MUNIC_CODIGO,\nCOUNT(*) AS RECUSADOS\nFROM \nDECLARACOES INNER JOIN ATIVOS\n"
     "ON DECLARACOES.DEC_IE=ATIVOS.IE\nWHERE\n(DECLARACOES.DEC_SITUACAO <> 'E')\nGROUP BY\n"
     "DECLARACOES.MUNIC_CODIGO,\nDECLARACOES.DEC_SITUACAO"},
};

int inteiro(const ClientDataSet &cds, const char *campo)
{
    return cds.valor(QLatin1String(campo)).toInt(); // an empty value counts as 0
}

void AtualizaResumo(TdmPrincipal &dm, const Passo &passo, TSPProgress &progresso)
{
    try {
        ClientDataSet fonte(QLatin1String(passo.nome));
        fonte.setCommandText(QLatin1String(passo.sql));
        fonte.open(dm.MainConnection());
        progresso.setMaxCount(fonte.recordCount());
        ClientDataSet &resumo = dm.cdsMunic_Resumo;
        const QString coluna = QLatin1String(passo.coluna);
        for (fonte.first(); !fonte.eof(); fonte.next()) {
            const QString codigo = fonte.texto(QStringLiteral("MUNIC_CODIGO"));
            if (!codigo.trimmed().isEmpty()) {
                if (resumo.locate({QStringLiteral("MUNIC_CODIGO")}, {codigo})) {
                    resumo.edit();
                } else {
                    resumo.append();
                    resumo.setValor(QStringLiteral("MUNIC_CODIGO"), codigo);
                }
                resumo.setValor(coluna, fonte.valor(coluna));
                resumo.setValor(QStringLiteral("OMISSOS"), inteiro(resumo, "ATIVOS") -
                                                               inteiro(resumo, "ACEITOS") -
                                                               inteiro(resumo, "RECUSADOS"));
                resumo.post(); // written to the database at once
            }
            progresso.Increment(1);
        }
        fonte.close();
    } catch (const EAbortProgress &) {
        throw;
    } catch (const std::exception &e) {
        if (dm.cdsMunic_Resumo.emEdicao())
            dm.cdsMunic_Resumo.cancel();
        RelancaSeErroDisco(e); // the flow stops using the connection: no further pass

        throw OrbelError(QStringLiteral("Erro na geração de valores do resumo.\r\nRetorno do banco :\r\n") +
                         mensagemDe(e));
    }
}

} // namespace

void GeraResumo(TdmPrincipal &dm)
{
    dm.cdsMunic_Resumo.close();
    dm.cdsMunic_Resumo.open(dm.MainConnection());
    TSPProgress progresso(dm.ui());
    progresso.Caption = QStringLiteral("Gerando resumo...");
    progresso.CanCancel = false;
    progresso.setMessage(QStringLiteral("Aguarde..."));
    for (const Passo &passo : kPassos) {
        std::exception_ptr erroDisco;
        progresso.OnExecute = [&dm, &passo, &erroDisco](TSPProgress &p) {
            try {
                AtualizaResumo(dm, passo, p);
            } catch (const ErroDisco &) {
                erroDisco = std::current_exception();
            }
        };
        progresso.Execute(); // a failed pass was shown; the next one still runs
        if (erroDisco)
            std::rethrow_exception(erroDisco);
    }
}
