#pragma once

#include "reports/layoutrelatorio.h"

struct ExecucaoRelatorio;

// Declarations of one municipality by processing status: accepted by responsible (item 0), first
// delivered after the definitive limit date (2), refused by responsible (5) or by registration (6),
// and refused substitutions of declarations that stay accepted (7).

class TForm_rel_aceitas : public LayoutRelatorio
{
  public:
    TForm_rel_aceitas();

  private:
    double m_positivos = 0, m_negativos = 0; // of the current responsible
};

class TForm_rel_entregue_fora_prazo : public LayoutRelatorio
{
  public:
    TForm_rel_entregue_fora_prazo();
    static const QString SQL; // placeholders in the order: municipality, situation, limit date

  private:
    double m_positivos = 0, m_negativos = 0; // of the whole report
};

// The two lists of refused declarations share their columns.
class LayoutRecusadas : public LayoutRelatorio
{
  protected:
    LayoutRecusadas(const QString &titulo, const QString &tituloPagina);
};

class TForm_rel_recusadas : public LayoutRecusadas
{
  public:
    TForm_rel_recusadas();
};

class TForm_rel_recusadas_nome : public LayoutRecusadas
{
  public:
    TForm_rel_recusadas_nome();
};

class TForm_rel_subst_recusadas : public LayoutRelatorio
{
  public:
    TForm_rel_subst_recusadas();
    static const QString SQL; // municipality, declaration situation, history situation
};

void Declaracoes_Aceitas_Por_Responsavel(ExecucaoRelatorio &exec);
void Entregues_Fora_Prazo(ExecucaoRelatorio &exec);
void Recusadas_Por_Responsavel(ExecucaoRelatorio &exec);
void Recusadas_Por_IE(ExecucaoRelatorio &exec);
void Substituicoes_Recusadas(ExecucaoRelatorio &exec);
