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
    m_proximoLf = -1;
    if (m_inicio && m_fim > 0) {
        m_inicio = false;
        if (m_fim >= 3 && std::memcmp(m_bloco.constData(), "\xEF\xBB\xBF", 3) == 0) {
            m_utf8 = true;
            m_pos = 3;
        }
    }
    return m_fim > m_pos;
}

bool LeitorLinhas::proxima(QString &linha)
{
    m_linha.resize(0);
    bool algo = false;
    for (;;) {
        if (m_pos >= m_fim && !enche())
            break;
        const char *bloco = m_bloco.constData();
        algo = true;
        const char *inicio = bloco + m_pos;
        const size_t resta = size_t(m_fim - m_pos);
        // where the next LF is stays known: a file of CR-only lines must not rescan its block per line
        if (m_proximoLf < m_pos) {
            const void *p = std::memchr(inicio, '\n', resta);
            m_proximoLf = p ? static_cast<const char *>(p) - bloco : m_fim;
        }
        const char *nl = m_proximoLf < m_fim ? bloco + m_proximoLf : nullptr;
        // a CR before the LF (or anywhere, when there is no LF in the block) ends the line too
        const char *cr =
            static_cast<const char *>(std::memchr(inicio, '\r', nl ? size_t(nl - inicio) : resta));
        const char *fimLinha = nullptr;
        bool crNoFim = false;
        if (cr) {
            fimLinha = cr + 1;
            if (fimLinha < bloco + m_fim) {
                if (*fimLinha == '\n')
                    ++fimLinha;
            } else {
                crNoFim = true;
            }
        } else if (nl) {
            fimLinha = nl + 1;
        }
        const qsizetype ate = fimLinha ? fimLinha - bloco : m_fim;
        m_linha.append(inicio, ate - m_pos);
        m_pos = ate;
        // a CR LF split across two blocks: the LF opens the next one and belongs to this line
        if (crNoFim && enche() && m_bloco[m_pos] == '\n') {
            m_linha.append('\n');
            ++m_pos;
        }
        if (fimLinha)
            break;
    }
    if (!algo)
        return false;
    ++m_numero;
    if (m_utf8)
        linha = QString::fromUtf8(m_linha);
    else
        Win1252::decodeInto(m_linha, linha);
    return true;
}
