#pragma once

#include "data/clientdataset.h"
#include "data/conjuntosdeclaracao.h"
#include "shell/configapp.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

class UserInterface;

// The data module: single owner of the connection and of every shared dataset for the life of
// the program. Other code receives it and never opens its own connection.
class TdmPrincipal : public QObject, public ConjuntosDeclaracao
{
    Q_OBJECT
  public:
    static constexpr const char *Usuario = "sysdba";
    static constexpr const char *Senha = "plumwater";

    explicit TdmPrincipal(UserInterface &ui, QObject *parent = nullptr);
    ~TdmPrincipal() override; // disconnects

    // Creation of the data module: wait message, connect, detached declaration set, indexes on.
    // A fatal failure is shown and then ProgramaEncerrado is thrown.
    void Inicia();

    // Connects and prepares the database; on failure shows the box and throws ProgramaEncerrado.
    void Conectar();
    void Desconectar();
    bool conectado() const;
    // After an I/O error of the engine (disk full): the sets are closed and the attachment let go
    // without another statement; nothing uses the connection again until the next Conectar.
    void AbandonaConexao();
    bool conexaoAbandonada() const { return m_abandonada; }

    QString LeParametro(const QString &chave);
    void GravaParametro(const QString &chave, const QString &valor);
    void HabilitaIndices(bool ativar);
    void MostraAguarde(const QString &texto);
    static qint64 TamanhoArquivo(const QString &caminho);
    void AplicaAlteracoes(ClientDataSet &cds);
    // Closes the declarations, detaches the group of seventeen details (they show no rows) and opens
    // the declarations on the empty selection.
    void DesligaDetalhesDeclaracao();
    // Closes the declarations, attaches the seventeen details and opens the declarations again with
    // their statement.
    void LigaDetalhesDeclaracao();
    // Reopens cdsCNAEF, its validity filter taken from the stored base year.
    void AbreCNAEF() { abreCNAEF(); }
    // Every shared set lets go of its open cursor and kept statements, so that no table is held
    // when the indexes are switched (HabilitaIndices does it first).
    void LiberaCursores();
    // The capture window switches off the calculated fields of cdsDeclaracoes, cdsAtivos and
    // cdsDec_VafDetalhes and the fetch notices of the declarations and taxpayers while it is open.
    void SuspendeRegras(bool suspender);
    // Every shared set, in the order the connection opens them; closing walks it backwards.
    const QList<ClientDataSet *> &Registro() const { return m_registro; }

    // Tells the main window the stored base year changed.
    void AnunciaAnoBase() { emit anoBaseAlterado(); }

    QSqlDatabase MainConnection() const;
    TConfigApp &ConfigApp() { return m_config; }
    UserInterface &ui() { return m_ui; }
    QSqlQuery &SQLQuery() { return *m_sqlQuery; }
    QSqlQuery &SQLRel() { return *m_sqlRel; }

    // Shared datasets, opened by Conectar in this order.
    ClientDataSet cdsRegimes{QStringLiteral("cdsRegimes")};
    ClientDataSet cdsCNAEF{QStringLiteral("cdsCNAEF")};
    ClientDataSet cdsMunicipios{QStringLiteral("cdsMunicipios")};
    ClientDataSet cdsErros{QStringLiteral("cdsErros")};
    ClientDataSet cdsMunic_Indices{QStringLiteral("cdsMunic_Indices")};
    ClientDataSet cdsMunic_Resumo{QStringLiteral("cdsMunic_Resumo")};
    ClientDataSet cdsMunic_Totais{QStringLiteral("cdsMunic_Totais")};
    ClientDataSet cdsMunic_VafA{QStringLiteral("cdsMunic_VafA")};
    ClientDataSet cdsMunic_VafB{QStringLiteral("cdsMunic_VafB")};
    ClientDataSet cdsTipos{QStringLiteral("cdsTipos")};
    ClientDataSet cdsCampos{QStringLiteral("cdsCampos")};
    static const QString SqlAtivos; // cdsAtivos's own statement: every taxpayer, by municipality name and IE
    // Taxpayers, opened by their browser; the declaration sets come from ConjuntosDeclaracao.
    ClientDataSet cdsAtivos{QStringLiteral("cdsAtivos")};

  signals:
    void anoBaseAlterado();

  private:
    void abreTabelas();
    void aplicaAtualizacoesEstrutura();
    void ampliaIndicesNavegacao();
    void abreCNAEF();
    void configuraAtivos();
    void registra();
    void invalidaCalculados();
    void fatal(const QString &titulo, const QString &texto);

    UserInterface &m_ui;
    TConfigApp m_config;
    QString m_nomeConexao;
    bool m_abandonada = false;
    std::unique_ptr<QSqlQuery> m_sqlQuery;
    std::unique_ptr<QSqlQuery> m_sqlRel;
    QList<ClientDataSet *> m_registro;
    QList<ClientDataSet *> m_abertosNaConexao; // the eleven look-up and summary sets
};
