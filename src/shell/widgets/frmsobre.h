#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class QWidget;
class TConfigApp;

// "Sobre": the program's identity and its scrolling credits.
class TfrmSobre : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSobre(const TConfigApp &config, QWidget *parent = nullptr);

    // Shows the window with the version text of now.
    void mostra();
    int deslocamento() const;

    QLabel *lblVersao = nullptr;
    QTimer *tCreditos = nullptr;

private:
    void rola();

    const TConfigApp &m_config;
    QWidget *m_sCreditos = nullptr;
    QLabel *m_texto = nullptr;
    int m_y = 0;
};

// The credit lines of the About window.
QStringList LinhasCreditos();
