#include "reports/layoutrelatorio.h"

#include "shell/formatacao.h"

LayoutRelatorio::LayoutRelatorio(const QString &titulo, Orientacao orientacao, Secretaria secretaria)
    : Relatorio(titulo),
      m_secretaria(secretaria == DaFazenda ? QStringLiteral("Secretaria de Estado da Fazenda de Vesperia")
                                           : QStringLiteral("Secretaria de Estado de Fazenda de Vesperia"))
{
    setOrientacao(orientacao);
    aoIniciar([this] { m_ultimoMunicipio.clear(); });
}

void LayoutRelatorio::declaraConsulta(const QString &sql, QVector<CampoDeclarado> campos)
{
    cdsRel.setCommandText(sql);
    m_campos = std::move(campos);
}

Elemento &LayoutRelatorio::rotulo(Banda &banda, double x, double y, double largura, const QString &texto,
                                  Qt::Alignment alinhamento)
{
    return banda.rotulo({x, y, largura, Linha}, texto).setAlinhamento(alinhamento);
}

Elemento &LayoutRelatorio::campo(Banda &banda, double x, double y, double largura, const QString &nome,
                                 const QString &mascara, Qt::Alignment alinhamento)
{
    return banda.campo({x, y, largura, Linha}, nome, mascara).setAlinhamento(alinhamento);
}

Elemento &LayoutRelatorio::campos(Banda &banda, double x, double y, double largura, const QStringList &nomes)
{
    return banda.texto({x, y, largura, Linha}, [this, nomes] {
        QStringList partes;
        for (const QString &n : nomes)
            if (const QString t = texto(n); !t.isEmpty())
                partes << t;
        return partes.join(u' ');
    });
}

void LayoutRelatorio::cabecalhoPadrao(std::function<QString()> titulo, std::function<QString()> municipio)
{
    Banda &cab = cabecalhoPagina();
    cab.setNome(QStringLiteral("cabecalho_pagina"));
    const double largura = larguraUtil();
    rotulo(cab, 0, 0, largura - 60, m_secretaria)
        .setNegrito()
        .setTamanho(10)
        .setNome(QStringLiteral("qrlSecretaria"));
    cab.texto({largura - 60, 0, 60, Linha},
              [this] { return QStringLiteral("Impresso: ") + Formatacao::dataHora(dataHoraImpressao()); })
        .setAlinhamento(Qt::AlignRight)
        .setNome(QStringLiteral("qrlImpresso"));
    cab.texto({0, 5, largura, Linha},
              [this] {
                  return QStringLiteral("Declaração Anual do Movimento Econômico Fiscal - Ano Base ") +
                         legenda(QStringLiteral("qrpLabelAno"));
              })
        .setNome(QStringLiteral("qrpLabelAno"));
    cab.texto({0, 10, largura, Linha + 0.5}, std::move(titulo))
        .setNegrito()
        .setTamanho(9)
        .setNome(QStringLiteral("qrlTitulo"));
    double y = 15.5;
    if (municipio) {
        cab.texto({0, y, largura, Linha},
                  [m = std::move(municipio)] { return QStringLiteral("Município: ") + m(); })
            .setNome(QStringLiteral("qrlMunicipio"));
        y += Linha + 0.5;
    }
    cab.regua(0, y, largura, 0.3);
    cab.setAltura(y + 1.5);
}

QString LayoutRelatorio::municipioDaLinha(const QString &campo)
{
    const QString nome = texto(campo);
    if (!nome.isEmpty())
        m_ultimoMunicipio = nome;
    return m_ultimoMunicipio;
}

Banda &LayoutRelatorio::sumarioComContagem(const QString &texto, double largura)
{
    Banda &sum = sumario();
    sum.setNome(QStringLiteral("sumario"));
    sum.regua(0, 0.5, larguraUtil(), 0.2);
    rotulo(sum, 0, 1, largura, texto);
    sum.contagem({largura, 1, 20, Linha});
    return sum;
}

void LayoutRelatorio::titulosColunas(Banda &banda, double y, const QVector<Coluna> &colunas)
{
    double fim = 0;
    for (const Coluna &c : colunas) {
        rotulo(banda, c.x, y, c.largura, c.titulo, c.alinhamento).setNegrito();
        fim = std::max(fim, c.x + c.largura);
    }
    banda.regua(0, y + Linha, larguraUtil(), 0.2);
    banda.setAltura(y + Linha + 1);
}
