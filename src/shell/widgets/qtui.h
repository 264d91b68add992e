#pragma once

#include "shell/userinterface.h"

#include <QPointer>

class QApplication;
class QFrame;
class QLabel;
class QWidget;

// The GUI side of UserInterface: Qt message boxes with the program's Portuguese captions,
// the wait message window and Qt file pickers.
class QtUi : public UserInterface
{
  public:
    QtUi();
    ~QtUi() override; // closes a wait message still shown

    Botao mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes) override;
    void aguarde(const QString &texto) override;
    // Filters may be Qt's ("Zip (*.zip);;Todos (*)") or the "Zip|*.zip|Todos|*.*" pairs.
    QString escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro) override;
    QString escolheArquivoParaGravar(const QString &titulo, const QString &caminho,
                                     const QString &filtro) override;
    QString escolhePasta(const QString &titulo, const QString &pasta) override;
    void abrePasta(const QString &pasta) override;
    void processaEventos() override;
    std::unique_ptr<JanelaProgresso> criaJanelaProgresso() override;

    // The wait message window while one is shown, else null.
    QWidget *janelaAguarde() const;

    // Caption of each standard button, as every dialog of the program shows it.
    static QString textoBotao(Botao b);
    // Default title of a box by its kind when the caller gives none.
    static QString tituloPadrao(Icone icone);
    // "Zip|*.zip;*.ZIP|Todos|*.*" -> "Zip (*.zip *.ZIP);;Todos (*)"; Qt filters pass unchanged.
    static QString filtroQt(const QString &filtro);

  private:
    QPointer<QFrame> m_aguarde;
    QLabel *m_texto = nullptr;
};

// Portuguese texts for Qt's own dialogs (file and colour pickers): loads Qt's pt_BR
// translation when it is installed. Message boxes get their captions from QtUi itself.
void InstalaTextosPadrao(QApplication &app);
void InstalaTextosPadrao(); // on the running application
