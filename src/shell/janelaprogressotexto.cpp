#include "shell/janelaprogressotexto.h"

void JanelaProgressoTexto::executa(const QString &caption, bool podeCancelar,
                                   const std::function<void()> &trabalho, const std::function<void()> &)
{
    m_caption = caption.isEmpty() ? QStringLiteral("Processando") : caption;
    m_podeCancelar = podeCancelar;
    m_cancelado = false;
    trabalho();
    if (m_saida)
        std::fputc('\n', m_saida);
}

void JanelaProgressoTexto::setMensagem(const QString &texto)
{
    if (m_saida && !texto.isEmpty())
        std::fprintf(m_saida, "%s\n", texto.toUtf8().constData());
}

void JanelaProgressoTexto::atualiza(const QString &inc, int, const QString &estimado)
{
    ++m_atualizacoes;
    m_ultimoInc = inc;
    if (m_podeCancelar && m_cancelaEm > 0 && m_atualizacoes == m_cancelaEm)
        m_cancelado = true;
    if (m_saida) {
        std::fprintf(m_saida, "\r%s %s (estimado %s)", m_caption.toUtf8().constData(),
                     inc.toUtf8().constData(), estimado.toUtf8().constData());
        std::fflush(m_saida);
    }
}
