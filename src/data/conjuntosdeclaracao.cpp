#include "data/conjuntosdeclaracao.h"

#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QSqlError>

namespace
{
const QString kValores = QStringLiteral("###,###,###,##0");
const QString kValoresVaf = QStringLiteral("###,###,###,###,##0;---;---");

const QString kTotais = QStringLiteral(
    "select (b.compras_vc + c.compras_vc + d.compras_vc) ent_compras_vc,\n"
    " (b.transferencias_vc + d.transferencias_vc) ent_transferencias_vc,\n"
    " (b.devolucoes_vc + c.devolucoes_vc + d.devolucoes_vc) ent_devolucoes_vc,\n"
    " (b.energia_eletrica_vc + c.energia_eletrica_vc + d.energia_eletrica_vc+ b.comunicacoes_vc + "
    "c.comunicacoes_vc + d.comunicacoes_vc) ent_energia_comunicacoes_vc,\n"
    " (b.transportes_vc + c.transportes_vc + d.transportes_vc) ent_transportes_vc,\n"
    " (b.outras_vc + c.outras_vc + d.outras_vc) ent_outras_vc,\n"
    " (e.vendas_vc + f.vendas_vc + g.vendas_vc) sai_compras_vc,\n"
    " (e.transferencias_vc + g.transferencias_vc) sai_transferencias_vc,\n"
    " (e.devolucoes_vc + f.devolucoes_vc + g.devolucoes_vc) sai_devolucoes_vc,\n"
    " e.energia_eletrica_vc + f.energia_eletrica_vc + g.energia_eletrica_vc + (e.comunicacoes_vc + "
    "f.comunicacoes_vc + g.comunicacoes_vc) sai_energia_comunicacoes_vc,\n"
    " (e.transportes_vc + f.transportes_vc + g.transportes_vc) sai_transportes_vc,\n"
    " (e.outras_vc + f.outras_vc + g.outras_vc) sai_outras_vc\n"
    "from dec_entradassaidas a\n"
    "left join dec_entestado b on (b.dec_id = a.dec_id)\n"
    "left join dec_entexterior c on (c.dec_id = a.dec_id)\n"
    "left join dec_entoutros d on (d.dec_id = a.dec_id)\n"
    "left join dec_saiestado e on (e.dec_id = a.dec_id)\n"
    "left join dec_saiexterior f on (f.dec_id = a.dec_id)\n"
    "left join dec_saioutros g on (g.dec_id = a.dec_id)\n"
    "where a.dec_id = :dec_id");

// A Simples Nacional per-municipality detail with the name of the detail's municipality.
QString detalheSN(const char *tabela, const char *alias)
{
    return QStringLiteral("select %2.*, MU.munic_nome from %1 %2 left outer join MUNICIPIOS MU on "
                          "MU.munic_codigo = %2.munic_detalhamento WHERE %2.DEC_ID = :DEC_ID")
        .arg(QLatin1String(tabela), QLatin1String(alias));
}

double numero(const ClientDataSet &ds, int linha, const char *campo)
{
    return ds.valor(linha, QLatin1String(campo)).toDouble(); // NULL reads as 0
}
} // namespace

const QString ConjuntosDeclaracao::SelecaoVazia =
    // FIRST 0 rather than a false condition, which the server would test on every row
    QStringLiteral("SELECT FIRST 0 * FROM DECLARACOES ORDER BY DEC_IE, DEC_NOME");

QList<ClientDataSet *> ConjuntosDeclaracao::detalhesDoGrupo()
{
    return {&cdsDec_Do,           &cdsDec_Dro,       &cdsDec_EntEstado,
            &cdsDec_EntExterior,  &cdsDec_EntOutros, &cdsDec_EntradasSaidas,
            &cdsDec_Estoque,      &cdsDec_SaiEstado, &cdsDec_SaiExterior,
            &cdsDec_SaiOutros,    &cdsDec_Simples,   &cdsDec_VafDetalhes,
            &cdsDec_VafExclusoes, &cdsDec_Historico, &cdsHist_Erros,
            &cdsDec_Vaf,          &cdsTotais};
}

QList<ClientDataSet *> ConjuntosDeclaracao::detalhesSempreLigados()
{
    return {&cdsTotalDecSN,      &cdsDecVafSN,     &cdsDetMercRural,   &cdsDetServTrans, &cdsDetServComu,
            &cdsDetMercDispNota, &cdsDetProdRural, &cdsDetRefOutMunic, &cdsDetRevAmb};
}

QList<ClientDataSet *> ConjuntosDeclaracao::detalhesVaf()
{
    return {&cdsDec_VafDetalhes_Relatorio, &cdsVafDetProdAgro,
            &cdsVafDetGeraEnergia,         &cdsVafDetTransporteTomado,
            &cdsVafDetCooperativas,        &cdsVafDetServicosRodoviarios,
            &cdsVafDetMudancaMunicipio,    &cdsVafDetOutrasEntradasPorMunicipio,
            &cdsVafDetResumoMunicipio};
}

QList<ClientDataSet *> ConjuntosDeclaracao::todos()
{
    return QList<ClientDataSet *>{&cdsDeclaracoes} + detalhesDoGrupo() + detalhesSempreLigados() +
           detalhesVaf();
}

QVariant ConjuntosDeclaracao::descricaoCNAEF(TdmPrincipal &dm, const QVariant &cnae,
                                             const QVariant &desmembramento)
{
    // the values are bound: a code holding a quote cannot break the statement
    if (!m_qryCNAEF) {
        m_qryCNAEF = std::make_unique<QSqlQuery>(dm.MainConnection());
        m_qryCNAEF->setForwardOnly(true);
        if (!m_qryCNAEF->prepare(QStringLiteral("SELECT DESCRICAO FROM CNAEF WHERE CNAEF_ID = :CNAEF_ID AND "
                                                "DESMEMBRAMENTO = :DESMEMBRAMENTO"))) {
            const QSqlError e = m_qryCNAEF->lastError();
            m_qryCNAEF.reset();
            throw OrbelError(QStringLiteral("Erro ao buscar a descrição do CNAE.\r\n") + e.text());
        }
    }
    QSqlQuery &q = *m_qryCNAEF;
    q.bindValue(QStringLiteral(":CNAEF_ID"), cnae.isNull() ? QVariant(QMetaType(QMetaType::QString)) : cnae);
    q.bindValue(QStringLiteral(":DESMEMBRAMENTO"),
                desmembramento.isNull() ? QVariant(QMetaType(QMetaType::QString)) : desmembramento);
    if (!q.exec())
        throw OrbelError(QStringLiteral("Erro ao buscar a descrição do CNAE.\r\n") + q.lastError().text());
    QVariant v;
    if (q.next())
        v = q.value(0);
    q.finish();
    return v;
}

void ConjuntosDeclaracao::AbreDetalheVaf(ClientDataSet &cds)
{
    cds.close();
    cds.setParametro(QStringLiteral("DEC_ID"), cdsDeclaracoes.valor(QStringLiteral("DEC_ID")).toLongLong());
    cds.open(m_dm->MainConnection());
}

void ConjuntosDeclaracao::configuraDeclaracoes(TdmPrincipal &dm)
{
    m_dm = &dm;
    ClientDataSet &d = cdsDeclaracoes;
    d.setCommandText(SelecaoVazia);
    d.setPacketRecords(50);
    d.setAoBuscarPacote([&dm](bool antes) {
        dm.MostraAguarde(antes ? QStringLiteral("Buscando dados declarações...") : QString());
        if (antes)
            dm.ui().processaEventos();
    });
    const struct {
        const char *campo, *rotulo;
    } rotulos[] = {{"DEC_IE", "Inscrição Estadual"}, {"DEC_NOME", "Nome"},
                   {"NOME_MUNICIPIO", "Município"},  {"Munic_Endereco", "Município Endereço"},
                   {"DescricaoCNAEF", "CNAEF"},      {"DEC_MES_INICIAL", "Mês Inicial"},
                   {"DEC_MES_FINAL", "Mês Final"}};
    for (const auto &r : rotulos)
        d.setRotulo(QLatin1String(r.campo), QString::fromUtf8(r.rotulo));
    auto texto = [](const ClientDataSet &ds, int l, const char *campo) {
        return ds.valor(l, QLatin1String(campo));
    };
    d.addCampoCalculado(
        QStringLiteral("Situacao"), QMetaType::QString, 20, [texto](const ClientDataSet &ds, int l) {
            return texto(ds, l, "DEC_SITUACAO").toString() == u"E" ? QStringLiteral("Entregue")
                                                                   : QStringLiteral("Recusada");
        });
    d.addCampoCalculado(
        QStringLiteral("Regime_nome"), QMetaType::QString, 50, [&dm, texto](const ClientDataSet &ds, int l) {
            return dm.cdsRegimes.lookup(QStringLiteral("REG_CODIGO"), texto(ds, l, "REG_CODIGO"),
                                        QStringLiteral("REG_DESCRICAO"));
        });
    d.addCampoCalculado(QStringLiteral("DescricaoCNAEF"), QMetaType::QString, 500,
                        [this, &dm, texto](const ClientDataSet &ds, int l) {
                            return descricaoCNAEF(dm, texto(ds, l, "CNAEF_ID"),
                                                  texto(ds, l, "DESMEMBRAMENTO"));
                        });
    d.addCampoCalculado(QStringLiteral("NaoConstaAtivos"), QMetaType::QString, 35,
                        [texto](const ClientDataSet &ds, int l) {
                            return texto(ds, l, "NAO_CONSTA_ATIVOS").toString() == u"S"
                                       ? QStringLiteral("Não consta na tabela de ativos")
                                       : QString();
                        });
    d.addCampoCalculado(QStringLiteral("Tipo_descricao"), QMetaType::QString, 20,
                        [&dm, texto](const ClientDataSet &ds, int l) {
                            return dm.cdsTipos.lookup(QStringLiteral("TIPO_CONTRIB_CODIGO"),
                                                      texto(ds, l, "TIPO_CONTRIB_CODIGO"),
                                                      QStringLiteral("TIPO_CONTRIB_TITULO"));
                        });
    d.addCampoCalculado(
        QStringLiteral("Munic_nome"), QMetaType::QString, 40, [&dm, texto](const ClientDataSet &ds, int l) {
            return dm.cdsMunicipios.lookup(QStringLiteral("MUNIC_CODIGO"), texto(ds, l, "MUNIC_CODIGO"),
                                           QStringLiteral("MUNIC_NOME"));
        });
    d.addCampoCalculado(QStringLiteral("Munic_Endereco"), QMetaType::QString, 40,
                        [&dm, texto](const ClientDataSet &ds, int l) {
                            return dm.cdsMunicipios.lookup(QStringLiteral("MUNIC_CODIGO"),
                                                           texto(ds, l, "COD_MUNIC_ENDERECO"),
                                                           QStringLiteral("MUNIC_NOME"));
                        });

    const struct {
        ClientDataSet *cds;
        const char *tabela;
    } simples[] = {{&cdsDec_Do, "DEC_DO "},
                   {&cdsDec_Dro, "DEC_DRO"},
                   {&cdsDec_EntEstado, "DEC_ENTESTADO"},
                   {&cdsDec_EntExterior, "DEC_ENTEXTERIOR"},
                   {&cdsDec_EntOutros, "DEC_ENTOUTROS"},
                   {&cdsDec_EntradasSaidas, "DEC_ENTRADASSAIDAS"},
                   {&cdsDec_Estoque, "DEC_ESTOQUE"},
                   {&cdsDec_SaiEstado, "DEC_SAIESTADO"},
                   {&cdsDec_SaiExterior, "DEC_SAIEXTERIOR"},
                   {&cdsDec_SaiOutros, "DEC_SAIOUTROS"},
                   {&cdsDec_Simples, "DEC_SIMPLES"},
                   {&cdsDec_VafExclusoes, "DEC_VAFEXCLUSOES"},
                   {&cdsDec_VafDetalhes, "DEC_VAFDETALHES"}};
    for (const auto &s : simples) {
        s.cds->setCommandText(
            QStringLiteral("SELECT * FROM %1 WHERE DEC_ID = :DEC_ID").arg(QLatin1String(s.tabela)));
        s.cds->setMascaraDosValores(kValores);
    }
    // in the operation totals only the entries' book value carries the picture
    cdsDec_EntradasSaidas.setMascaraDosValores(QString());
    cdsDec_EntradasSaidas.setMascara(QStringLiteral("ENTRADAS_VC_TOTAL"), kValores);
    cdsDec_VafDetalhes.setMascara(QStringLiteral("VALOR"), kValoresVaf);
    cdsDec_VafDetalhes.setMascara(QStringLiteral("VALOR_COMPUTADO"), kValoresVaf);

    cdsDec_Vaf.setCommandText(
        QStringLiteral("SELECT * FROM DEC_VAF WHERE DEC_ID = :DEC_ID   and munic_codigo = :munic_codigo"));
    cdsDec_Vaf.setMascaraDosValores(kValores);

    ClientDataSet &h = cdsDec_Historico;
    h.setCommandText(
        QStringLiteral("SELECT * FROM HISTORICO WHERE DEC_ID = :DEC_ID ORDER BY HIST_DATA DESC"));
    h.setMascaraDosValores(kValores);
    const struct {
        const char *campo, *rotulo;
    } rotulosHist[] = {{"HIST_EXERCICIO", "Exercício"},
                       {"HIST_PROTOCOLO", "Protocolo"},
                       {"HIST_DATA", "Data"},
                       {"HIST_HORA", "Hora"},
                       {"HIST_PROCESS", "Processamento"},
                       {"HIST_ROTEIRO", "Roteiro"},
                       {"HIST_ORIGEM", "Origem"},
                       {"HIST_REGFINAL", "Registro Final"},
                       {"HIST_TIPO", "Tipo"},
                       {"HIST_SUBSTITUI", "Substituição"},
                       {"HIST_ENTRADAS", "Entradas"},
                       {"HIST_OUTRASENT", "Outras Entradas"},
                       {"HIST_SAIDAS", "Saídas"},
                       {"HIST_VAF", "Vaf"},
                       {"HIST_ERROS", "Erros"},
                       {"HIST_RESPDOC", "Resp Doc"},
                       {"HIST_RESPCPFCGC", "CGC CPF Responsável"},
                       {"HIST_SITUACAO", "Situação"},
                       {"DEC_VALIDACAO", "Validação"}};
    for (const auto &r : rotulosHist)
        h.setRotulo(QLatin1String(r.campo), QString::fromUtf8(r.rotulo));
    h.addCampoCalculado(
        QStringLiteral("Regime_Recolhimento"), QMetaType::QString, 50,
        [&dm](const ClientDataSet &ds, int l) {
            return dm.cdsRegimes.lookup(QStringLiteral("REG_CODIGO"),
                                        ds.valor(l, QStringLiteral("HIST_REGFINAL")),
                                        QStringLiteral("REG_DESCRICAO"));
        },
        QStringLiteral("Regime Recolhimento"));
    h.addCampoCalculado(
        QStringLiteral("Tipo_Contribuinte"), QMetaType::QString, 100,
        [&dm](const ClientDataSet &ds, int l) {
            return dm.cdsTipos.lookup(QStringLiteral("TIPO_CONTRIB_CODIGO"),
                                      ds.valor(l, QStringLiteral("HIST_TIPO")),
                                      QStringLiteral("TIPO_CONTRIB_TITULO"));
        },
        QStringLiteral("Tipo Contribuinte "));

    cdsHist_Erros.setCommandText(QStringLiteral("SELECT * FROM HIST_ERROS WHERE HISTORICO_ID = :HISTORICO_ID "
                                                "AND DEC_ID = :DEC_ID ORDER BY HISTORICO_ID"));
    cdsHist_Erros.setRotulo(QStringLiteral("ERRO_CODIGO"), QStringLiteral("Código Erro"));
    cdsHist_Erros.addCampoCalculado(
        QStringLiteral("NomeErro"), QMetaType::QString, 60,
        [&dm](const ClientDataSet &ds, int l) -> QVariant {
            const int r = dm.cdsErros.procura({QStringLiteral("ERRO_CODIGO")},
                                              {ds.valor(l, QStringLiteral("ERRO_CODIGO"))});
            return r < 0 ? QStringLiteral("NÃO LOCALIZADO NA TABELA DE ERROS")
                         : dm.cdsErros.valor(r, QStringLiteral("ERRO_DESCRICAO"));
        },
        QStringLiteral("Descrição do erro"));

    cdsTotais.setCommandText(kTotais);
    cdsTotais.setMascaraDosValores(kValores);
    cdsTotais.addCampoCalculado(
        QStringLiteral("calcTotalEntrada"), QMetaType::Double, 0, [](const ClientDataSet &ds, int l) {
            return numero(ds, l, "ENT_COMPRAS_VC") + numero(ds, l, "ENT_TRANSFERENCIAS_VC") +
                   numero(ds, l, "ENT_DEVOLUCOES_VC") + numero(ds, l, "ENT_ENERGIA_COMUNICACOES_VC") +
                   numero(ds, l, "ENT_TRANSPORTES_VC") + numero(ds, l, "ENT_OUTRAS_VC");
        });
    cdsTotais.addCampoCalculado(
        QStringLiteral("calcTotalSaida"), QMetaType::Double, 0, [](const ClientDataSet &ds, int l) {
            return numero(ds, l, "SAI_COMPRAS_VC") + numero(ds, l, "SAI_TRANSFERENCIAS_VC") +
                   numero(ds, l, "SAI_DEVOLUCOES_VC") + numero(ds, l, "SAI_ENERGIA_COMUNICACOES_VC") +
                   numero(ds, l, "SAI_TRANSPORTES_VC") + numero(ds, l, "SAI_OUTRAS_VC");
        });

    cdsTotalDecSN.setCommandText(QStringLiteral("SELECT * FROM DEC_TOTAL_SN WHERE DEC_ID = :DEC_ID"));
    cdsDecVafSN.setCommandText(
        QStringLiteral("SELECT * FROM DEC_DET_RECEITA_BRUTA_VAFMUNIC WHERE DEC_ID = :DEC_ID"));
    cdsDetMercRural.setCommandText(detalheSN("DEC_DET_MERCADORIA_RURAL", "MR"));
    cdsDetServTrans.setCommandText(detalheSN("DEC_DET_SERVICO_TRANSPORTE", "ST"));
    cdsDetServComu.setCommandText(detalheSN("DEC_DET_SERVICO_COMUNICACAO", "SC"));
    cdsDetMercDispNota.setCommandText(detalheSN("DEC_DET_MERCADORIA_SEM_NOTA", "MSN"));
    cdsDetProdRural.setCommandText(detalheSN("DEC_DET_PRODUCAO_RURAL", "PR"));
    cdsDetRefOutMunic.setCommandText(detalheSN("DEC_DET_REFEICAO_OUTRO_MUNIC", "ROM"));
    cdsDetRevAmb.setCommandText(detalheSN("DEC_DET_AMBULANTES", "AMB"));
    for (ClientDataSet *cds : detalhesSempreLigados())
        cds->setMascaraDosValores(kValores);

    const QString vaf = QStringLiteral("SELECT * FROM DEC_VAFDETALHES WHERE DEC_ID = :DEC_ID");
    cdsDec_VafDetalhes_Relatorio.setCommandText(vaf);
    const QList<ClientDataSet *> porTipo = detalhesVaf().mid(1);
    for (int i = 0; i < porTipo.size(); ++i)
        porTipo[i]->setCommandText(
            vaf + QStringLiteral(" AND TIPO_DETALHAMENTO= '%1'").arg(i + 1, 2, 10, QChar(u'0')));
    // the printouts name each detail's municipality, cut to the width they print
    for (ClientDataSet *cds : QList<ClientDataSet *>{&cdsDec_VafDetalhes} + detalhesVaf())
        cds->addCampoCalculado(QStringLiteral("MUNIC_NOME"), QMetaType::QString, 30,
                               [&dm](const ClientDataSet &ds, int l) {
                                   return dm.cdsMunicipios.lookup(QStringLiteral("MUNIC_CODIGO"),
                                                                  ds.valor(l, QStringLiteral("MUNIC_CODIGO")),
                                                                  QStringLiteral("MUNIC_NOME"));
                               });
}
