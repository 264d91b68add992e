#include "capture/detalhespendentes.h"

namespace
{
const QString kES = QStringLiteral("DEC_ENTRADASSAIDAS");

QStringList lista(std::initializer_list<const char *> nomes)
{
    QStringList l;
    for (const char *n : nomes)
        l << QLatin1String(n);
    return l;
}
} // namespace

const QStringList &DetalhesPendentes::Tabelas()
{
    static const QStringList t =
        lista({"DEC_DRO", "DEC_DO", "DEC_ENTESTADO", "DEC_SAIESTADO", "DEC_SIMPLES", "DEC_ENTOUTROS",
               "DEC_SAIOUTROS", "DEC_ENTEXTERIOR", "DEC_SAIEXTERIOR", "DEC_ESTOQUE", "DEC_VAFEXCLUSOES",
               "DEC_ENTRADASSAIDAS"});
    return t;
}

void DetalhesPendentes::define(const QString &tabela, const QString &coluna, double valor)
{
    m_valores[tabela][coluna] = valor;
}

double DetalhesPendentes::valor(const QString &tabela, const QString &coluna) const
{
    const auto t = m_valores.constFind(tabela);
    return t == m_valores.cend() ? 0.0 : t->value(coluna, 0.0);
}

const QHash<QString, double> &DetalhesPendentes::valores(const QString &tabela) const
{
    static const QHash<QString, double> nenhum;
    const auto t = m_valores.constFind(tabela);
    return t == m_valores.cend() ? nenhum : *t;
}

void DetalhesPendentes::limpa()
{
    m_valores.clear();
}

void DetalhesPendentes::limpa(const QString &tabela)
{
    m_valores.remove(tabela);
}

namespace
{

} // namespace

// The names a subtotal pass needs, built once: the declarations of a whole state pass here.
struct DetalhesPendentes::Grupo {
    QStringList vc, bc, icms, zerados;
};

namespace
{

using Grupo = DetalhesPendentes::Grupo;

Grupo grupo(const QStringList &itens, std::initializer_list<const char *> zerados)
{
    Grupo g;
    for (const QString &item : itens) {
        g.vc << item + QLatin1String("_VC");
        g.bc << item + QLatin1String("_BC");
        g.icms << item + QLatin1String("_ICMS");
    }
    g.zerados = lista(zerados);
    return g;
}

const QStringList &itensEntrada()
{
    static const QStringList l = lista({"COMPRAS", "TRANSFERENCIAS", "DEVOLUCOES", "ENERGIA_ELETRICA",
                                        "COMUNICACOES", "TRANSPORTES", "OUTRAS"});
    return l;
}

const QStringList &itensSaida()
{
    static const QStringList l = lista({"VENDAS", "TRANSFERENCIAS", "DEVOLUCOES", "ENERGIA_ELETRICA",
                                        "COMUNICACOES", "TRANSPORTES", "OUTRAS"});
    return l;
}

QStringList semTransferencias(QStringList l)
{
    l.removeAll(QStringLiteral("TRANSFERENCIAS"));
    return l;
}

} // namespace

void DetalhesPendentes::subtotais(const QString &tabela, const Grupo &g, bool entrada)
{
    static const QString subtotal[] = {QStringLiteral("SUBTOTAL_VC"), QStringLiteral("SUBTOTAL_BC"),
                                       QStringLiteral("SUBTOTAL_ICMS")};
    static const QString totalEntradas[] = {QStringLiteral("ENTRADAS_VC_TOTAL"),
                                            QStringLiteral("ENTRADAS_BC_TOTAL"),
                                            QStringLiteral("ENTRADAS_ICMS_TOTAL")};
    static const QString totalSaidas[] = {QStringLiteral("SAIDAS_VC_TOTAL"),
                                          QStringLiteral("SAIDAS_BC_TOTAL"),
                                          QStringLiteral("SAIDAS_ICMS_TOTAL")};
    auto &v = m_valores[tabela];
    auto &es = m_valores[kES];
    const QStringList *colunas[] = {&g.vc, &g.bc, &g.icms};
    for (int k = 0; k < 3; ++k) {
        double soma = 0;
        for (const QString &c : *colunas[k])
            soma += v.value(c, 0.0);
        v[subtotal[k]] = soma;
        es[entrada ? totalEntradas[k] : totalSaidas[k]] += soma;
    }
    for (const QString &z : g.zerados)
        v[z] = 0;
    if (entrada)
        es[QStringLiteral("ENTRADAS_CRED_TOTAL")] += v.value(QStringLiteral("SUBTOTAL_SEM_CREDITO"), 0.0);
    else
        es[QStringLiteral("SAIDAS_SEM_DEBITO_TOTAL")] = 0;
}

void DetalhesPendentes::calculaTotais(const QString &regimeRegistro10)
{
    // statement of operating results: the results replace whatever was given for them
    auto &dro = m_valores[QStringLiteral("DEC_DRO")];
    auto d = [&dro](const char *c) { return dro.value(QLatin1String(c), 0.0); };
    dro[QStringLiteral("RECEITA_LIQUIDA")] = d("RECEITA_BRUTA") - d("DEVOLUCOES_ABATIMENTOS") - d("IMPOSTOS");
    dro[QStringLiteral("LUCRO_PREJUIZO_BRUTO")] = d("RECEITA_LIQUIDA") - d("CMS_CPS");
    dro[QStringLiteral("LUCRO_PREJUIZO_OPERACIONAL")] =
        d("LUCRO_PREJUIZO_BRUTO") - d("DESPESAS_OPERACIONAIS") + d("OUTRAS_RECEITAS_OPERACIONAIS") -
        d("OUTRAS_DESPESAS_OPERACIONAIS") + d("CORRECAO_MONETARIA");

    static const QStringList despesas =
        lista({"PRO_LABORE", "SALARIOS_COMISSOES", "ENCARGOS_SOCIAIS", "SERVICOS_PROFISSIONAIS",
               "PROPAGANDA_PUBLICIDADE", "TRIBUTOS_TAXAS", "ALUGUEIS_CONDOMINIOS", "AGUA_LUZ_TELEFONE",
               "FRETES_CARRETOS", "COMBUSTIVEIS_LUBRIFICANTES", "SEGUROS", "DESPESAS_FINANCEIRAS",
               "DESPESAS_GERAIS", "OUTRAS_DESPESAS"});
    auto &dop = m_valores[QStringLiteral("DEC_DO")];
    double total = 0;
    for (const QString &c : despesas)
        total += dop.value(c, 0.0);
    dop[QStringLiteral("TOTAL")] = total;

    static const Grupo entEstado =
        grupo(itensEntrada(), {"COMPRAS_SEM_CREDITO", "TRANSFERENCIA_SEM_CREDITO", "DEVOLUCOES_SEM_CREDITO",
                               "ENERGIA_ELETRICA_SEM_CREDITO", "COMUNICACOES_SEM_CREDITO",
                               "TRANSPORTES_SEM_CREDITO", "OUTRAS_SEM_CREDITO", "SUBTOTAL_SEM_CREDITO"});
    static const Grupo saiEstado =
        grupo(itensSaida(), {"VENDAS_SEM_DEBITO", "TRANSF_SEM_DEBITO", "DEVOLUCOES_SEM_DEBITO",
                             "ENERGIAELETRICA_SEM_DEBITO", "COMUNICACOES_SEM_DEBITO",
                             "TRANSPORTES_SEM_DEBITO", "OUTRAS_SEM_DEBITO", "SUBTOTAL_SEM_DEBITO"});
    static const Grupo entOutros =
        grupo(itensEntrada(), {"COMPRAS_SEM_CREDITO", "TRANSFERENCIA_SEM_CREDITO", "DEVOLUCAO_SEM_CREDITO",
                               "ENERGIAELETRICA_SEM_CREDITO", "COMUNICACOES_SEM_CREDITO",
                               "TRANSPORTES_SEM_CREDITO", "OUTRAS_SEM_CREDITO", "SUBTOTAL_SEM_CREDITO"});
    static const Grupo entExterior =
        grupo(semTransferencias(itensEntrada()),
              {"COMPRAS_SEM_CREDITO", "DEVOLUCOES_SEM_CREDITO", "ENERGIAELETRICA_SEM_CREDITO",
               "COMUNICACOES_SEM_CREDITO", "TRANSPORTES_SEM_CREDITO", "OUTRAS_SEM_CREDITO",
               "SUBTOTAL_SEM_CREDITO"});
    static const Grupo saiExterior = grupo(
        semTransferencias(itensSaida()),
        {"VENDAS_SEM_DEBITO", "DEVOLUCOES_SEM_DEBITO", "ENERGIAELETRICA_SEM_DEBITO",
         "COMUNICACOES_SEM_DEBITO", "TRANSPORTES_SEM_DEBITO", "OUTRAS_SEM_DEBITO", "SUBTOTAL_SEM_DEBITO"});
    subtotais(QStringLiteral("DEC_ENTESTADO"), entEstado, true);
    subtotais(QStringLiteral("DEC_SAIESTADO"), saiEstado, false);

    auto &simples = m_valores[QStringLiteral("DEC_SIMPLES")];
    if (regimeRegistro10 != QLatin1String("58"))
        simples[QStringLiteral("TOTAL_ENTRADAS")] =
            simples.value(QStringLiteral("ENTRADAS_ESTADO"), 0.0) +
            simples.value(QStringLiteral("ENTRADAS_OUTROS_ESTADOS"), 0.0) +
            simples.value(QStringLiteral("ENTRADAS_EXTERIOR"), 0.0);

    subtotais(QStringLiteral("DEC_ENTOUTROS"), entOutros, true);
    subtotais(QStringLiteral("DEC_SAIOUTROS"), saiEstado, false);
    subtotais(QStringLiteral("DEC_ENTEXTERIOR"), entExterior, true);
    subtotais(QStringLiteral("DEC_SAIEXTERIOR"), saiExterior, false);

    static const QString totais[] = {QStringLiteral("TOTAL_INICIAL"), QStringLiteral("TOTAL_FINAL")};
    static const QStringList linhas[] = {lista({"PRODUTOS_TRIBUTADOS_INICIAL", "SUJEITOS_SUBST_INICIAL",
                                                "ISENTOS_NAO_INCIDENCIA_INICIAL", "OUTROS_INICIAL"}),
                                         lista({"PRODUTOS_TRIBUTADOS_FINAL", "SUJEITOS_SUBST_FINAL",
                                                "ISENTOS_NAO_INCIDENCIA_FINAL", "OUTROS_FINAL"})};
    auto &estoque = m_valores[QStringLiteral("DEC_ESTOQUE")];
    for (int k = 0; k < 2; ++k) {
        double t = 0;
        for (const QString &c : linhas[k])
            t += estoque.value(c, 0.0);
        estoque[totais[k]] = t;
    }
}
