#pragma once

#include "data/clientdataset.h"
#include "shell/configapp.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

class UserInterface;

// The data module: single owner of the connection and of every shared dataset for the life of
// the program. Other code receives it and never opens its own connection.
class TdmPrincipal : public QObject
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

    QString LeParametro(const QString &chave);
    void GravaParametro(const QString &chave, const QString &valor);
    void HabilitaIndices(bool ativar);
    void MostraAguarde(const QString &texto);
    static qint64 TamanhoArquivo(const QString &caminho);
    void AplicaAlteracoes(ClientDataSet &cds);
    // Closes the declaration set and opens it on an empty selection.
    void DesligaDetalhesDeclaracao();

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
    // Declarations and taxpayers; their rules arrive with the browsers.
    ClientDataSet cdsDeclaracoes{QStringLiteral("cdsDeclaracoes")};
    ClientDataSet cdsAtivos{QStringLiteral("cdsAtivos")};

  signals:
    void anoBaseAlterado();

  private:
    void abreTabelas();
    void aplicaAtualizacoesEstrutura();
    void abreCNAEF();
    void fatal(const QString &titulo, const QString &texto);

    UserInterface &m_ui;
    TConfigApp m_config;
    QString m_nomeConexao;
    std::unique_ptr<QSqlQuery> m_sqlQuery;
    std::unique_ptr<QSqlQuery> m_sqlRel;
};
