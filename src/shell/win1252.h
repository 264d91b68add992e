#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252 is the code page of the state's files, ORBEL.ini, the log and the notices.
namespace Win1252 {
QString decode(QByteArrayView bytes);
// Characters with no Windows-1252 byte become '?'.
QByteArray encode(QStringView text);
bool representable(QChar c);
} // namespace Win1252
