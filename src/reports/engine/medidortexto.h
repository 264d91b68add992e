#pragma once

#include "reports/engine/paginasrelatorio.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Text measurement for the layout, in tenths of a millimetre, apart from any paint device: the
// layout of a report does not depend on where it is painted, and tests measure with fixed widths.
class MedidorTexto
{
  public:
    virtual ~MedidorTexto() = default;
    virtual int largura(const QString &texto, const Fonte &fonte) const = 0;
    virtual int alturaLinha(const Fonte &fonte) const = 0;

    // Breaks a text into lines no wider than `largura`: at line breaks of the text, then between
    // words; a word wider than the line is cut.
    QStringList quebra(const QString &texto, const Fonte &fonte, int largura) const;
};

// The fonts' own metrics (unhinted, as printed), taken at printer resolution.
class MedidorFonte : public MedidorTexto
{
  public:
    int largura(const QString &texto, const Fonte &fonte) const override;
    int alturaLinha(const Fonte &fonte) const override;
};

// Every character `larguraLetra` wide and every line `altura` high, whatever the font: exact
// rectangles in tests.
class MedidorFixo : public MedidorTexto
{
  public:
    explicit MedidorFixo(int larguraLetra = 15, int altura = 35) : m_letra(larguraLetra), m_altura(altura) {}
    int largura(const QString &texto, const Fonte &) const override { return int(texto.size()) * m_letra; }
    int alturaLinha(const Fonte &) const override { return m_altura; }

  private:
    int m_letra, m_altura;
};

class QFont;
// The Qt font of a report font, unhinted so that layout and every output agree on widths.
QFont FonteQt(const Fonte &fonte);
