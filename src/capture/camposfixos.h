#pragma once

#include <QString>
#include <QStringView>

// Fixed-width fields of the state's files, read the one way every reader shares.
namespace CamposFixos
{

// Trims blanks and control characters at both ends, as every line is trimmed before reading.
inline QStringView aparaLinha(QStringView linha)
{
    qsizetype ini = 0, fim = linha.size();
    while (ini < fim && linha[ini].unicode() <= 32)
        ++ini;
    while (fim > ini && linha[fim - 1].unicode() <= 32)
        --fim;
    return linha.sliced(ini, fim - ini);
}

// Positions first..last, 1-based and inclusive; what lies beyond the end of the line is empty.
inline QStringView campo(QStringView linha, int primeira, int ultima)
{
    const qsizetype ini = primeira - 1;
    if (ini >= linha.size() || ultima < primeira)
        return {};
    const qsizetype tam = std::min<qsizetype>(ultima - primeira + 1, linha.size() - ini);
    return linha.sliced(ini, tam);
}

// The field without blanks at its ends.
inline QString texto(QStringView linha, int primeira, int ultima)
{
    return campo(linha, primeira, ultima).trimmed().toString();
}

// The field as it stands, blanks included.
inline QString bruto(QStringView linha, int primeira, int ultima)
{
    return campo(linha, primeira, ultima).toString();
}

} // namespace CamposFixos
