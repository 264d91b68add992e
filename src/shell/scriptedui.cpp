#include "shell/scriptedui.h"

#include "shell/janelaprogressotexto.h"

namespace
{
QString nomeBotao(UserInterface::Botao b)
{
    switch (b) {
    case UserInterface::Sim:
        return QStringLiteral("Sim");
    case UserInterface::Nao:
        return QStringLiteral("Não");
    case UserInterface::Ok:
        return QStringLiteral("Ok");
    case UserInterface::Cancelar:
        return QStringLiteral("Cancelar");
    default:
        return QStringLiteral("?");
    }
}
} // namespace

UserInterface::Botao ScriptedUi::padrao(Botoes botoes) const
{
    if (botoes.testFlag(m_padrao))
        return m_padrao;
    // A question answered alike: Yes takes Ok where there is no Yes, No takes Cancel where there
    // is no No, so "No to everything" never confirms an Ok/Cancel question.
    const bool afirma = m_padrao == Sim || m_padrao == Ok;
    const Botao preferidas[2] = {afirma ? Sim : Nao, afirma ? Ok : Cancelar};
    for (const Botao b : preferidas)
        if (botoes.testFlag(b))
            return b;
    // a plain message: its only button
    for (const Botao b : {Ok, Fechar, Nao, Cancelar})
        if (botoes.testFlag(b))
            return b;
    return m_padrao;
}

UserInterface::Botao ScriptedUi::mensagem(const QString &titulo, const QString &texto, Icone icone,
                                          Botoes botoes)
{
    const bool pergunta = botoes.testFlag(Sim) || botoes.testFlag(Cancelar);
    Botao resposta = (pergunta && !m_respostas.isEmpty()) ? m_respostas.dequeue() : padrao(botoes);
    m_mensagens.append({titulo, texto, icone, botoes, resposta});

    FILE *out = (icone == Icone::Erro || icone == Icone::Aviso) ? m_erros : m_saida;
    if (out) {
        QString linha = titulo.isEmpty() ? texto : titulo + QStringLiteral(": ") + texto;
        linha.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (pergunta)
            linha += QStringLiteral(" -> ") + nomeBotao(resposta);
        std::fputs(linha.toUtf8().constData(), out);
        std::fputc('\n', out);
        std::fflush(out);
    }
    return resposta;
}

void ScriptedUi::aguarde(const QString &texto)
{
    m_aguardeAtual = texto;
    if (!texto.isEmpty())
        m_aguardes.append(texto);
}

QString ScriptedUi::escolheArquivo(const QString &, const QString &, const QString &)
{
    return m_arquivos.isEmpty() ? QString() : m_arquivos.dequeue();
}

QString ScriptedUi::escolheArquivoParaGravar(const QString &, const QString &, const QString &)
{
    return m_arquivos.isEmpty() ? QString() : m_arquivos.dequeue();
}

QString ScriptedUi::escolhePasta(const QString &, const QString &)
{
    return m_arquivos.isEmpty() ? QString() : m_arquivos.dequeue();
}

QStringList ScriptedUi::textos() const
{
    QStringList t;
    for (const auto &m : m_mensagens)
        t << m.texto;
    return t;
}

std::unique_ptr<JanelaProgresso> ScriptedUi::criaJanelaProgresso()
{
    auto janela = std::make_unique<JanelaProgressoTexto>(m_erros);
    janela->setCancelaNaAtualizacao(m_cancelaEm);
    return janela;
}
