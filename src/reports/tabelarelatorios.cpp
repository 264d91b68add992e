#include "reports/tabelarelatorios.h"

#include "reports/listascontribuintes.h"
#include "reports/listasdeclaracoes.h"

namespace TabelaRelatorios
{

const QStringList &Textos()
{
    static const QStringList t{
        QStringLiteral("Declarações aceitas por responsáveis"),
        QStringLiteral("Relação de contribuintes ativos"),
        QStringLiteral("Entregues fora do prazo"),
        QStringLiteral("Omissos por Responsável"),
        QStringLiteral("Omissos por IE"),
        QStringLiteral("Recusadas por Responsável"),
        QStringLiteral("Recusadas por IE"),
        QStringLiteral("Subs. Recusadas"),
        QStringLiteral("VAF por CNAE"),
        QStringLiteral("Indices"),
        QStringLiteral("VAF A (Próprio)"),
        QStringLiteral("VAF A (Crédito Externo)"),
        QStringLiteral("VAF B  / Espelho"),
        QStringLiteral("VAF B / Débito"),
        QStringLiteral("VAF C"),
        QStringLiteral("Comparativo VAF(Exercício) / VAF(Anterior)"),
        QStringLiteral("VAF SIMEI"),
    };
    return t;
}

bool PermiteAgrupados(int item)
{
    return item == 10 || item == 11 || item == 15 || item == 16;
}

bool UsaIndice(int item)
{
    return item >= 9 && item <= 14;
}

OperacaoRelatorio Operacao(int item, bool separados)
{
    (void)separados; // item 9 alone changes in the walk, and it comes later
    switch (item) {
    case 0:
        return &Declaracoes_Aceitas_Por_Responsavel;
    case 1:
        return &Relacao_Contribuintes_Ativos;
    case 2:
        return &Entregues_Fora_Prazo;
    case 3:
        return &Omissos_Por_Responsavel;
    case 4:
        return &Omissos_Por_IE;
    case 5:
        return &Recusadas_Por_Responsavel;
    case 6:
        return &Recusadas_Por_IE;
    case 7:
        return &Substituicoes_Recusadas;
    default:
        return nullptr;
    }
}

QString AvisoIndisponivel(int item)
{
    return QStringLiteral("O relatório \"%1\" ainda não está disponível nesta versão do ORBEL.\r\n"
                          "Escolha outro relatório da lista.")
        .arg(item >= 0 && item < Quantidade ? Textos()[item] : QString::number(item));
}

} // namespace TabelaRelatorios
