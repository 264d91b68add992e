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
// Errors are raised as OrbelError: what the set was doing first, the server's text after.
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
        QString mascara; // picture of numbers on screen (Formatacao::mascara); empty: the value as stored
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
    // Lets go of the server: an unfinished packet cursor and a kept prepared statement are
    // dropped (the rows read stay, the set counts as fully read), so nothing of this set holds a
    // table that a structure change (ALTER INDEX) needs.
    void liberaCursor();
    bool seguraServidor() const; // a cursor or a prepared statement is still open

    // --- fields -----------------------------------------------------------------------------
    // A calculated field is computed by its rule; define before open. The calculated fields of a row
    // are computed together, in the order they were defined, the first time the row is read, and kept
    // until the row changes or invalidaCalculados() says what they read changed.
    void addCampoCalculado(const QString &nome, QMetaType::Type tipo, int tamanho, Regra regra,
                           const QString &rotulo = {});
    void invalidaCalculados();
    // While suspended the calculated fields read empty and the fetch notice stays silent.
    void setRegrasSuspensas(bool suspensas);
    bool regrasSuspensas() const;
    void setRotulo(const QString &campo, const QString &rotulo);
    void setVisivel(const QString &campo, bool visivel);
    void setMascara(const QString &campo, const QString &mascara);
    // Picture of every floating-point field that has none of its own (an empty setMascara keeps none).
    void setMascaraDosValores(const QString &mascara);
    // A value as the screen shows it: the field's picture for numbers, dd/mm/yyyy dates, decimal
    // comma; empty for NULL.
    QString exibicao(int linha, int campo) const;
    QString exibicao(const QString &campo) const; // current row
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

    // Exact, case-sensitive match of every field; moves the current row when found. Stored fields are
    // searched through a hash built on first use and kept until the rows change.
    bool locate(const QStringList &campos, const QVariantList &valores);
    // Same search without moving; -1 when none.
    int procura(const QStringList &campos, const QVariantList &valores) const;
    // A look-up: `resultado` of the first row whose `campo` equals `valor`; empty when none.
    QVariant lookup(const QString &campo, const QVariant &valor, const QString &resultado) const;

    void setFiltro(Filtro f); // empty function removes the filter
    // Sort by fields separated by ";" (ascending); empty restores the server order.
    void setIndexFieldNames(const QString &campos);

    // Master-detail: this set shows only the rows whose detail fields equal the master's current
    // values, following the master as it moves.
    void setMestre(ClientDataSet *mestre, const QStringList &camposMestre, const QStringList &camposDetalhe);
    // Master-detail by parameters: on each move of the master the statement's :NAME placeholders get
    // the master's fields of the same names (case aside) and the prepared statement runs again, so only
    // the current row's details are read. Without a master (nullptr, detached) the set shows no rows.
    void setMestreParametros(ClientDataSet *mestre);
    ClientDataSet *mestreParametros() const;

    // --- local changes --------------------------------------------------------------------------
    // A read-only set refuses append, edit and delete.
    void setSomenteLeitura(bool somenteLeitura);
    bool somenteLeitura() const;
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
    // Sends the pending inserts, updates and deletes as bound statements in one transaction: all of
    // them or none. An update or delete that finds no row, or more than one, is an error. On error
    // everything stays pending. Inside a transaction the caller opened, it writes in that one.
    void applyUpdates(QSqlDatabase db);
    void descartaAlteracoes();
    // Called after each post and each delete (the shared summary sets apply at once).
    void setAposGravar(std::function<void()> f);

  signals:
    void aberto();
    void fechado();
    void linhaAtualMudou();
    void dadosMudaram();
    // Calculated values were computed again (what they read changed); rows and fields stand.
    void valoresMudaram();
    // Rows added at the end of the view (a packet arrived, a row was appended); the rows before stay.
    void linhasAcrescentadas(int primeira, int ultima);

  private:
    void refazVista();
    void segueMestreParametros();
    void trocaLinhas();

    struct Impl;
    std::unique_ptr<Impl> d;
};
