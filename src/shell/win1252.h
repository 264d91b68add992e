#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252 is the code page of the state's files, ORBEL.ini, the log and the notices.
namespace Win1252
{
QString decode(QByteArrayView bytes);
// The same into an existing string, reusing its memory.
void decodeInto(QByteArrayView bytes, QString &out);
// Characters with no Windows-1252 byte become '?'.
QByteArray encode(QStringView text);
// The same into an existing buffer, reusing its memory (bulk inserts bind millions of values).
void encodeInto(QStringView text, QByteArray &out);
bool representable(QChar c);
// Upper case within the code page, one character for one: a character whose capital the code page
// lacks ("ƒ", "µ") or that has none but two letters ("ß") stays as it is; "ÿ" becomes "Ÿ".
QString maiusculas(QStringView texto);
} // namespace Win1252
