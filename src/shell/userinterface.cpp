#include "shell/userinterface.h"

#include "shell/janelaprogressotexto.h"

bool UserInterface::pergunta(const QString &titulo, const QString &texto)
{
    return mensagem(titulo, texto, Icone::Pergunta, Botoes(Sim) | Nao) == Sim;
}

void UserInterface::informa(const QString &titulo, const QString &texto)
{
    mensagem(titulo, texto, Icone::Informacao, Ok);
}

void UserInterface::avisa(const QString &titulo, const QString &texto)
{
    mensagem(titulo, texto, Icone::Aviso, Ok);
}

void UserInterface::erro(const QString &titulo, const QString &texto)
{
    mensagem(titulo, texto, Icone::Erro, Ok);
}

void UserInterface::mostraErro(const QString &texto)
{
    erro(QStringLiteral("Erro"), texto);
}

std::unique_ptr<JanelaProgresso> UserInterface::criaJanelaProgresso()
{
    return std::make_unique<JanelaProgressoTexto>();
}
