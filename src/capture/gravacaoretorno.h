#pragma once

#include "capture/registrosdeclaracao.h"
#include "capture/registrosmunicipio.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>

class DetalhesPendentes;
class InsercaoEmLote;
class TransacaoEmLote;
class TTipoRegistro;

// The writing of a return import: every statement prepared once in the capture's transaction and
// executed per row. It knows the tables and columns, not the records' order or meaning.
class GravacaoRetorno
{
  public:
    GravacaoRetorno(TransacaoEmLote &transacao, const QSqlDatabase &db);
    ~GravacaoRetorno();
    GravacaoRetorno(const GravacaoRetorno &) = delete;
    GravacaoRetorno &operator=(const GravacaoRetorno &) = delete;

    // Prepares the inserts of every table a declaration writes to, before the first line.
    void preparaComandos();

    // The highest DEC_ID stored (0 in an empty table), as the capture's transaction sees it.
    double maiorDecId();
    // The highest HISTORICO_ID of every declaration numbered from `decId` on.
    std::map<double, qint64> historicosDesde(double decId);

    // Whether a table's full insert has a column of that name.
    bool temColuna(const QString &tabela, const QString &coluna);
    // One row of a table: every column at its type's zero, then the given values (and DEC_ID).
    void grava(const QString &tabela, const RegistrosDeclaracao::Atribuicoes &valores,
               const QVariant &decId = {});
    // The declaration's row from its header fields; a field no column holds is left out.
    void gravaDeclaracao(const QHash<QString, QVariant> &cabecalho);
    // One row of each pending detail table, with its totals computed for `regime`. A failing
    // results row (DEC_DRO) goes to `falhaResultados` and its values stay pending; any other
    // failure ends the writing.
    void gravaDetalhes(DetalhesPendentes &pendentes, const QString &regime, double decId,
                       const std::function<void(const std::exception &)> &falhaResultados);
    // A record of the Simples Nacional, municipality-change or SIMEI classes, by its type's statement.
    void grava(const TTipoRegistro &registro);
    void retiraAtivo(const QString &ie);
    // The municipality's totals: inserted, or updated over the row the active capture seeded.
    void gravaTotais(const RegistrosMunicipio::Totais &t);
    // The declaration's row from an accepted event, as "E" and irregular.
    void atualizaDeclaracao(const RegistrosDeclaracao::Evento &e, const QDate &primeiraEntrega,
                            const QString &retornoCodigo, double decId);
    void atualizaSituacao(const QString &situacao, const QDate &primeiraEntrega, double decId);
    // The event's history row under `numero` and one error row per distinct code other than "00".
    void gravaHistorico(const RegistrosDeclaracao::Evento &e, qint64 numero, double decId);

  private:
    InsercaoEmLote &comando(const QString &sql);
    InsercaoEmLote &insercaoCompleta(const QString &tabela);

    TransacaoEmLote &m_tx;
    QSqlDatabase m_db;
    std::map<QString, std::unique_ptr<InsercaoEmLote>> m_comandos;
    QHash<QString, InsercaoEmLote *> m_porTabela;
    QHash<QString, InsercaoEmLote *> m_porTipo; // record classes by type
    InsercaoEmLote *m_atualizacaoCompleta = nullptr, *m_atualizacaoSituacao = nullptr,
                   *m_retiraAtivo = nullptr, *m_totais = nullptr;
};
