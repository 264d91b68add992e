#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <functional>

// One notice of bin/Msgs.dat: "1" as first character marks it enabled; the text is the rest.
struct Aviso {
    bool habilitado = false;
    QString texto;
};

// Reads the notices file (Windows-1252, CR LF or LF); empty lines are skipped. No file, no notices.
QList<Aviso> LeAvisos(const QString &arquivo);

// Where each notice goes on the main window: the running top starts 20 pixels below the banner
// and the left 8 pixels right of the margin line; a notice whose top passes (window height - 200)
// is not shown, and neither are the ones after it, since the running top no longer moves.
// A label keeps this distance to the window's right edge, also when the window is resized.
constexpr int MargemDireitaAviso = 50;
struct PosicaoAviso {
    bool visivel = false;
    QRect figura; // top-left of the picture
    QRect rotulo; // the word-wrapped label
};
struct MedidasAvisos {
    int alturaJanela = 0;
    int larguraJanela = 0;
    int baseBanner = 0;  // bottom edge of the banner (top + height)
    int margem = 0;      // left edge of the margin line
    int alturaLetra = 0; // height of the letter "a" in the labels' font
    QSize figura{16, 16};
};
// larguraTexto gives the width in pixels of a notice's text in the labels' font.
QList<PosicaoAviso> PosicionaAvisos(const QList<Aviso> &avisos, const MedidasAvisos &m,
                                    const std::function<int(const QString &)> &larguraTexto);
