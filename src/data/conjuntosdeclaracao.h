#pragma once

#include "data/clientdataset.h"

#include <QSqlQuery>

#include <memory>

class TdmPrincipal;

// The declaration sets of the data module: the declarations, the details that follow the current
// declaration (each re-reading only its rows by the declaration's DEC_ID), and the VAF detail sets
// the printouts open themselves. TdmPrincipal is one of these, so every set is reached as
// dm.cdsDeclaracoes, dm.cdsDec_Vaf...
class ConjuntosDeclaracao
{
  public:
    static const QString SelecaoVazia; // the default statement: the columns and no rows

    ClientDataSet cdsDeclaracoes{QStringLiteral("cdsDeclaracoes")};

    // attached and detached as a group (LigaDetalhesDeclaracao / DesligaDetalhesDeclaracao)
    ClientDataSet cdsDec_Do{QStringLiteral("cdsDec_Do")};
    ClientDataSet cdsDec_Dro{QStringLiteral("cdsDec_Dro")};
    ClientDataSet cdsDec_EntEstado{QStringLiteral("cdsDec_EntEstado")};
    ClientDataSet cdsDec_EntExterior{QStringLiteral("cdsDec_EntExterior")};
    ClientDataSet cdsDec_EntOutros{QStringLiteral("cdsDec_EntOutros")};
    ClientDataSet cdsDec_EntradasSaidas{QStringLiteral("cdsDec_EntradasSaidas")};
    ClientDataSet cdsDec_Estoque{QStringLiteral("cdsDec_Estoque")};
    ClientDataSet cdsDec_SaiEstado{QStringLiteral("cdsDec_SaiEstado")};
    ClientDataSet cdsDec_SaiExterior{QStringLiteral("cdsDec_SaiExterior")};
    ClientDataSet cdsDec_SaiOutros{QStringLiteral("cdsDec_SaiOutros")};
    ClientDataSet cdsDec_Simples{QStringLiteral("cdsDec_Simples")};
    ClientDataSet cdsDec_VafDetalhes{QStringLiteral("cdsDec_VafDetalhes")};
    ClientDataSet cdsDec_VafExclusoes{QStringLiteral("cdsDec_VafExclusoes")};
    ClientDataSet cdsDec_Historico{QStringLiteral("cdsDec_Historico")};
    ClientDataSet cdsHist_Erros{QStringLiteral("cdsHist_Erros")}; // follows the history row
    ClientDataSet cdsDec_Vaf{QStringLiteral("cdsDec_Vaf")};
    ClientDataSet cdsTotais{QStringLiteral("cdsTotais")};

    // always attached: the Simples Nacional totals and per-municipality details
    ClientDataSet cdsTotalDecSN{QStringLiteral("cdsTotalDecSN")};
    ClientDataSet cdsDecVafSN{QStringLiteral("cdsDecVafSN")};
    ClientDataSet cdsDetMercRural{QStringLiteral("cdsDetMercRural")};
    ClientDataSet cdsDetServTrans{QStringLiteral("cdsDetServTrans")};
    ClientDataSet cdsDetServComu{QStringLiteral("cdsDetServComu")};
    ClientDataSet cdsDetMercDispNota{QStringLiteral("cdsDetMercDispNota")};
    ClientDataSet cdsDetProdRural{QStringLiteral("cdsDetProdRural")};
    ClientDataSet cdsDetRefOutMunic{QStringLiteral("cdsDetRefOutMunic")};
    ClientDataSet cdsDetRevAmb{QStringLiteral("cdsDetRevAmb")};

    // VAF detail sets of the printouts, opened by their caller (AbreDetalheVaf)
    ClientDataSet cdsDec_VafDetalhes_Relatorio{QStringLiteral("cdsDec_VafDetalhes_Relatorio")};
    ClientDataSet cdsVafDetProdAgro{QStringLiteral("cdsVafDetProdAgro")};
    ClientDataSet cdsVafDetGeraEnergia{QStringLiteral("cdsVafDetGeraEnergia")};
    ClientDataSet cdsVafDetTransporteTomado{QStringLiteral("cdsVafDetTransporteTomado")};
    ClientDataSet cdsVafDetCooperativas{QStringLiteral("cdsVafDetCooperativas")};
    ClientDataSet cdsVafDetServicosRodoviarios{QStringLiteral("cdsVafDetServicosRodoviarios")};
    ClientDataSet cdsVafDetMudancaMunicipio{QStringLiteral("cdsVafDetMudancaMunicipio")};
    ClientDataSet cdsVafDetOutrasEntradasPorMunicipio{QStringLiteral("cdsVafDetOutrasEntradasPorMunicipio")};
    ClientDataSet cdsVafDetResumoMunicipio{QStringLiteral("cdsVafDetResumoMunicipio")};

    // The group of seventeen, in the order the data module names them.
    QList<ClientDataSet *> detalhesDoGrupo();
    // The nine that always follow the declaration.
    QList<ClientDataSet *> detalhesSempreLigados();
    QList<ClientDataSet *> detalhesVaf();
    // Each set of this class once, declarations first.
    QList<ClientDataSet *> todos();

    // Gives a VAF printout set the current declaration's DEC_ID and opens it.
    void AbreDetalheVaf(ClientDataSet &cds);

  protected:
    ConjuntosDeclaracao() = default;
    // Statements, labels, pictures and calculated fields; the look-ups read the data module's sets.
    void configuraDeclaracoes(TdmPrincipal &dm);
    // Lets go of the CNAE description statement (see TdmPrincipal::LiberaCursores).
    void liberaConsultaCNAEF() { m_qryCNAEF.reset(); }

  private:
    QVariant descricaoCNAEF(TdmPrincipal &dm, const QVariant &cnae, const QVariant &desmembramento);

    TdmPrincipal *m_dm = nullptr;
    std::unique_ptr<QSqlQuery> m_qryCNAEF; // prepared once, bound per row made current
};
