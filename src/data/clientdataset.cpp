#include "data/clientdataset.h"

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
#include <optional>

namespace {

// NULLs first, then numbers numerically, dates and times by value, text by plain comparison.
int compara(const QVariant &a, const QVariant &b)
{
    const bool na = a.isNull(), nb = b.isNull();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const int ta = a.typeId(), tb = b.typeId();
    auto numero = [](int t) {
        return t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::Double || t == QMetaType::UInt ||
               t == QMetaType::ULongLong || t == QMetaType::Short || t == QMetaType::Float;
    };
    if (numero(ta) && numero(tb)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ta == QMetaType::QDate && tb == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (a.toDate() > b.toDate() ? 1 : 0);
    if (ta == QMetaType::QDateTime && tb == QMetaType::QDateTime)
        return a.toDateTime() < b.toDateTime() ? -1 : (a.toDateTime() > b.toDateTime() ? 1 : 0);
    if (ta == QMetaType::QTime && tb == QMetaType::QTime)
        return a.toTime() < b.toTime() ? -1 : (a.toTime() > b.toTime() ? 1 : 0);
    const int c = QString::compare(a.toString(), b.toString());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool iguais(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return compara(a, b) == 0;
}

} // namespace

struct ClientDataSet::Impl
{
    enum class Tipo { Insercao, Alteracao, Exclusao };
    struct Alteracao
    {
        Tipo tipo;
        QVector<QVariant> original; // stored values before the change (updates, deletes)
        QVector<QVariant> novo;     // values to write (inserts, updates)
    };

    QString nome;
    QString sql;
    QVariantMap parametros;
    int packet = -1;
    std::function<void(bool)> aoBuscar;

    QVector<Campo> campos; // stored fields, then calculated ones
    int armazenados = 0;
    QHash<QString, int> indice; // upper-case name -> field index
    QVector<Regra> regras;      // per calculated field

    QVector<QVector<QVariant>> linhas; // the store
    QVector<int> vista;                // view row -> store row
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

    // editing
    enum class Estado { Navegando, Editando, Inserindo } estado = Estado::Navegando;
    QVector<QVariant> buffer;
    int linhaEditada = -1; // store row being edited

    QString tabela;
    QStringList chaves;
    QList<Alteracao> pendentes;
    std::function<void()> aposGravar;

    QHash<QString, QString> rotulos;   // labels given before the fields exist
    QHash<QString, bool> visiveis;

    int campo(const QString &n) const { return indice.value(n.toUpper(), -1); }
};

ClientDataSet::ClientDataSet(const QString &nome, QObject *parent) : QObject(parent), d(std::make_unique<Impl>())
{
    d->nome = nome;
    setObjectName(nome);
}

ClientDataSet::~ClientDataSet() = default;

QString ClientDataSet::nome() const { return d->nome; }
void ClientDataSet::setCommandText(const QString &sql) { d->sql = sql; }
QString ClientDataSet::commandText() const { return d->sql; }
void ClientDataSet::setParametro(const QString &nome, const QVariant &valor) { d->parametros[nome] = valor; }
void ClientDataSet::limpaParametros() { d->parametros.clear(); }
void ClientDataSet::setPacketRecords(int n) { d->packet = n; }
void ClientDataSet::setAoBuscarPacote(std::function<void(bool)> f) { d->aoBuscar = std::move(f); }
bool ClientDataSet::active() const { return d->ativo; }
bool ClientDataSet::tudoLido() const { return d->fim; }

void ClientDataSet::addCampoCalculado(const QString &nome, QMetaType::Type tipo, int tamanho, Regra regra,
                                      const QString &rotulo)
{
    Campo c{nome, tipo, tamanho, rotulo, true, true};
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

const QVector<ClientDataSet::Campo> &ClientDataSet::campos() const { return d->campos; }
int ClientDataSet::indiceCampo(const QString &nome) const { return d->campo(nome); }

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
    // keep the calculated fields, rebuild the stored ones from the statement
    QVector<Campo> calculados;
    for (const Campo &c : d->campos)
        if (c.calculado)
            calculados.append(c);

    auto q = std::make_unique<QSqlQuery>(db);
    q->setForwardOnly(true);
    if (!q->prepare(d->sql))
        throw OrbelError(q->lastError().text());
    for (auto it = d->parametros.cbegin(); it != d->parametros.cend(); ++it)
        q->bindValue(it.key().startsWith(u':') ? it.key() : u':' + it.key(), it.value());
    if (!q->exec())
        throw OrbelError(q->lastError().text());

    const QSqlRecord rec = q->record();
    d->campos.clear();
    d->indice.clear();
    for (int i = 0; i < rec.count(); ++i) {
        const QSqlField f = rec.field(i);
        Campo c{f.name(), static_cast<QMetaType::Type>(f.metaType().id()), f.length() > 0 ? int(f.length()) : 0,
                d->rotulos.value(f.name().toUpper()), false, d->visiveis.value(f.name().toUpper(), true)};
        d->indice.insert(c.nome.toUpper(), d->campos.size());
        d->campos.append(c);
    }
    d->armazenados = d->campos.size();
    for (const Campo &c : calculados) {
        d->indice.insert(c.nome.toUpper(), d->campos.size());
        d->campos.append(c);
    }

    d->consulta = std::move(q);
    d->fim = false;
    d->ativo = true;
    buscaMais();
    if (d->packet < 0)
        while (buscaMais()) {
        }
    refazVista();
    d->atual = d->vista.isEmpty() ? -1 : 0;
    d->bof = true;
    d->eof = d->vista.isEmpty();
    emit aberto();
    emit linhaAtualMudou();
}

bool ClientDataSet::buscaMais()
{
    if (!d->ativo || d->fim || !d->consulta)
        return false;
    if (d->aoBuscar)
        d->aoBuscar(true);
    QSqlQuery &q = *d->consulta;
    const int n = d->armazenados;
    int lidas = 0;
    const int limite = d->packet > 0 ? d->packet : 1000;
    while (lidas < limite && q.next()) {
        QVector<QVariant> linha(n);
        for (int i = 0; i < n; ++i)
            linha[i] = q.value(i);
        d->linhas.append(std::move(linha));
        ++lidas;
    }
    if (lidas < limite) {
        if (q.lastError().isValid()) {
            const QString erro = q.lastError().text();
            d->fim = true;
            d->consulta.reset();
            if (d->aoBuscar)
                d->aoBuscar(false);
            throw OrbelError(erro);
        }
        d->fim = true;
        q.finish(); // no transaction stays open behind a fully read set
        d->consulta.reset();
    }
    if (d->aoBuscar)
        d->aoBuscar(false);
    if (lidas > 0 && d->packet > 0) {
        const int antes = d->vista.size();
        refazVista();
        if (d->atual < 0 && !d->vista.isEmpty()) {
            d->atual = 0;
            d->eof = false;
        }
        if (d->vista.size() != antes)
            emit dadosMudaram();
    }
    return !d->fim || lidas > 0;
}

void ClientDataSet::close()
{
    const bool estava = d->ativo;
    d->consulta.reset();
    d->linhas.clear();
    d->vista.clear();
    d->atual = -1;
    d->eof = d->bof = true;
    d->ativo = false;
    d->fim = true;
    d->estado = Impl::Estado::Navegando;
    d->pendentes.clear();
    if (estava) {
        emit fechado();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::refazVista()
{
    d->vista.clear();
    if (!d->ativo)
        return;
    const bool comMestre = d->mestre != nullptr;
    QVector<int> colDet;
    QVariantList valoresMestre;
    if (comMestre) {
        if (!d->mestre->active() || d->mestre->isEmpty())
            return;
        for (int i = 0; i < d->camposDetalhe.size(); ++i) {
            colDet << d->campo(d->camposDetalhe[i]);
            valoresMestre << d->mestre->valor(d->camposMestre.value(i));
        }
    }
    d->vista.reserve(d->linhas.size());
    for (int r = 0; r < d->linhas.size(); ++r) {
        if (comMestre) {
            bool ok = true;
            for (int i = 0; i < colDet.size() && ok; ++i)
                ok = colDet[i] >= 0 && iguais(d->linhas[r][colDet[i]], valoresMestre[i]);
            if (!ok)
                continue;
        }
        d->vista.append(r);
    }
    if (d->filtro) {
        // the filter reads rows through the view, so test each candidate as view row 0
        QVector<int> filtrada;
        QVector<int> todas = d->vista;
        for (int r : todas) {
            d->vista = {r};
            if (d->filtro(*this, 0))
                filtrada.append(r);
        }
        d->vista = filtrada;
    }
    if (!d->ordem.isEmpty()) {
        QVector<int> cols;
        for (const QString &c : d->ordem)
            cols << d->campo(c);
        std::stable_sort(d->vista.begin(), d->vista.end(), [this, &cols](int a, int b) {
            for (int c : cols) {
                if (c < 0 || c >= d->armazenados)
                    continue;
                const int r = compara(d->linhas[a][c], d->linhas[b][c]);
                if (r)
                    return r < 0;
            }
            return false;
        });
    }
}

int ClientDataSet::recordCount() const { return d->vista.size(); }
bool ClientDataSet::isEmpty() const { return d->vista.isEmpty(); }
int ClientDataSet::recNo() const { return d->vista.isEmpty() ? -1 : d->atual; }

void ClientDataSet::setRecNo(int linha)
{
    if (d->vista.isEmpty())
        return;
    const int novo = std::clamp(linha, 0, int(d->vista.size()) - 1);
    d->eof = d->bof = false;
    if (novo != d->atual) {
        d->atual = novo;
        emit linhaAtualMudou();
    }
}

void ClientDataSet::first()
{
    if (d->vista.isEmpty()) {
        d->eof = d->bof = true;
        return;
    }
    setRecNo(0);
    d->bof = true;
}

void ClientDataSet::last()
{
    while (buscaMais()) {
    }
    if (d->vista.isEmpty()) {
        d->eof = d->bof = true;
        return;
    }
    setRecNo(d->vista.size() - 1);
    d->eof = true;
}

void ClientDataSet::next()
{
    if (d->atual + 1 >= d->vista.size() && !d->fim)
        buscaMais();
    if (d->atual + 1 >= d->vista.size()) {
        d->eof = true;
        return;
    }
    setRecNo(d->atual + 1);
}

void ClientDataSet::prior()
{
    if (d->atual <= 0) {
        d->bof = true;
        return;
    }
    setRecNo(d->atual - 1);
}

bool ClientDataSet::eof() const { return d->eof || d->vista.isEmpty(); }
bool ClientDataSet::bof() const { return d->bof || d->vista.isEmpty(); }

QVariant ClientDataSet::valor(int linha, int campo) const
{
    if (campo < 0 || campo >= d->campos.size())
        throw OrbelError(QStringLiteral("Campo não encontrado"));
    if (linha < 0 || linha >= d->vista.size())
        return {};
    if (campo >= d->armazenados)
        return d->regras[campo - d->armazenados](*this, linha);
    // the row being edited shows its edit buffer
    if (d->estado != Impl::Estado::Navegando && linha == d->atual)
        return d->buffer.value(campo);
    return d->linhas[d->vista[linha]][campo];
}

QVariant ClientDataSet::valor(int linha, const QString &campo) const
{
    const int c = d->campo(campo);
    if (c < 0)
        throw OrbelError(QStringLiteral("Campo '%1' não encontrado").arg(campo));
    return valor(linha, c);
}

QVariant ClientDataSet::valor(const QString &campo) const
{
    const int c = d->campo(campo);
    if (c < 0)
        throw OrbelError(QStringLiteral("Campo '%1' não encontrado").arg(campo));
    if (d->estado == Impl::Estado::Inserindo && c < d->armazenados)
        return d->buffer.value(c);
    return valor(d->atual, c);
}

QString ClientDataSet::texto(const QString &campo) const
{
    const QVariant v = valor(campo);
    return v.isNull() ? QString() : v.toString();
}

int ClientDataSet::procura(const QStringList &campos, const QVariantList &valores) const
{
    QVector<int> cols;
    for (const QString &c : campos) {
        const int i = d->campo(c);
        if (i < 0)
            throw OrbelError(QStringLiteral("Campo '%1' não encontrado").arg(c));
        cols << i;
    }
    for (int r = 0; r < d->vista.size(); ++r) {
        bool ok = true;
        for (int i = 0; i < cols.size() && ok; ++i)
            ok = iguais(valor(r, cols[i]), valores.value(i));
        if (ok)
            return r;
    }
    return -1;
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
    d->filtro = std::move(f);
    if (d->ativo) {
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : 0;
        d->eof = d->bof = d->vista.isEmpty();
        emit dadosMudaram();
        emit linhaAtualMudou();
    }
}

void ClientDataSet::setIndexFieldNames(const QString &campos)
{
    d->ordem = campos.split(u';', Qt::SkipEmptyParts);
    for (QString &c : d->ordem)
        c = c.trimmed();
    if (d->ativo) {
        const int linha = d->atual >= 0 && d->atual < d->vista.size() ? d->vista[d->atual] : -1;
        refazVista();
        d->atual = linha < 0 ? (d->vista.isEmpty() ? -1 : 0) : int(d->vista.indexOf(linha));
        emit dadosMudaram();
    }
}

void ClientDataSet::setMestre(ClientDataSet *mestre, const QStringList &camposMestre, const QStringList &camposDetalhe)
{
    for (const auto &c : d->ligacoesMestre)
        disconnect(c);
    d->ligacoesMestre.clear();
    d->mestre = mestre;
    d->camposMestre = camposMestre;
    d->camposDetalhe = camposDetalhe;
    if (mestre) {
        auto segue = [this] {
            refazVista();
            d->atual = d->vista.isEmpty() ? -1 : 0;
            d->eof = d->bof = d->vista.isEmpty();
            emit dadosMudaram();
            emit linhaAtualMudou();
        };
        d->ligacoesMestre << connect(mestre, &ClientDataSet::linhaAtualMudou, this, segue)
                          << connect(mestre, &ClientDataSet::aberto, this, segue)
                          << connect(mestre, &ClientDataSet::fechado, this, segue);
    }
    if (d->ativo) {
        refazVista();
        d->atual = d->vista.isEmpty() ? -1 : 0;
        d->eof = d->bof = d->vista.isEmpty();
        emit dadosMudaram();
    }
}

void ClientDataSet::append()
{
    if (!d->ativo)
        throw OrbelError(QStringLiteral("Conjunto de dados fechado: ") + d->nome);
    if (d->estado != Impl::Estado::Navegando)
        post();
    d->buffer = QVector<QVariant>(d->armazenados);
    d->estado = Impl::Estado::Inserindo;
    d->linhaEditada = -1;
}

void ClientDataSet::edit()
{
    if (d->estado != Impl::Estado::Navegando)
        return;
    if (d->atual < 0 || d->atual >= d->vista.size())
        throw OrbelError(QStringLiteral("Não há registro para alterar em ") + d->nome);
    d->linhaEditada = d->vista[d->atual];
    d->buffer = d->linhas[d->linhaEditada];
    d->estado = Impl::Estado::Editando;
}

void ClientDataSet::setValor(const QString &campo, const QVariant &valor)
{
    const int c = d->campo(campo);
    if (c < 0 || c >= d->armazenados)
        throw OrbelError(QStringLiteral("Campo '%1' não encontrado").arg(campo));
    if (d->estado == Impl::Estado::Navegando)
        edit();
    d->buffer[c] = valor;
}

bool ClientDataSet::emEdicao() const { return d->estado != Impl::Estado::Navegando; }

void ClientDataSet::cancel()
{
    d->estado = Impl::Estado::Navegando;
    d->buffer.clear();
    d->linhaEditada = -1;
}

void ClientDataSet::post()
{
    if (d->estado == Impl::Estado::Navegando)
        return;
    int linha;
    if (d->estado == Impl::Estado::Inserindo) {
        d->linhas.append(d->buffer);
        linha = d->linhas.size() - 1;
        d->pendentes.append({Impl::Tipo::Insercao, {}, d->buffer});
    } else {
        linha = d->linhaEditada;
        d->pendentes.append({Impl::Tipo::Alteracao, d->linhas[linha], d->buffer});
        d->linhas[linha] = d->buffer;
    }
    d->estado = Impl::Estado::Navegando;
    d->buffer.clear();
    refazVista();
    d->atual = std::max(0, int(d->vista.indexOf(linha)));
    d->eof = d->bof = false;
    emit dadosMudaram();
    emit linhaAtualMudou();
    if (d->aposGravar)
        d->aposGravar();
}

void ClientDataSet::deleteRecord()
{
    if (d->estado != Impl::Estado::Navegando)
        cancel();
    if (d->atual < 0 || d->atual >= d->vista.size())
        throw OrbelError(QStringLiteral("Não há registro para excluir em ") + d->nome);
    const int linha = d->vista[d->atual];
    d->pendentes.append({Impl::Tipo::Exclusao, d->linhas[linha], {}});
    d->linhas.remove(linha);
    refazVista();
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

bool ClientDataSet::temAlteracoes() const { return !d->pendentes.isEmpty(); }
void ClientDataSet::descartaAlteracoes() { d->pendentes.clear(); }
void ClientDataSet::setAposGravar(std::function<void()> f) { d->aposGravar = std::move(f); }

void ClientDataSet::applyUpdates(QSqlDatabase db)
{
    if (d->tabela.isEmpty())
        throw OrbelError(QStringLiteral("Tabela de atualização não definida para ") + d->nome);
    while (!d->pendentes.isEmpty()) {
        const Impl::Alteracao &alt = d->pendentes.first();
        QString sql;
        QVariantList valores;
        auto condicao = [&](const QVector<QVariant> &original) {
            QStringList partes;
            for (int i = 0; i < d->armazenados; ++i) {
                const QString &nome = d->campos[i].nome;
                const bool chave = d->chaves.isEmpty() || d->chaves.contains(nome, Qt::CaseInsensitive);
                if (!chave)
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
            QStringList nomes, marcas;
            for (int i = 0; i < d->armazenados; ++i) {
                nomes << d->campos[i].nome;
                marcas << QStringLiteral("?");
                valores << alt.novo[i];
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(d->tabela, nomes.join(u','), marcas.join(u','));
        } else if (alt.tipo == Impl::Tipo::Alteracao) {
            QStringList sets;
            for (int i = 0; i < d->armazenados; ++i) {
                sets << d->campos[i].nome + QStringLiteral(" = ?");
                valores << alt.novo[i];
            }
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE ").arg(d->tabela, sets.join(QStringLiteral(", ")));
            sql += condicao(alt.original);
        } else {
            sql = QStringLiteral("DELETE FROM %1 WHERE ").arg(d->tabela);
            sql += condicao(alt.original);
        }
        QSqlQuery q(db);
        if (!q.prepare(sql))
            throw OrbelError(q.lastError().text());
        // empty values go as typed NULLs, which the driver sends as NULL to nullable columns
        for (const QVariant &v : valores)
            q.addBindValue(v.isValid() ? v : QVariant(QMetaType(QMetaType::QString)));
        if (!q.exec())
            throw OrbelError(q.lastError().text());
        d->pendentes.removeFirst();
    }
}
