#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// A font of the system (DejaVu is installed with the program and embedded in PDFs).
struct Fonte {
    QString familia = QStringLiteral("DejaVu Sans");
    double pontos = 8;
    bool negrito = false;
    bool italico = false;
    bool operator==(const Fonte &) const = default;
};

// One positioned thing on a laid-out page. Coordinates are tenths of a millimetre from the
// page's top-left corner, so tests compare exact rectangles.
struct ItemPagina {
    enum class Tipo : quint8 { Texto, Regua, Retangulo };
    Tipo tipo = Tipo::Texto;
    quint8 fonte = 0;        // index into PaginasRelatorio::fontes
    quint16 alinhamento = 0; // Qt::Alignment (horizontal)
    quint16 banda = 0;       // index into PaginasRelatorio::bandas
    QRect caixa;
    QString texto; // lines separated by "\n" for multi-line text
};

// The items of one page, packed: a whole-state report runs to thousands of pages, so an item
// keeps 20 bytes and its characters in the page's one text buffer.
class PaginaRelatorio
{
  public:
    int quantidade() const { return int(m_itens.size()); }
    ItemPagina item(int i) const;
    void acrescenta(const ItemPagina &item);
    // Gives back the room kept for growth once the page is complete, keeping room for `itens`
    // more items of `letras` characters (the page number added at the end).
    void compacta(int itens = 0, int letras = 0)
    {
        m_itens.squeeze();
        m_textos.squeeze();
        if (itens > 0)
            m_itens.reserve(m_itens.size() + itens);
        if (letras > 0)
            m_textos.reserve(m_textos.size() + letras);
    }

    class const_iterator
    {
      public:
        const_iterator(const PaginaRelatorio *p, int i) : m_p(p), m_i(i) {}
        ItemPagina operator*() const { return m_p->item(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator!=(const const_iterator &o) const { return m_i != o.m_i; }

      private:
        const PaginaRelatorio *m_p;
        int m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, quantidade()}; }

  private:
    struct Compacto {
        qint16 x, y, largura, altura;
        quint16 banda, alinhamento;
        quint8 tipo, fonte;
        quint16 tamanho; // characters of the text
        quint32 inicio;  // where they start in m_textos
    };
    QVector<Compacto> m_itens;
    QString m_textos;
};

// A report laid out once: painted on demand (every zoom of the preview, the printer, the PDF)
// without reading the data again.
struct PaginasRelatorio {
    QString titulo; // preview window and print job
    bool paisagem = false;
    QSize tamanho; // of a page, tenths of a millimetre (A4: 2100 x 2970, or turned)
    QVector<Fonte> fontes;
    QStringList bandas; // names of the bands that placed items
    QVector<PaginaRelatorio> paginas;

    int quantidade() const { return int(paginas.size()); }
};

// Plain text of the pages, for tests and golden files: a header line per report and per page,
// then one line per item: band, kind, rectangle in mm (x y width height), alignment and text.
//   relatório "Título" A4 retrato 3 páginas
//   página 1
//     detalhe texto 10.0 32.0 30.0 4.0 E "0123456"
QString Despejo(const PaginasRelatorio &paginas);
