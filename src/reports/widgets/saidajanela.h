#pragma once

#include "reports/layoutrelatorio.h"

class UserInterface;

// The report window's output: the maximised preview, or the default printer.
class SaidaJanela : public SaidaRelatorio
{
  public:
    explicit SaidaJanela(UserInterface &ui) : m_ui(ui) {}
    void visualiza(LayoutRelatorio &layout) override;
    void imprime(LayoutRelatorio &layout) override;

  private:
    UserInterface &m_ui;
};
