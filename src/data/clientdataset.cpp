#include "data/clientdataset.h"

#include "shell/formatacao.h"
#include "shell/orbelerror.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

#include <algorithm>
#include <numeric>

namespace
{

// Firebird's native type codes as QSqlField::typeID() reports them (the low bit marks nullable).
constexpr int kSqlVarchar = 448;
constexpr int kSqlChar = 452;
// The Qt driver always attaches with UTF-8, so text lengths come in bytes, four per character.
constexpr int kBytesPorCaractere = 4;

bool numerico(int t)
{
    switch (t) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

template <typename T> int tres(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// NULLs first, then numbers numerically, dates and times by value, anything else as plain text.
int compara(const QVariant &a, const QVariant &b)
{
    const bool na = a.isNull(), nb = b.isNull();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const int ta = a.typeId(), tb = b.typeId();
    if (ta == QMetaType::QString && tb == QMetaType::QString) // the common case, without copies
        return tres(QString::compare(*static_cast<const QString *>(a.constData()),
                                     *static_cast<const QString *>(b.constData())),
                    0);
    if (numerico(ta) && numerico(tb)) {
        if (ta == QMetaType::LongLong && tb == QMetaType::LongLong)
            return tres(a.toLongLong(), b.toLongLong());
        return tres(a.toDouble(), b.toDouble());
    }
    if (ta == tb && ta == QMetaType::QDate)
        return tres(a.toDate(), b.toDate());
    if (ta == tb && ta == QMetaType::QDateTime)
        return tres(a.toDateTime(), b.toDateTime());
    if (ta == tb && ta == QMetaType::QTime)
        return tres(a.toTime(), b.toTime());
    return tres(QString::compare(a.toString(), b.toString()), 0);
}

// Exact equality for locate and master links: text against anything compares as text.
bool iguais(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return compara(a, b) == 0;
}

OrbelError campoNaoEncontrado(const QString &nome)
{
    return OrbelError(QStringLiteral("Campo '%1' não encontrado").arg(nome));
}

// What the set was doing first, the server's text after.
OrbelError erroDoServidor(const QString &fazendo, const QSqlError &erro)
{
    return OrbelError(fazendo + QStringLiteral("\r\n") + erro.text());
}

// The :NAME placeholders of a statement, as written, each once, outside quoted texts.
QStringList marcadoresDe(const QString &sql)
{
    QStringList nomes;
    QChar aspa;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!aspa.isNull()) {
            if (c == aspa)
                aspa = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            aspa = c;
        } else if (c == u':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            qsizetype f = i + 1;
            while (f < sql.size() && (sql[f].isLetterOrNumber() || sql[f] == u'_'))
                ++f;
            const QString nome = sql.mid(i, f - i);
            if (!nomes.contains(nome))
                nomes << nome;
            i = f - 1;
        }
    }
    return nomes;
}

// Hash key of a value for locate: the text form, as the exact comparison reads text.
QString chaveDe(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("\x01") : v.toString();
}

} // namespace

struct ClientDataSet::Impl {
    enum class Tipo { Insercao, Alteracao, Exclusao };
    struct Alteracao {
        Tipo tipo;
        int id;                     // identity of the stored row it concerns
        QVector<QVariant> original; // stored values before the change (updates, deletes)
        QVector<QVariant> novo;     // values to write (inserts, updates)
    };
    enum class Estado { Navegando, Editando, Inserindo };

    QString nome;
    QString sql;
    QVariantMap parametros;
    int packet = -1;
    std::function<void(bool)> aoBuscar;
    QSqlDatabase db; // where the last open read, for the reruns of a detail set

    // detail by parameters
    ClientDataSet *mestreParam = nullptr;
    QList<QMetaObject::Connection> ligacoesParam;
    QStringList marcadores;       // placeholders of the statement, as written
    QVariantList ultimos;         // master values of the rows held; empty when none were read
    bool releitura = false;       // read again even when the master values are the same
    bool segueParametros = false; // a detail by parameters, attached or not
    bool somenteLeitura = false;
    bool manterPreparada() const { return mestreParam != nullptr; }

    // calculated values per store row, computed on first read; bit k of prontos marks field k
    mutable QVector<QVector<QVariant>> calc;
    mutable QVector<quint64> prontos;
    mutable bool calculando = false;
    bool suspensas = false;

    // locate hashes per field list: key text -> view rows in order; dropped when the view changes
    mutable QHash<QString, QHash<QString, QVector<int>>> hashes;

    QVector<Campo> campos; // stored fields, then calculated ones
    QStringList colunas;   // the table's own name of each stored field
    int armazenados = 0;
    QHash<QString, int> indice;      // upper-case name -> field index
    QVector<Regra> regras;           // per calculated field
    QVector<bool> blob;              // per stored field: left out of the row search of updates
    QVector<int> larguraChar;        // per stored field: CHAR width whose padding is cut, 0 otherwise
    QHash<QString, QString> rotulos; // labels, visibility and pictures given before the fields exist
    QHash<QString, bool> visiveis;
    QHash<QString, QString> mascaras;
    QString mascaraValores; // of every floating-point field without its own

    QVector<QVector<QVariant>> linhas; // the store
    QVector<int> ids;                  // identity of each stored row, stable across deletes
    int proximoId = 0;
    // view row -> store row; -1 stands for the row being inserted, always the last of the view
    QVector<int> vista;
    int atual = -1;
    bool eof = true, bof = true;
    bool ativo = false;
    std::unique_ptr<QSqlQuery> consulta; // open while packets remain
    bool fim = true;

    Filtro filtro;
    QStringList ordem;
    ClientDataSet *mestre = nullptr;
    QStringList camposMestre, camposDetalhe;
    QList<QMetaObject::Connection> ligacoesMestre;

    Estado estado = Estado::Navegando;
    QVector<QVariant> buffer;
    int linhaEditada = -1; // store row being edited; -1 while inserting

    QString tabela;
    QStringList chaves;
    QList<Alteracao> pendentes;
    std::function<void()> aposGravar;

    int campo(const QString &n) const { return indice.value(n.toUpper(), -1); }
    void mudouVista() { hashes.clear(); }
    void esqueceCalculados(int r)
    {
        if (r < prontos.size())
            prontos[r] = 0;
    }
    void removeCalculados(int r)
    {
        if (r < prontos.size()) {
            prontos.remove(r);
            calc.remove(r);
        }
    }
    void limpaLinhas()
    {
        linhas.clear();
        ids.clear();
        calc.clear();
        prontos.clear();
        hashes.clear();
    }

    // A calculated text holds at most its field's size, as a stored one would.
    QVariant cortado(int k, QVariant v) const
    {
        const Campo &c = campos[armazenados + k];
        if (c.tamanho > 0 && v.typeId() == QMetaType::QString) {
            const QString *t = static_cast<const QString *>(v.constData());
            if (t->size() > c.tamanho)
                return t->left(c.tamanho);
        }
        return v;
    }

    QVariant calculado(const ClientDataSet &ds, int linha, int campo) const
    {
        if (suspensas)
            return {};
        const int k = campo - armazenados;
        const int r = vista[linha];
        // a row being edited is computed afresh: its values are still moving
        if (r < 0 || (estado != Estado::Navegando && r == linhaEditada))
            return cortado(k, regras[k](ds, linha));
        if (prontos.size() <= r) {
            prontos.resize(linhas.size());
            calc.resize(linhas.size());
        }
        if (prontos[r] >> k & 1)
            return calc[r][k];
        if (calc[r].size() != regras.size())
            calc[r].resize(regras.size());
        if (prontos[r] == 0 && !calculando) {
            // the whole row at once, in the order of definition (a rule may read an earlier field)
            struct Marca {
                bool &b;
                ~Marca() { b = false; }
            } marca{calculando};
            calculando = true;
            for (int j = 0; j < regras.size(); ++j)
                if (!(prontos[r] >> j & 1)) {
                    calc[r][j] = cortado(j, regras[j](ds, linha));
                    prontos[r] |= quint64(1) << j;
                }
        } else {
            calc[r][k] = cortado(k, regras[k](ds, linha));
            prontos[r] |= quint64(1) << k;
        }
        return calc[r][k];
    }
    int campoObrigatorio(const QString &n) const
    {
        const int c = campo(n);
        if (c < 0)
            throw campoNaoEncontrado(n);
        return c;
    }
    int armazenadaAtual() const { return atual >= 0 && atual < vista.size() ? vista[atual] : -2; }
    int pendenteInsercao(int id) const
    {
        for (int i = 0; i < pendentes.size(); ++i)
            if (pendentes[i].tipo == Tipo::Insercao && pendentes[i].id == id)
                return i;
        return -1;
    }

    // Puts one changed stored row back where a rebuild of the view would put it, without the
    // cost of one: the view is always ordered by its keys and then by store position. False when
    // only a rebuild can tell (keys from calculated fields).
    bool recolocaLinha(const ClientDataSet &ds, int r)
    {
        QVector<int> cols;
        for (const QString &c : ordem) {
            cols << campoObrigatorio(c);
            if (cols.last() >= armazenados)
                return false;
        }
        const int pos = vista.indexOf(r);
        if (pos >= 0)
            vista.remove(pos);
        if (!vista.isEmpty() && vista.last() == -1)
            vista.removeLast();
        if (mestre) {
            if (!mestre->active() || mestre->isEmpty())
                return true;
            for (int i = 0; i < camposDetalhe.size(); ++i)
                if (!iguais(linhas[r][campoObrigatorio(camposDetalhe[i])],
                            mestre->valor(camposMestre.value(i))))
                    return true;
        }
        if (filtro) {
            vista.append(r);
            const bool passa = filtro(ds, vista.size() - 1);
            vista.removeLast();
            if (!passa)
                return true;
        }
        const auto antes = [&](int a, int b) {
            for (int c : cols)
                if (const int x = compara(linhas[a][c], linhas[b][c]))
                    return x < 0;
            return a < b;
        };
        vista.insert(std::lower_bound(vista.begin(), vista.end(), r, antes), r);
        return true;
    }

    QVariant lido(const QSqlQuery &q, int i) const
    {
        QVariant v = q.value(i);
        const int largura = larguraChar[i];
        if (largura > 0 && !v.isNull()) {
            // CHAR comes padded to its byte length; keep the blanks of the declared width only
            const QString *s = static_cast<const QString *>(v.constData());
            qsizetype fim = s->size();
            while (fim > largura && s->at(fim - 1) == u' ')
                --fim;
            if (fim < s->size())
                v = s->left(fim);
        }
        return v;
    }

    std::function<void(bool)> semAviso;

    // Reads up to `limite` rows (all when negative) into the store; the fetch notice brackets it.
    void leLinhas(int limite)
    {
        struct Aviso {
            const std::function<void(bool)> &f;
            Aviso(const std::function<void(bool)> &f) : f(f)
            {
                if (f)
                    f(true);
            }
            ~Aviso()
            {
                if (f)
                    f(false);
            }
        } aviso(suspensas ? semAviso : aoBuscar);
        // the notice lets the screen repaint, and a window may have closed the set meanwhile
        if (!consulta)
            return;
        QSqlQuery &q = *consulta;
        int lidas = 0;
        while ((limite < 0 || lidas < limite) && q.next()) {
            QVector<QVariant> linha(armazenados);
            for (int i = 0; i < armazenados; ++i)
                linha[i] = lido(q, i);
            linhas.append(std::move(linha));
            ids.append(proximoId++);
            ++lidas;
        }
        if (limite >= 0 && lidas == limite)
            return;
        const QSqlError erro = q.lastError();
        fim = true;
        q.finish();
        // no transaction stays open behind a fully read set; a detail set keeps its statement
        // prepared for the next master row
        if (!manterPreparada() || erro.isValid())
            consulta.reset();
        if (erro.isValid())
            throw erroDoServidor(QStringLiteral("Erro ao buscar registros de %1.").arg(nome), erro);
    }
};

ClientDataSet::ClientDataSet(const QString &nome, QObject *parent)
    : QObject(parent), d(std::make_unique<Impl>())
{
    d->nome = nome;
    setObjectName(nome);
}

ClientDataSet::~ClientDataSet() = default;

QString ClientDataSet::nome() const
{
    return d->nome;
}
void ClientDataSet::setCommandText(const QString &sql)
{
    d->sql = sql;
}
QString ClientDataSet::commandText() const
{
    return d->sql;
}
void ClientDataSet::setParametro(const QString &nome, const QVariant &valor)
{
    d->parametros[nome] = valor;
}
void ClientDataSet::limpaParametros()
{
    d->parametros.clear();
}
void ClientDataSet::setPacketRecords(int n)
{
    d->packet = n;
}
void ClientDataSet::setAoBuscarPacote(std::function<void(bool)> f)
{
    d->aoBuscar = std::move(f);
}
bool ClientDataSet::active() const
{
    return d->ativo;
}
bool ClientDataSet::tudoLido() const
{
    return d->fim;
}

void ClientDataSet::addCampoCalculado(const QString &nome, QMetaType::Type tipo, int tamanho, Regra regra,
                                      const QString &rotulo)
{
    Campo c{nome,
            tipo,
            tamanho,
            rotulo.isEmpty() ? d->rotulos.value(nome.toUpper()) : rotulo,
            true,
            d->visiveis.value(nome.toUpper(), true),
            d->mascaras.value(nome.toUpper())};
    const int existente = d->campo(nome);
    if (existente >= d->armazenados) { // defined again: the new rule replaces the old
        d->campos[existente] = c;
        d->regras[existente - d->armazenados] = std::move(regra);
        return;
    }
    if (existente >= 0)
        throw OrbelError(QStringLiteral("Campo '%1' já existe em %2").arg(nome, d->nome));
    if (d->regras.size() >= 64) // one bit each marks a computed value
        throw OrbelError(QStringLiteral("Campos calculados demais em %1").arg(d->nome));
    d->calc.clear();
    d->prontos.clear();
    d->campos.append(c);
    d->regras.append(std::move(regra));
    d->indice.insert(nome.toUpper(), d->campos.size() - 1);
}

void ClientDataSet::setRotulo(const QString &campo, const QString &rotulo)
{
    d->rotulos[campo.toUpper()] = rotulo;
    const int i = d->campo(campo);
    if (i >= 0)
        d->campos[i].rotulo = rotulo;
}

void ClientDataSet::setVisivel(const QString &campo, bool visivel)
{
    d->visiveis[campo.toUpper()] = visivel;
    const int i = d->campo(campo);
    if (i >= 0)
        d->campos[i].visivel = visivel;
}

const QVector<ClientDataSet::Campo> &ClientDataSet::campos() const
{
    return d->campos;
}
int ClientDataSet::indiceCampo(const QString &nome) const
{
    return d->campo(nome);
}

QStringList ClientDataSet::nomesCampos() const
{
    QStringList n;
    for (const Campo &c : d->campos)
        n << c.nome;
    return n;
}

void ClientDataSet::open(QSqlDatabase db)
{
    close();
    d->db = db;
    auto q = std::make_unique<QSqlQuery>(db);
    q->setForwardOnly(true);
    if (!q->prepare(d->sql))
        throw erroDoServidor(QStringLiteral("Erro ao abrir %1.").arg(d->nome), q->lastError());
    for (auto it = d->parametros.cbegin(); it != d->parametros.cend(); ++it)
        q->bindValue(it.key().startsWith(u':') ? it.key() : u':' + it.key(), it.value());
    QVariantList doMestre;
    if (d->segueParametros) {
        d->marcadores = marcadoresDe(d->sql);
        const bool semMestre = !d->mestreParam || !d->mestreParam->active() || d->mestreParam->isEmpty();
        for (const QString &m : d->marcadores) {
            // without a master row a typed NULL matches nothing and still gives the columns
            const QVariant v =
                semMestre ? QVariant(QMetaType(QMetaType::QString)) : d->mestreParam->valor(m.mid(1));
            q->bindValue(m, v);
            doMestre << v;
        }
        if (semMestre)
            doMestre.clear();
    }
    if (!q->exec())
        throw erroDoServidor(QStringLiteral("Erro ao abrir %1.").arg(d->nome), q->lastError());
    d->ultimos = doMestre;

    // the stored fields come from the statement; the calculated ones keep their place after them
    QVector<Campo> calculados = d->campos.mid(d->armazenados);
    const QSqlRecord rec = q->record();
    d->campos.clear();
    d->colunas.clear();
    d->indice.clear();
    d->blob.clear();
    d->larguraChar.clear();
    for (int i = 0; i < rec.count(); ++i) {
        const QSqlField f = rec.field(i);
        const int nativo = f.typeID() & ~1;
        const bool texto = nativo == kSqlVarchar || nativo == kSqlChar;
        const int largura = f.length() > 0 ? int(f.length()) / (texto ? kBytesPorCaractere : 1) : 0;
        // names longer than 30 characters are known by their first 30; the table keeps the whole
        d->colunas.append(f.name());
        const QString nome = f.name().left(30);
        const QString chave = nome.toUpper();
        Campo c{nome,
                static_cast<QMetaType::Type>(f.metaType().id()),
                texto ? largura : 0,
                d->rotulos.value(chave),
                false,
                d->visiveis.value(chave, true),
                d->mascaras.value(chave)};
        if (c.mascara.isEmpty() && c.tipo == QMetaType::Double && !d->mascaras.contains(chave))
            c.mascara = d->mascaraValores;
        d->indice.insert(chave, d->campos.size());
        d->campos.append(c);
        d->blob.append(c.tipo == QMetaType::QByteArray);
        d->larguraChar.append(nativo == kSqlChar ? largura : 0);
    }
    d->armazenados = d->campos.size();
    for (const Campo &c : calculados) {
        d->indice.insert(c.nome.toUpper(), d->campos.size());
        d->campos.append(c);
    }
    for (const QString &c : d->ordem)
        if (d->campo(c) < 0)
            throw campoNaoEncontrado(c);

    d->consulta = std::move(q);
    d->fim = false;
    d->ativo = true;
    try {
        d->leLinhas(d->packet > 0 && !d->mestreParam ? d->packet : -1);
    } catch (...) {
        close();
        throw;
    }
    refazVista();
    d->atual = d->vista.isEmpty() ? -1 : 0;
    d->bof = true;
    d->eof = d->vista.isEmpty();
    emit aberto();
    emit linhaAtualMudou();
}

void ClientDataSet::setMestreParametros(ClientDataSet *mestre)
{
    for (const auto &c : d->ligacoesParam)
        disconnect(c);
    d->ligacoesParam.clear();
    d->mestreParam = mestre;
    d->segueParametros = true;
    if (!mestre) {
        d->consulta.reset(); // detached: nothing of it stays prepared
        d->ultimos.clear();
    } else {
        d->ligacoesParam << connect(mestre, &ClientDataSet::linhaAtualMudou, this,
                                    &ClientDataSet::segueMestreParametros)
                         << connect(mestre, &ClientDataSet::aberto, this,
                                    [this] {
                                        // a statement kept prepared reads in the transaction of its first
                                        // run: a master opened again starts a fresh one
                                        d->consulta.reset();
                                        d->releitura = true;
                                        segueMestreParametros();
                                    })
                         << connect(mestre, &ClientDataSet::fechado, this,
                                    &ClientDataSet::segueMestreParametros);
    }
    d->releitura = true; // whatever it held, read again
    segueMestreParametros();
}

ClientDataSet *ClientDataSet::mestreParametros() const
{
    return d->mestreParam;
}

void ClientDataSet::segueMestreParametros()
{
    if (!d->ativo)
        return;
    if (d->estado != Impl::Estado::Navegando)
        post();
    ClientDataSet *m = d->mestreParam;
    QVariantList valores;
    if (m && m->active() && !m->isEmpty()) {
        if (d->marcadores.isEmpty())
            d->marcadores = marcadoresDe(d->sql);
        for (const QString &nome : d->marcadores)
            valores << m->valor(nome.mid(1));
    }
    // the master moved within the same row values (a packet arrived, a look-up changed): nothing to read
    if (!d->releitura && valores.size() == d->ultimos.size()) {
        bool iguaisTodos = true;
        for (int i = 0; i < valores.size() && iguaisTodos; ++i)
            iguaisTodos = iguais(valores[i], d->ultimos[i]) && valores[i].isNull() == d->ultimos[i].isNull();
        if (iguaisTodos)
            return;
    }
    d->releitura = false;
    d->limpaLinhas();
    d->ultimos = valores;
    if (!valores.isEmpty()) {
        if (!d->consulta) { // released, or never prepared
            d->consulta = std::make_unique<QSqlQuery>(d->db);
            d->consulta->setForwardOnly(true);
            if (!d->consulta->prepare(d->sql)) {
                const QSqlError e = d->consulta->lastError();
                d->consulta.reset();
                throw erroDoServidor(QStringLiteral("Erro ao abrir %1.").arg(d->nome), e);
            }
        }
        for (auto it = d->parametros.cbegin(); it != d->parametros.cend(); ++it)
            d->consulta->bindValue(it.key().startsWith(u':') ? it.key() : u':' + it.key(), it.value());
        for (int i = 0; i < valores.size(); ++i)
            d->consulta->bindValue(d->marcadores[i], valores[i]);
        if (!d->consulta->exec()) {
            const QSqlError e = d->consulta->lastError();
            d->consulta.reset();
            d->ultimos.clear();
            trocaLinhas();
            throw erroDoServidor(QStringLiteral("Erro ao buscar registros de %1.").arg(d->nome), e);
        }
        d->fim = false;
        try {
            d->leLinhas(-1);
        } catch (...) {
            d->ultimos.clear();
            trocaLinhas();
            throw;
        }
    }
    trocaLinhas();
}

// The store was replaced: the view starts again at its first row.
void ClientDataSet::trocaLinhas()
{
    d->fim = true;
    refazVista();
    d->atual = d->vista.isEmpty() ? -1 : 0;
    d->bof = true;
    d->eof = d->vista.isEmpty();
    emit dadosMudaram();
    emit linhaAtualMudou();
}

void ClientDataSet::liberaCursor()
{
    d->consulta.reset();
    d->fim = true;
}

bool ClientDataSet::seguraServidor() const
{
    return d->consulta != nullptr;
}

void ClientDataSet::invalidaCalculados()
{
    if (d->prontos.isEmpty())
        return;
    d->calc.clear();
    d->prontos.clear();
    if (d->ativo)
        emit valoresMudaram();
}

void ClientDataSet::setRegrasSuspensas(bool suspensas)
{
    if (d->suspensas == suspensas)
        return;
    d->suspensas = suspensas;
    d->calc.clear();
    d->prontos.clear();
    if (d->ativo)
        emit valoresMudaram();
}

bool ClientDataSet::regrasSuspensas() const
{
    return d->suspensas;
}

void ClientDataSet::setMascara(const QString &campo, const QString &mascara)
{
    d->mascaras[campo.toUpper()] = mascara;
    const int i = d->campo(campo);
    if (i >= 0)
        d->campos[i].mascara = mascara;
}

void ClientDataSet::setMascaraDosValores(const QString &mascara)
{
    d->mascaraValores = mascara;
}

QString ClientDataSet::exibicao(int linha, int campo) const
{
    const QVariant v = valor(linha, campo);
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return Formatacao::data(v.toDate());
    case QMetaType::QTime:
        return Formatacao::hora(v.toTime());
    case QMetaType::QDateTime:
        return Formatacao::dataHora(v.toDateTime());
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        if (!d->campos[campo].mascara.isEmpty())
            return Formatacao::mascara(v.toDouble(), d->campos[campo].mascara);
        if (v.typeId() == QMetaType::Double) // the value as stored, with the decimal comma
            return Formatacao::numeroDecimal(v.toDouble());
        return v.toString();
    default:
        return v.toString();
    }
}

QString ClientDataSet::exibicao(const QString &campo) const
{
    return exibicao(d->atual, d->campoObrigatorio(campo));
}

bool ClientDataSet::buscaMais()
{
    if (!d->ativo || d->fim || !d->consulta)
        return false;
    const int antes = d->linhas.size();
    d->leLinhas(d->packet > 0 ? d->packet : -1);
    if (!d->ativo || d->linhas.size() == antes)
        return false;
    d->mudouVista();

    const int primeira = d->vista.size();
    if (d->ordem.isEmpty() && d->estado != Impl::Estado::Inserindo) {
        // the new rows go after the ones shown, so a grid keeps its place
        QVariantList valoresMestre;
        QVector<int> colDet;
        if (d->mestre) {
            if (!d->mestre->active() || d->mestre->isEmpty())
                return true;
            for (int i = 0; i < d->camposDetalhe.size(); ++i) {
                colDet << d->campoObrigatorio(d->camposDetalhe[i]);
                valoresMestre << d->mestre->valor(d->camposMestre.value(i));
            }
        }
        for (int r = antes; r < d->linhas.size(); ++r) {
            bool ok = true;
            for (int i = 0; i < colDet.size() && ok; ++i)
                ok = iguais(d->linhas[r][colDet[i]], valoresMestre[i]);
            if (!ok)
                continue;
            d->vista.append(r);
            if (d->filtro && !d->filtro(*this, d->vista.size() - 1))
                d->vista.removeLast();
        }
        if (d->vista.size() > primeira)
            emit linhasAcrescentadas(primeira, d->vista.size() - 1);
    } else {
        const int linha = d->armazenadaAtual();
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : std::max(0, int(d->vista.indexOf(linha)));
        emit dadosMudaram();
    }
    if (d->atual < 0 && !d->vista.isEmpty()) {
        d->atual = 0;
        d->eof = false;
        d->bof = true;
        emit linhaAtualMudou();
    }
    return true;
}

void ClientDataSet::close()
{
    const bool estava = d->ativo;
    d->consulta.reset();
    d->db = QSqlDatabase(); // holds no connection the data module is about to remove
    d->limpaLinhas();
    d->ultimos.clear();
    d->vista.clear();
    d->atual = -1;
    d->eof = d->bof = true;
    d->ativo = false;
    d->fim = true;
    d->estado = Impl::Estado::Navegando;
    d->buffer.clear();
    d->linhaEditada = -1;
    d->pendentes.clear();
    if (estava) {
        emit fechado();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::refazVista()
{
    d->mudouVista();
    d->vista.clear();
    if (!d->ativo)
        return;
    QVector<int> vista;
    bool semLinhas = false;
    QVector<int> colDet;
    QVariantList valoresMestre;
    if (d->mestre) {
        semLinhas = !d->mestre->active() || d->mestre->isEmpty();
        for (int i = 0; i < d->camposDetalhe.size() && !semLinhas; ++i) {
            colDet << d->campoObrigatorio(d->camposDetalhe[i]);
            valoresMestre << d->mestre->valor(d->camposMestre.value(i));
        }
    }
    if (!semLinhas) {
        vista.reserve(d->linhas.size());
        for (int r = 0; r < d->linhas.size(); ++r) {
            bool ok = true;
            for (int i = 0; i < colDet.size() && ok; ++i)
                ok = iguais(d->linhas[r][colDet[i]], valoresMestre[i]);
            if (ok)
                vista.append(r);
        }
    }
    if (d->filtro && !vista.isEmpty()) {
        // the filter reads its rows through the view, so it sees the candidates in place
        d->vista = vista;
        QVector<int> passam;
        passam.reserve(vista.size());
        for (int i = 0; i < vista.size(); ++i)
            if (d->filtro(*this, i))
                passam.append(vista[i]);
        vista = std::move(passam);
    }
    if (!d->ordem.isEmpty() && vista.size() > 1) {
        QVector<int> cols;
        for (const QString &c : d->ordem)
            cols << d->campoObrigatorio(c);
        // calculated keys are computed once per row, through the view their rules expect
        QVector<QVector<QVariant>> calculadas(cols.size());
        d->vista = vista;
        for (int k = 0; k < cols.size(); ++k)
            if (cols[k] >= d->armazenados) {
                calculadas[k].resize(vista.size());
                for (int i = 0; i < vista.size(); ++i)
                    calculadas[k][i] = d->regras[cols[k] - d->armazenados](*this, i);
            }
        QVector<int> posicoes(vista.size());
        std::iota(posicoes.begin(), posicoes.end(), 0);
        std::stable_sort(posicoes.begin(), posicoes.end(), [&](int a, int b) {
            for (int k = 0; k < cols.size(); ++k) {
                const int r = cols[k] < d->armazenados
                                  ? compara(d->linhas[vista[a]][cols[k]], d->linhas[vista[b]][cols[k]])
                                  : compara(calculadas[k][a], calculadas[k][b]);
                if (r)
                    return r < 0;
            }
            return false;
        });
        QVector<int> ordenada(vista.size());
        for (int i = 0; i < posicoes.size(); ++i)
            ordenada[i] = vista[posicoes[i]];
        vista = std::move(ordenada);
    }
    if (d->estado == Impl::Estado::Inserindo)
        vista.append(-1);
    d->vista = std::move(vista);
}

int ClientDataSet::recordCount() const
{
    return d->vista.size();
}
bool ClientDataSet::isEmpty() const
{
    return d->vista.isEmpty();
}
int ClientDataSet::recNo() const
{
    return d->vista.isEmpty() ? -1 : d->atual;
}

void ClientDataSet::setRecNo(int linha)
{
    if (d->vista.isEmpty())
        return;
    const int novo = std::clamp(linha, 0, int(d->vista.size()) - 1);
    if (novo != d->atual && d->estado != Impl::Estado::Navegando)
        post(); // leaving an edited row keeps its changes
    const int alvo = std::clamp(novo, 0, int(d->vista.size()) - 1);
    d->eof = d->bof = false;
    if (alvo != d->atual) {
        d->atual = alvo;
        emit linhaAtualMudou();
    }
}

void ClientDataSet::first()
{
    setRecNo(0);
    d->bof = true;
    d->eof = d->vista.isEmpty();
}

void ClientDataSet::last()
{
    while (buscaMais()) {
    }
    setRecNo(d->vista.size() - 1);
    d->eof = true;
    d->bof = d->vista.isEmpty();
}

void ClientDataSet::next()
{
    if (d->atual + 1 >= d->vista.size())
        while (!d->fim && d->atual + 1 >= d->vista.size() && buscaMais()) {
        }
    if (d->atual + 1 >= d->vista.size()) {
        d->eof = true;
        d->bof = d->vista.isEmpty();
        return;
    }
    setRecNo(d->atual + 1);
}

void ClientDataSet::prior()
{
    if (d->atual <= 0) {
        d->bof = true;
        d->eof = d->vista.isEmpty();
        return;
    }
    setRecNo(d->atual - 1);
}

bool ClientDataSet::eof() const
{
    return d->eof || d->vista.isEmpty();
}
bool ClientDataSet::bof() const
{
    return d->bof || d->vista.isEmpty();
}

QVariant ClientDataSet::valor(int linha, int campo) const
{
    if (campo < 0 || campo >= d->campos.size())
        throw campoNaoEncontrado(QString::number(campo));
    if (linha < 0 || linha >= d->vista.size())
        return {};
    if (campo >= d->armazenados)
        return d->calculado(*this, linha, campo);
    const int r = d->vista[linha];
    if (d->estado != Impl::Estado::Navegando && r == d->linhaEditada)
        return d->buffer.value(campo);
    return d->linhas[r][campo];
}

QVariant ClientDataSet::valor(int linha, const QString &campo) const
{
    return valor(linha, d->campoObrigatorio(campo));
}

QVariant ClientDataSet::valor(const QString &campo) const
{
    return valor(d->atual, d->campoObrigatorio(campo));
}

QString ClientDataSet::texto(const QString &campo) const
{
    const QVariant v = valor(campo);
    return v.isNull() ? QString() : v.toString();
}

int ClientDataSet::procura(const QStringList &campos, const QVariantList &valores) const
{
    QVector<int> cols;
    bool armazenados = d->estado == Impl::Estado::Navegando;
    for (const QString &c : campos) {
        cols << d->campoObrigatorio(c);
        armazenados = armazenados && cols.last() < d->armazenados;
    }
    auto confere = [&](int r) {
        for (int i = 0; i < cols.size(); ++i)
            if (!iguais(valor(r, cols[i]), valores.value(i)))
                return false;
        return true;
    };
    if (!armazenados || d->vista.size() < 8) { // calculated keys, a row in edition, a tiny set: a scan
        for (int r = 0; r < d->vista.size(); ++r)
            if (confere(r))
                return r;
        return -1;
    }
    auto chave = [&](auto &&valorDe) {
        QString k;
        for (int i = 0; i < cols.size(); ++i) {
            k += chaveDe(valorDe(i));
            k += QChar(0x1f);
        }
        return k;
    };
    QString nomeHash;
    for (int c : cols)
        nomeHash += QString::number(c) + u';';
    auto it = d->hashes.find(nomeHash);
    if (it == d->hashes.end()) {
        QHash<QString, QVector<int>> h;
        h.reserve(d->vista.size());
        for (int r = 0; r < d->vista.size(); ++r) {
            const QVector<QVariant> &linha = d->linhas[d->vista[r]];
            h[chave([&](int i) -> const QVariant & { return linha[cols[i]]; })].append(r);
        }
        it = d->hashes.insert(nomeHash, std::move(h));
    }
    const auto achados = it->constFind(chave([&](int i) { return valores.value(i); }));
    if (achados == it->constEnd())
        return -1;
    for (int r : *achados) // the text form groups candidates; the exact comparison decides
        if (confere(r))
            return r;
    return -1;
}

QVariant ClientDataSet::lookup(const QString &campo, const QVariant &valor, const QString &resultado) const
{
    const int r = procura({campo}, {valor});
    return r < 0 ? QVariant() : this->valor(r, resultado);
}

bool ClientDataSet::locate(const QStringList &campos, const QVariantList &valores)
{
    const int r = procura(campos, valores);
    if (r < 0)
        return false;
    setRecNo(r);
    return true;
}

void ClientDataSet::setFiltro(Filtro f)
{
    if (d->estado != Impl::Estado::Navegando)
        post();
    d->filtro = std::move(f);
    if (d->ativo) {
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : 0;
        d->bof = true;
        d->eof = d->vista.isEmpty();
        emit dadosMudaram();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::setIndexFieldNames(const QString &campos)
{
    QStringList ordem = campos.split(u';', Qt::SkipEmptyParts);
    for (QString &c : ordem) {
        c = c.trimmed();
        if (d->ativo && d->campo(c) < 0)
            throw campoNaoEncontrado(c);
    }
    if (d->estado != Impl::Estado::Navegando)
        post();
    d->ordem = ordem;
    if (d->ativo) {
        const int linha = d->armazenadaAtual();
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : std::max(0, int(d->vista.indexOf(linha)));
        emit dadosMudaram();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::setMestre(ClientDataSet *mestre, const QStringList &camposMestre,
                              const QStringList &camposDetalhe)
{
    for (const auto &c : d->ligacoesMestre)
        disconnect(c);
    d->ligacoesMestre.clear();
    d->mestre = mestre;
    d->camposMestre = camposMestre;
    d->camposDetalhe = camposDetalhe;
    auto segue = [this] {
        if (!d->ativo)
            return;
        if (d->estado != Impl::Estado::Navegando)
            post();
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : 0;
        d->bof = true;
        d->eof = d->vista.isEmpty();
        emit dadosMudaram();
        emit linhaAtualMudou();
    };
    if (mestre)
        d->ligacoesMestre << connect(mestre, &ClientDataSet::linhaAtualMudou, this, segue)
                          << connect(mestre, &ClientDataSet::aberto, this, segue)
                          << connect(mestre, &ClientDataSet::fechado, this, segue);
    segue();
}

void ClientDataSet::setSomenteLeitura(bool somenteLeitura)
{
    d->somenteLeitura = somenteLeitura;
}

bool ClientDataSet::somenteLeitura() const
{
    return d->somenteLeitura;
}

void ClientDataSet::append()
{
    if (d->somenteLeitura)
        throw OrbelError(QStringLiteral("Conjunto de dados somente para leitura: ") + d->nome);
    if (!d->ativo)
        throw OrbelError(QStringLiteral("Conjunto de dados fechado: ") + d->nome);
    if (d->estado != Impl::Estado::Navegando)
        post();
    d->buffer = QVector<QVariant>(d->armazenados);
    // a detail row belongs to the master's current row
    if (d->mestre && d->mestre->active() && !d->mestre->isEmpty())
        for (int i = 0; i < d->camposDetalhe.size(); ++i)
            d->buffer[d->campoObrigatorio(d->camposDetalhe[i])] = d->mestre->valor(d->camposMestre.value(i));
    d->estado = Impl::Estado::Inserindo;
    d->linhaEditada = -1;
    d->mudouVista();
    d->vista.append(-1);
    d->atual = d->vista.size() - 1;
    d->eof = d->bof = false;
    emit linhasAcrescentadas(d->atual, d->atual);
    emit linhaAtualMudou();
}

void ClientDataSet::edit()
{
    if (d->estado != Impl::Estado::Navegando)
        return;
    if (d->somenteLeitura)
        throw OrbelError(QStringLiteral("Conjunto de dados somente para leitura: ") + d->nome);
    if (d->armazenadaAtual() < 0)
        throw OrbelError(QStringLiteral("Não há registro para alterar em ") + d->nome);
    d->linhaEditada = d->vista[d->atual];
    d->buffer = d->linhas[d->linhaEditada];
    d->estado = Impl::Estado::Editando;
}

void ClientDataSet::setValor(const QString &campo, const QVariant &valor)
{
    const int c = d->campoObrigatorio(campo);
    if (c >= d->armazenados)
        throw OrbelError(QStringLiteral("Campo calculado '%1' não pode ser alterado").arg(campo));
    if (d->estado == Impl::Estado::Navegando)
        edit();
    d->buffer[c] = valor;
}

bool ClientDataSet::emEdicao() const
{
    return d->estado != Impl::Estado::Navegando;
}

void ClientDataSet::cancel()
{
    const bool inserindo = d->estado == Impl::Estado::Inserindo;
    d->estado = Impl::Estado::Navegando;
    d->buffer.clear();
    d->linhaEditada = -1;
    if (inserindo && !d->vista.isEmpty() && d->vista.last() == -1) {
        d->mudouVista();
        d->vista.removeLast();
        d->atual = d->vista.isEmpty() ? -1 : std::min(d->atual, int(d->vista.size()) - 1);
        d->eof = d->bof = d->vista.isEmpty();
        emit dadosMudaram();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::post()
{
    if (d->estado == Impl::Estado::Navegando)
        return;
    int linha;
    if (d->estado == Impl::Estado::Inserindo) {
        d->linhas.append(d->buffer);
        d->ids.append(d->proximoId++);
        linha = d->linhas.size() - 1;
        d->pendentes.append({Impl::Tipo::Insercao, d->ids[linha], {}, d->buffer});
    } else {
        linha = d->linhaEditada;
        if (d->buffer != d->linhas[linha]) {
            const int insercao = d->pendenteInsercao(d->ids[linha]);
            if (insercao >= 0) // not in the table yet: the insert carries the new values
                d->pendentes[insercao].novo = d->buffer;
            else
                d->pendentes.append({Impl::Tipo::Alteracao, d->ids[linha], d->linhas[linha], d->buffer});
            d->linhas[linha] = d->buffer;
            d->esqueceCalculados(linha);
        }
    }
    d->mudouVista();
    d->estado = Impl::Estado::Navegando;
    d->buffer.clear();
    d->linhaEditada = -1;
    if (!d->recolocaLinha(*this, linha))
        refazVista();
    const int pos = d->vista.indexOf(linha);
    d->atual = pos >= 0 ? pos : std::min(d->atual, int(d->vista.size()) - 1);
    d->eof = d->bof = d->vista.isEmpty();
    emit dadosMudaram();
    emit linhaAtualMudou();
    if (d->aposGravar)
        d->aposGravar();
}

void ClientDataSet::deleteRecord()
{
    if (d->somenteLeitura)
        throw OrbelError(QStringLiteral("Conjunto de dados somente para leitura: ") + d->nome);
    if (d->estado == Impl::Estado::Inserindo) { // deleting a row never posted just drops it
        cancel();
        return;
    }
    if (d->estado != Impl::Estado::Navegando)
        cancel();
    const int linha = d->armazenadaAtual();
    if (linha < 0)
        throw OrbelError(QStringLiteral("Não há registro para excluir em ") + d->nome);
    const int insercao = d->pendenteInsercao(d->ids[linha]);
    if (insercao >= 0)
        d->pendentes.removeAt(insercao);
    else
        d->pendentes.append({Impl::Tipo::Exclusao, d->ids[linha], d->linhas[linha], {}});
    d->linhas.remove(linha);
    d->ids.remove(linha);
    d->removeCalculados(linha);
    d->mudouVista();
    // the order of the others stands; only the store positions after the row move down
    d->vista.remove(d->atual);
    for (int &v : d->vista)
        if (v > linha)
            --v;
    d->atual = d->vista.isEmpty() ? -1 : std::min(d->atual, int(d->vista.size()) - 1);
    d->eof = d->bof = d->vista.isEmpty();
    emit dadosMudaram();
    emit linhaAtualMudou();
    if (d->aposGravar)
        d->aposGravar();
}

void ClientDataSet::setTabelaAtualizacao(const QString &tabela, const QStringList &chaves)
{
    d->tabela = tabela;
    d->chaves = chaves;
}

bool ClientDataSet::temAlteracoes() const
{
    return !d->pendentes.isEmpty();
}
void ClientDataSet::descartaAlteracoes()
{
    d->pendentes.clear();
}
void ClientDataSet::setAposGravar(std::function<void()> f)
{
    d->aposGravar = std::move(f);
}

void ClientDataSet::applyUpdates(QSqlDatabase db)
{
    if (d->pendentes.isEmpty())
        return;
    if (d->tabela.isEmpty())
        throw OrbelError(QStringLiteral("Tabela de atualização não definida para ") + d->nome);
    for (const QString &c : d->chaves)
        if (d->campo(c) < 0 || d->campo(c) >= d->armazenados)
            throw campoNaoEncontrado(c);
    const QString fazendo =
        QStringLiteral("Erro ao gravar as alterações de %1 em %2.").arg(d->nome, d->tabela);
    const QStringList nomes = d->colunas;
    // false when the caller already holds a transaction: the changes go into that one
    const bool propria = db.transaction();
    try {
        for (const Impl::Alteracao &alt : std::as_const(d->pendentes)) {
            QString sql;
            QVariantList valores;
            // the row is found by its key, or without one by every old value a comparison can match
            auto condicao = [&](const QVector<QVariant> &original) {
                QStringList partes;
                for (int i = 0; i < d->armazenados; ++i) {
                    const QString &nome = d->colunas[i];
                    if (d->chaves.isEmpty() ? d->blob[i] : !d->chaves.contains(nome, Qt::CaseInsensitive))
                        continue;
                    if (original[i].isNull()) {
                        partes << nome + QStringLiteral(" IS NULL");
                    } else {
                        partes << nome + QStringLiteral(" = ?");
                        valores << original[i];
                    }
                }
                return partes.join(QStringLiteral(" AND "));
            };
            if (alt.tipo == Impl::Tipo::Insercao) {
                sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(d->tabela, nomes.join(u','),
                               QStringList(nomes.size(), QStringLiteral("?")).join(u','));
                for (const QVariant &v : alt.novo)
                    valores << v;
            } else if (alt.tipo == Impl::Tipo::Alteracao) {
                sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE ")
                          .arg(d->tabela, nomes.join(QStringLiteral(" = ?, ")));
                for (const QVariant &v : alt.novo)
                    valores << v;
                sql += condicao(alt.original);
            } else {
                sql = QStringLiteral("DELETE FROM %1 WHERE ").arg(d->tabela) + condicao(alt.original);
            }
            QSqlQuery q(db);
            if (!q.prepare(sql))
                throw erroDoServidor(fazendo, q.lastError());
            for (const QVariant &v : std::as_const(valores))
                // an empty value goes as a typed NULL, which the driver always accepts
                q.addBindValue(v.isValid() ? v : QVariant(QMetaType(QMetaType::QString)));
            if (!q.exec())
                throw erroDoServidor(fazendo, q.lastError());
            // a change meant for one row that met none (someone removed it) or several (no key
            // tells them apart) must not pass as done
            if (alt.tipo != Impl::Tipo::Insercao && q.numRowsAffected() != 1)
                throw OrbelError(
                    fazendo + QStringLiteral("\r\n") +
                    (q.numRowsAffected() == 0
                         ? QStringLiteral("O registro a %1 não existe mais na tabela.")
                               .arg(alt.tipo == Impl::Tipo::Exclusao ? QStringLiteral("excluir")
                                                                     : QStringLiteral("alterar"))
                         : QStringLiteral("O registro a %1 não é único na tabela (%2 registros).")
                               .arg(alt.tipo == Impl::Tipo::Exclusao ? QStringLiteral("excluir")
                                                                     : QStringLiteral("alterar"))
                               .arg(q.numRowsAffected())));
        }
        if (propria && !db.commit())
            throw erroDoServidor(fazendo, db.lastError());
    } catch (...) {
        if (propria)
            db.rollback();
        throw;
    }
    d->pendentes.clear();
}
