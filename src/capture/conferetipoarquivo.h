#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

class TdmPrincipal;

// Looks at the first non-empty lines of an unpacked capture file before anything is deleted: the
// archive's name decides its kind, and a file of the other kind (or no kind) must be refused while
// the database is still untouched. Raises OrbelError naming the archive and what its lines look
// like; also when the file holds no record at all.
void ConfereTipoArquivo(TdmPrincipal &dm, const QString &arquivoTexto, const QString &nomeArquivo,
                        bool retorno);

// Whether a trimmed line could be an active-taxpayer line or a return record: its length or record
// type, and a municipality code among `municipios`.
bool PareceLinhaAtivo(QStringView linha, const QSet<QString> &municipios);
bool PareceLinhaRetorno(QStringView linha, const QSet<QString> &municipios);
