#include "shell/win1252.h"

#include <array>

namespace
{
// 0x80..0x9F differ from Latin-1; 0 marks the five unassigned bytes (kept as C1 controls).
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u && u != 0)
            return 0x80 + i;
    if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] == 0)
        return u;
    return -1;
}
} // namespace

namespace Win1252
{

QString decode(QByteArrayView bytes)
{
    QString out;
    decodeInto(bytes, out);
    return out;
}

void decodeInto(QByteArrayView bytes, QString &out)
{
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        char16_t u = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            u = kHigh[b - 0x80];
        d[i] = QChar(u);
    }
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    encodeInto(text, out);
    return out;
}

void encodeInto(QStringView text, QByteArray &out)
{
    out.resize(text.size());
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int b = c < 0x80 ? int(c) : byteFor(c);
        d[i] = static_cast<char>(b < 0 ? '?' : b);
    }
}

bool representable(QChar c)
{
    return byteFor(c.unicode()) >= 0;
}

QString maiusculas(QStringView texto)
{
    QString r(texto.size(), Qt::Uninitialized);
    QChar *d = r.data();
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        const QChar m = c.toUpper(); // the simple mapping: never two characters for one
        d[i] = representable(m) ? m : c;
    }
    return r;
}

} // namespace Win1252
