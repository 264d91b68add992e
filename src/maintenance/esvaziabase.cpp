#include "maintenance/esvaziabase.h"

#include "data/aguarde.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"

#include <QSqlError>
#include <QSqlQuery>

namespace
{
const char *const kRetorno[] = {
    "delete from declaracoes",
    "delete from munic_indices",
    "delete from munic_resumo",
    "delete from munic_totais",
    "delete from munic_vafa",
    "delete from munic_vafb",
    "delete from dec_det_servico_comunicacao",
    "delete from dec_det_servico_transporte",
    "delete from dec_det_mercadoria_sem_nota",
    "delete from dec_det_producao_rural",
    "delete from dec_det_refeicao_outro_munic",
    "delete from dec_det_ambulantes",
    "delete from dec_det_receita_bruta_vafmunic",
    "delete from dec_det_transf_merc_infracao",
    "delete from DEC_DET_MERCADORIA_RURAL",
    "delete from DEC_TOTAL_SN",
    "delete from VAF_MUDANCA_MUNIC",
    "delete from DEC_SIMEI",
};

} // namespace

QStringList ComandosEsvaziaBase(const QString &opcao)
{
    QStringList comandos;
    if (opcao == QLatin1String("T") || opcao == QLatin1String("A"))
        comandos << QStringLiteral("delete from ativos");
    if (opcao == QLatin1String("T") || opcao == QLatin1String("R"))
        for (const char *c : kRetorno)
            comandos << QLatin1String(c);
    return comandos;
}

void EsvaziaBase(TdmPrincipal &dm, const QString &opcao)
{
    const Aguarde aguarde(dm, QStringLiteral("Limpando base de dados..."));
    QSqlDatabase db = dm.MainConnection();
    if (!db.transaction())
        throw OrbelError(QStringLiteral("Erro ao esvaziar a base de dados: \r\n") + db.lastError().text());
    try {
        for (const QString &sql : ComandosEsvaziaBase(opcao)) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                throw OrbelError(q.lastError().text());
        }
        if (!db.commit())
            throw OrbelError(db.lastError().text());
    } catch (const std::exception &e) {
        db.rollback();
        throw OrbelError(QStringLiteral("Erro ao esvaziar a base de dados: \r\n") + mensagemDe(e));
    }
    dm.Desconectar();
    dm.Conectar();
}
