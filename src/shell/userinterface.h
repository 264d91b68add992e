#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

#include <memory>

class JanelaProgresso;

// Every message box, question, picker and wait message of the program goes through this interface:
// the GUI shows Qt dialogs, tests and the command line answer from a script.
class UserInterface
{
  public:
    enum class Icone { Nenhum, Informacao, Aviso, Erro, Pergunta };
    enum Botao {
        Nenhum = 0x0,
        Ok = 0x1,
        Cancelar = 0x2,
        Sim = 0x4,
        Nao = 0x8,
        Abortar = 0x10,
        Repetir = 0x20,
        Ignorar = 0x40,
        Todos = 0x80,
        NaoParaTodos = 0x100,
        SimParaTodos = 0x200,
        Ajuda = 0x400,
        Fechar = 0x800,
    };
    Q_DECLARE_FLAGS(Botoes, Botao)

    virtual ~UserInterface() = default;

    // Shows a message box and returns the button pressed.
    virtual Botao mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes) = 0;

    // Wait message: a non-empty text shows or replaces it, an empty text closes it.
    virtual void aguarde(const QString &texto) = 0;

    // Pickers return an empty text when the user gives up.
    virtual QString escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro) = 0;
    virtual QString escolheArquivoParaGravar(const QString &titulo, const QString &caminho,
                                             const QString &filtro) = 0;
    virtual QString escolhePasta(const QString &titulo, const QString &pasta) = 0;

    // Opens a folder in the desktop's file manager; nothing to do without a desktop.
    virtual void abrePasta(const QString &pasta) { (void)pasta; }

    // Lets pending window events run during long work; nothing to do without a window.
    virtual void processaEventos() {}

    // The display of a progress runner (TSPProgress): a modal window in the GUI, standard error
    // or nothing elsewhere.
    virtual std::unique_ptr<JanelaProgresso> criaJanelaProgresso();

    // Conveniences over mensagem().
    bool pergunta(const QString &titulo, const QString &texto);
    void informa(const QString &titulo, const QString &texto);
    void avisa(const QString &titulo, const QString &texto);
    void erro(const QString &titulo, const QString &texto);
    // The standard error box of the application, titled "Erro".
    void mostraErro(const QString &texto);
};
Q_DECLARE_OPERATORS_FOR_FLAGS(UserInterface::Botoes)
