#pragma once

#include <QDate>
#include <QString>

class CursorRelatorio;
class UserInterface;

// Program folder + "Relatórios/" + the day as yyyymmdd, ending with a separator.
QString PastaRelatoriosDoDia(const QDate &dia = QDate::currentDate());

// Writes a report's rows to a semicolon-separated Windows-1252 file in the day folder: a header
// line with the column names, then one line per row, every value followed by ";", CR LF endings,
// no quoting. The cursor stands before its first row (reinicia() was called). With `avisa` (one
// report of one municipality) an empty set or one under edit is refused with a message and the
// success is announced; without it an empty set gives the header line alone and nothing is shown.
// A file of the same name is replaced. Returns the path written, empty when refused; a file that
// cannot be written raises an error naming it.
QString ExportaCSV(UserInterface &ui, CursorRelatorio &dados, const QString &nomeArquivo, bool avisa,
                   const QDate &dia = QDate::currentDate(), bool emEdicao = false);
