#pragma once

class QFile;
class QSaveFile;

// Writes that leave a file whole or as it was, also with the disk full.

// Writes out what is buffered, then replaces the file; false (nothing replaced, the temporary file
// gone) when any byte could not be written. QSaveFile's own commit() takes a failed write of its
// last buffered bytes for success and puts a short or empty file in place of the old one.
bool ConcluiGravacao(QSaveFile &arquivo);

// Appends bytes to a file opened for appending without a buffer (QIODevice::Unbuffered, so that a
// failed write is known at once); when they cannot all be written the file is cut back to the size
// it had, so that it never keeps a part of them, and false is returned.
bool AcrescentaInteiro(QFile &arquivo, const char *dados, long long tamanho);
