#pragma once

#include <QStringList>

struct ExecucaoRelatorio;
using OperacaoRelatorio = void (*)(ExecucaoRelatorio &);

// The seventeen reports of the report window, in the order of its list.
namespace TabelaRelatorios
{
constexpr int Quantidade = 17;
constexpr int Indices = 9;
const QStringList &Textos();
// Items 10, 11, 15 and 16 can run once for all municipalities together.
bool PermiteAgrupados(int item);
// Items 9 to 14 select by index type.
bool UsaIndice(int item);
// The operation of an item; in the "Separados" walk item 9 runs its all-municipalities form.
// Null for the items this version does not produce yet.
OperacaoRelatorio Operacao(int item, bool separados);
// Shown instead of a report this version does not produce yet.
QString AvisoIndisponivel(int item);
} // namespace TabelaRelatorios
