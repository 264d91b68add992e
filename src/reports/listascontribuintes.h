#pragma once

#include "reports/layoutrelatorio.h"

struct ExecucaoRelatorio;

// Active taxpayers of one municipality: every one obliged to declare (item 1), and the omitted ones,
// obliged with no declaration in their municipality, by responsible (item 3) or by registration (4).

class TForm_rel_ativos : public LayoutRelatorio
{
  public:
    TForm_rel_ativos();
    static const QString SQL; // placeholders: municipality, obliged flag, municipality again
};

class TForm_rel_omissos : public LayoutRelatorio
{
  public:
    TForm_rel_omissos();
};

class TForm_rel_omissos_nome : public LayoutRelatorio
{
  public:
    TForm_rel_omissos_nome();
    static const QString SQL; // placeholders: obliged flag, municipality
};

void Relacao_Contribuintes_Ativos(ExecucaoRelatorio &exec);
void Omissos_Por_Responsavel(ExecucaoRelatorio &exec);
void Omissos_Por_IE(ExecucaoRelatorio &exec);
