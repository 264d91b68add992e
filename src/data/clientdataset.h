#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

// An in-memory dataset read from a SELECT: columns and rows held in memory, a current row,
// calculated fields, locate, filter, sort, master-detail following, fetching in packets, and
// local changes (insert, edit, delete) that can be sent back to one table.
// Errors are raised as OrbelError carrying the server's text.
class ClientDataSet : public QObject
{
    Q_OBJECT
  public:
    struct Campo {
        QString nome;         // column name as the SELECT gives it (upper case for Firebird)
        QMetaType::Type tipo; // QVariant type of the values
        int tamanho = 0;      // text width, 0 when unknown
        QString rotulo;       // display label; the name when empty
        bool calculado = false;
        bool visivel = true;
    };
    using Regra = std::function<QVariant(const ClientDataSet &, int linha)>;
    using Filtro = std::function<bool(const ClientDataSet &, int linha)>;

    explicit ClientDataSet(const QString &nome, QObject *parent = nullptr);
    ~ClientDataSet() override;

    QString nome() const;

    // --- source -----------------------------------------------------------------------------
    void setCommandText(const QString &sql);
    QString commandText() const;
    // Values bound to the statement's :NAME placeholders on every open.
    void setParametro(const QString &nome, const QVariant &valor);
    void limpaParametros();
    // Rows fetched per packet; -1 (the default) reads everything at open.
    void setPacketRecords(int n);
    // Called before and after each packet is fetched from the server (wait messages).
    void setAoBuscarPacote(std::function<void(bool antes)> f);

    void open(QSqlDatabase db);
    void close();
    bool active() const;
    // Fetches the next packet; false when the server has no more rows.
    bool buscaMais();
    bool tudoLido() const;

    // --- fields -----------------------------------------------------------------------------
    // A calculated field is computed by its rule for every row; define before open.
    void addCampoCalculado(const QString &nome, QMetaType::Type tipo, int tamanho, Regra regra,
                           const QString &rotulo = {});
    void setRotulo(const QString &campo, const QString &rotulo);
    void setVisivel(const QString &campo, bool visivel);
    const QVector<Campo> &campos() const;
    int indiceCampo(const QString &nome) const; // -1 when absent (case-insensitive)
    QStringList nomesCampos() const;

    // --- rows (the visible view: filtered and sorted) -------------------------------------------
    int recordCount() const;
    bool isEmpty() const;
    int recNo() const; // 0-based current row of the view, -1 when empty
    void setRecNo(int linha);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const;
    bool bof() const;

    QVariant valor(const QString &campo) const;            // current row
    QVariant valor(int linha, const QString &campo) const; // row of the view
    QVariant valor(int linha, int campo) const;
    QString texto(const QString &campo) const; // valor().toString(), empty for NULL

    // Exact, case-sensitive match of every field; moves the current row when found.
    bool locate(const QStringList &campos, const QVariantList &valores);
    // Same search without moving; -1 when none.
    int procura(const QStringList &campos, const QVariantList &valores) const;

    void setFiltro(Filtro f); // empty function removes the filter
    // Sort by fields separated by ";" (ascending); empty restores the server order.
    void setIndexFieldNames(const QString &campos);

    // Master-detail: this set shows only the rows whose detail fields equal the master's current
    // values, following the master as it moves.
    void setMestre(ClientDataSet *mestre, const QStringList &camposMestre, const QStringList &camposDetalhe);

    // --- local changes --------------------------------------------------------------------------
    void append(); // new row, becomes current, in edit state
    void edit();
    void setValor(const QString &campo, const QVariant &valor);
    void post();
    void cancel();
    void deleteRecord();
    bool emEdicao() const;

    // Where applyUpdates writes: a table and its key fields (empty keys: all original values).
    void setTabelaAtualizacao(const QString &tabela, const QStringList &chaves = {});
    bool temAlteracoes() const;
    // Sends the pending inserts, updates and deletes as bound statements; the first error raises
    // and keeps the rest pending.
    void applyUpdates(QSqlDatabase db);
    void descartaAlteracoes();
    // Called after each post and each delete (the shared summary sets apply at once).
    void setAposGravar(std::function<void()> f);

  signals:
    void aberto();
    void fechado();
    void linhaAtualMudou();
    void dadosMudaram();
    // Rows added at the end of the view (a packet arrived, a row was appended); the rows before stay.
    void linhasAcrescentadas(int primeira, int ultima);

  private:
    void refazVista();

    struct Impl;
    std::unique_ptr<Impl> d;
};
