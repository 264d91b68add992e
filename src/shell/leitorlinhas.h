#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a Windows-1252 text file line by line, never whole, reusing its buffers: the state's files
// run to millions of lines. A line ends at CR LF, LF or a CR alone (files pass through editors of
// every system) and keeps its end-of-line characters; lines of any length are read. A leading
// UTF-8 byte-order mark is dropped and the file is then read as UTF-8, which is what it announces.
class LeitorLinhas
{
  public:
    // Raises OrbelError when the file cannot be opened.
    explicit LeitorLinhas(const QString &arquivo);

    // The next line in `linha`; false at the end of the file.
    bool proxima(QString &linha);
    // The number of the line last read, from 1.
    qint64 numeroLinha() const { return m_numero; }

  private:
    bool enche();

    QFile m_f;
    QByteArray m_bloco, m_linha;
    qsizetype m_pos = 0, m_fim = 0, m_proximoLf = -1;
    qint64 m_numero = 0;
    bool m_inicio = true, m_utf8 = false;
};
