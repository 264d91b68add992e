#include "shell/avisos.h"

#include "shell/win1252.h"

#include <QFile>

QList<Aviso> LeAvisos(const QString &arquivo)
{
    QList<Aviso> avisos;
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return avisos;
    while (!f.atEnd()) {
        QByteArray linha = f.readLine();
        if (linha.endsWith('\n'))
            linha.chop(1);
        if (linha.endsWith('\r'))
            linha.chop(1);
        if (linha.isEmpty())
            continue;
        // the text after the state character is taken unchanged
        avisos.append({linha.at(0) == '1', Win1252::decode(QByteArrayView(linha).sliced(1))});
    }
    return avisos;
}

QList<PosicaoAviso> PosicionaAvisos(const QList<Aviso> &avisos, const MedidasAvisos &m,
                                    const std::function<int(const QString &)> &larguraTexto)
{
    QList<PosicaoAviso> posicoes;
    int topo = m.baseBanner + 20;
    const int esquerda = m.margem + 8;
    for (const Aviso &a : avisos) {
        PosicaoAviso p;
        if (m.alturaJanela - 200 >= topo) {
            const int x = esquerda + 18;
            const int largura = std::max(1, m.larguraJanela - x - MargemDireitaAviso);
            const int altura = 28 * (1 + larguraTexto(a.texto) / largura);
            p.visivel = true;
            p.rotulo = QRect(x, topo, largura, altura);
            p.figura = QRect(QPoint(esquerda, topo), m.figura);
            topo += m.alturaLetra * (altura / 28) + 20;
        }
        posicoes.append(p);
    }
    return posicoes;
}
