#pragma once

#include "reports/engine/cursorrelatorio.h"
#include "reports/layoutrelatorio.h"

// The rows of a layout's own set through its declared field list: only those fields, in declared
// order, each value as its declaration holds it (a date column read as a timestamp stays a date).
class CursorCamposDeclarados : public CursorRelatorio
{
  public:
    CursorCamposDeclarados(ClientDataSet &dados, QVector<CampoDeclarado> campos);
    QStringList campos() const override;
    void reinicia() override { m_base.reinicia(); }
    bool proxima() override { return m_base.proxima(); }
    QVariant valor(int campo) const override;
    bool temSeguinte() const override { return m_base.temSeguinte(); }
    QVariant valorSeguinte(int campo) const override;

  private:
    CursorClientDataSet m_base;
    QVector<CampoDeclarado> m_campos;
    QVector<int> m_indices; // column of each declared field in the set
};
