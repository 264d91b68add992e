#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QTimer;
class QWidget;
class TConfigApp;

// "Sobre": the program's identity and its scrolling credits. Created hidden at start;
// mostra() brings it up centred on the screen with the version text of now.
class TfrmSobre : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmSobre(const TConfigApp &config, QWidget *parent = nullptr);

    void mostra();
    // Top of the credit text inside sCreditos; it falls by one each step and starts again
    // from below when the last line has gone.
    int deslocamento() const;

    QLabel *lblVersao = nullptr;
    QTimer *tCreditos = nullptr;

  protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

  private:
    void rola();

    const TConfigApp &m_config;
    QWidget *m_sCreditos = nullptr;
    QLabel *m_texto = nullptr;
    int m_y = 0;
};

// The credit lines of the About window.
QStringList LinhasCreditos();
