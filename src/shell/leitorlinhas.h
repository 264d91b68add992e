#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a Windows-1252 text file line by line, never whole, reusing its buffers: the state's files
// run to millions of lines. A line keeps its end-of-line characters; lines of any length are read.
class LeitorLinhas
{
  public:
    // Raises OrbelError when the file cannot be opened.
    explicit LeitorLinhas(const QString &arquivo);

    // The next line in `linha`; false at the end of the file.
    bool proxima(QString &linha);

  private:
    bool enche();

    QFile m_f;
    QByteArray m_bloco, m_linha;
    qsizetype m_pos = 0, m_fim = 0;
};
