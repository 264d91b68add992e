#pragma once

#include "shell/userinterface.h"

#include <QPointer>

class QWidget;
class QFrame;
class QLabel;

// The GUI side of UserInterface: Qt message boxes with the program's Portuguese captions,
// the wait message window and Qt file pickers.
class QtUi : public UserInterface
{
public:
    QtUi();
    ~QtUi() override;

    Botao mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes) override;
    void aguarde(const QString &texto) override;
    QString escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro) override;
    QString escolheArquivoParaGravar(const QString &titulo, const QString &caminho, const QString &filtro) override;
    QString escolhePasta(const QString &titulo, const QString &pasta) override;
    void processaEventos() override;
    std::unique_ptr<JanelaProgresso> criaJanelaProgresso() override;

    QWidget *janelaAguarde() const;

    // Caption of each standard button, as every dialog of the program shows it.
    static QString textoBotao(Botao b);
    // Default title of a box by its kind when the caller gives none.
    static QString tituloPadrao(Icone icone);

private:
    QPointer<QFrame> m_aguarde;
    QLabel *m_texto = nullptr;
};

// Loads Qt's own Portuguese translations for its standard dialogs, when installed.
void InstalaTextosPadrao();
