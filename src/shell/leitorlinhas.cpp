#include "shell/leitorlinhas.h"

#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <cstring>

namespace
{
constexpr qsizetype kBloco = 1 << 20;
}

LeitorLinhas::LeitorLinhas(const QString &arquivo) : m_f(arquivo)
{
    if (!m_f.open(QIODevice::ReadOnly))
        throw OrbelError(QStringLiteral("Não foi possível abrir o arquivo ") + arquivo);
    m_bloco.resize(kBloco);
}

bool LeitorLinhas::enche()
{
    const qint64 lidos = m_f.read(m_bloco.data(), kBloco);
    m_pos = 0;
    m_fim = lidos > 0 ? lidos : 0;
    return m_fim > 0;
}

bool LeitorLinhas::proxima(QString &linha)
{
    m_linha.resize(0);
    bool algo = false;
    for (;;) {
        if (m_pos >= m_fim && !enche())
            break;
        algo = true;
        const char *inicio = m_bloco.constData() + m_pos;
        const void *nl = std::memchr(inicio, '\n', size_t(m_fim - m_pos));
        const qsizetype ate = nl ? static_cast<const char *>(nl) - m_bloco.constData() + 1 : m_fim;
        m_linha.append(inicio, ate - m_pos);
        m_pos = ate;
        if (nl)
            break;
    }
    if (!algo)
        return false;
    Win1252::decodeInto(m_linha, linha);
    return true;
}
