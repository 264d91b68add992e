#include "capture/detalhespendentes.h"

namespace {
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
    static const QStringList t = lista({"DEC_DRO", "DEC_DO", "DEC_ENTESTADO", "DEC_SAIESTADO", "DEC_SIMPLES",
                                        "DEC_ENTOUTROS", "DEC_SAIOUTROS", "DEC_ENTEXTERIOR", "DEC_SAIEXTERIOR",
                                        "DEC_ESTOQUE", "DEC_VAFEXCLUSOES", "DEC_ENTRADASSAIDAS"});
    return t;
}

void DetalhesPendentes::define(const QString &tabela, const QString &coluna, double valor)
{
    m_valores[tabela][coluna] = valor;
}

double DetalhesPendentes::valor(const QString &tabela, const QString &coluna) const
{
    return m_valores.value(tabela).value(coluna, 0.0);
}

void DetalhesPendentes::limpa()
{
    m_valores.clear();
}

void DetalhesPendentes::limpa(const QString &tabela)
{
    m_valores.remove(tabela);
}

void DetalhesPendentes::subtotais(const QString &tabela, const QStringList &itens, const QStringList &zerados, bool entrada)
{
    auto &v = m_valores[tabela];
    for (const char *tipo : {"_VC", "_BC", "_ICMS"}) {
        double soma = 0;
        for (const QString &item : itens)
            soma += v.value(item + QLatin1String(tipo), 0.0);
        v[QStringLiteral("SUBTOTAL") + QLatin1String(tipo)] = soma;
    }
    for (const QString &z : zerados)
        v[z] = 0;
    auto &es = m_valores[kES];
    const QString lado = entrada ? QStringLiteral("ENTRADAS_") : QStringLiteral("SAIDAS_");
    es[lado + QStringLiteral("VC_TOTAL")] += v[QStringLiteral("SUBTOTAL_VC")];
    es[lado + QStringLiteral("BC_TOTAL")] += v[QStringLiteral("SUBTOTAL_BC")];
    es[lado + QStringLiteral("ICMS_TOTAL")] += v[QStringLiteral("SUBTOTAL_ICMS")];
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
    dro[QStringLiteral("LUCRO_PREJUIZO_OPERACIONAL")] = d("LUCRO_PREJUIZO_BRUTO") - d("DESPESAS_OPERACIONAIS") +
                                                        d("OUTRAS_RECEITAS_OPERACIONAIS") -
                                                        d("OUTRAS_DESPESAS_OPERACIONAIS") + d("CORRECAO_MONETARIA");

    auto &dop = m_valores[QStringLiteral("DEC_DO")];
    double total = 0;
    for (const QString &c : lista({"PRO_LABORE", "SALARIOS_COMISSOES", "ENCARGOS_SOCIAIS", "SERVICOS_PROFISSIONAIS",
                                   "PROPAGANDA_PUBLICIDADE", "TRIBUTOS_TAXAS", "ALUGUEIS_CONDOMINIOS", "AGUA_LUZ_TELEFONE",
                                   "FRETES_CARRETOS", "COMBUSTIVEIS_LUBRIFICANTES", "SEGUROS", "DESPESAS_FINANCEIRAS",
                                   "DESPESAS_GERAIS", "OUTRAS_DESPESAS"}))
        total += dop.value(c, 0.0);
    dop[QStringLiteral("TOTAL")] = total;

    const QStringList entradas = lista({"COMPRAS", "TRANSFERENCIAS", "DEVOLUCOES", "ENERGIA_ELETRICA", "COMUNICACOES",
                                        "TRANSPORTES", "OUTRAS"});
    const QStringList saidas = lista({"VENDAS", "TRANSFERENCIAS", "DEVOLUCOES", "ENERGIA_ELETRICA", "COMUNICACOES",
                                      "TRANSPORTES", "OUTRAS"});
    subtotais(QStringLiteral("DEC_ENTESTADO"), entradas,
              lista({"COMPRAS_SEM_CREDITO", "TRANSFERENCIA_SEM_CREDITO", "DEVOLUCOES_SEM_CREDITO",
                     "ENERGIA_ELETRICA_SEM_CREDITO", "COMUNICACOES_SEM_CREDITO", "TRANSPORTES_SEM_CREDITO",
                     "OUTRAS_SEM_CREDITO", "SUBTOTAL_SEM_CREDITO"}),
              true);
    const QStringList semDebito = lista({"VENDAS_SEM_DEBITO", "TRANSF_SEM_DEBITO", "DEVOLUCOES_SEM_DEBITO",
                                         "ENERGIAELETRICA_SEM_DEBITO", "COMUNICACOES_SEM_DEBITO", "TRANSPORTES_SEM_DEBITO",
                                         "OUTRAS_SEM_DEBITO", "SUBTOTAL_SEM_DEBITO"});
    subtotais(QStringLiteral("DEC_SAIESTADO"), saidas, semDebito, false);

    auto &simples = m_valores[QStringLiteral("DEC_SIMPLES")];
    if (regimeRegistro10 != QLatin1String("58"))
        simples[QStringLiteral("TOTAL_ENTRADAS")] = simples.value(QStringLiteral("ENTRADAS_ESTADO"), 0.0) +
                                                    simples.value(QStringLiteral("ENTRADAS_OUTROS_ESTADOS"), 0.0) +
                                                    simples.value(QStringLiteral("ENTRADAS_EXTERIOR"), 0.0);

    subtotais(QStringLiteral("DEC_ENTOUTROS"), entradas,
              lista({"COMPRAS_SEM_CREDITO", "TRANSFERENCIA_SEM_CREDITO", "DEVOLUCAO_SEM_CREDITO",
                     "ENERGIAELETRICA_SEM_CREDITO", "COMUNICACOES_SEM_CREDITO", "TRANSPORTES_SEM_CREDITO",
                     "OUTRAS_SEM_CREDITO", "SUBTOTAL_SEM_CREDITO"}),
              true);
    subtotais(QStringLiteral("DEC_SAIOUTROS"), saidas, semDebito, false);
    QStringList exterior = entradas;
    exterior.removeAll(QStringLiteral("TRANSFERENCIAS"));
    subtotais(QStringLiteral("DEC_ENTEXTERIOR"), exterior,
              lista({"COMPRAS_SEM_CREDITO", "DEVOLUCOES_SEM_CREDITO", "ENERGIAELETRICA_SEM_CREDITO",
                     "COMUNICACOES_SEM_CREDITO", "TRANSPORTES_SEM_CREDITO", "OUTRAS_SEM_CREDITO", "SUBTOTAL_SEM_CREDITO"}),
              true);
    QStringList exteriorSaidas = saidas;
    exteriorSaidas.removeAll(QStringLiteral("TRANSFERENCIAS"));
    subtotais(QStringLiteral("DEC_SAIEXTERIOR"), exteriorSaidas,
              lista({"VENDAS_SEM_DEBITO", "DEVOLUCOES_SEM_DEBITO", "ENERGIAELETRICA_SEM_DEBITO", "COMUNICACOES_SEM_DEBITO",
                     "TRANSPORTES_SEM_DEBITO", "OUTRAS_SEM_DEBITO", "SUBTOTAL_SEM_DEBITO"}),
              false);

    auto &estoque = m_valores[QStringLiteral("DEC_ESTOQUE")];
    for (const char *momento : {"_INICIAL", "_FINAL"}) {
        double t = 0;
        for (const char *linha : {"PRODUTOS_TRIBUTADOS", "SUJEITOS_SUBST", "ISENTOS_NAO_INCIDENCIA", "OUTROS"})
            t += estoque.value(QLatin1String(linha) + QLatin1String(momento), 0.0);
        estoque[QStringLiteral("TOTAL") + QLatin1String(momento)] = t;
    }
}
