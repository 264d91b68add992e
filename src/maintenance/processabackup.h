#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class UserInterface;

// The work of the progress window shared by backup and restore: compresses the database file into
// the archive, or extracts an archive into the scratch folder and puts its ORBEL.gdb in the place of
// the database. It keeps what the window shows, fed by the zip engine's events; the window (or the
// command line) only draws it.
class ProcessaBackup
{
  public:
    enum class Modo { Backup, Restauracao };

    // What the window shows. Both bars range 1 to 10001.
    struct Tela {
        QString caption = QStringLiteral("Processamento de backup");
        QString arquivoAtual;
        QString destino; // the archive path
        int barraArquivo = 1;
        int maximoArquivo = 10001;
        int barraTotal = 1;
        QString status1; // total size
        QString status2; // number of files
    };

    ProcessaBackup(UserInterface &ui, Modo modo, QString arquivoZip, QString configuracaoBanco = {});

    // Called after every change of the display.
    std::function<void(const Tela &)> aoMudar;

    // Runs the operation once. True when it completed; every failure has been shown through the
    // user interface by then.
    bool executa();

    Modo modo() const { return m_modo; }
    const Tela &tela() const { return m_tela; }
    int extraidos() const { return m_extraidos; }
    // A restore that failed keeps its window open until the clerk closes it.
    bool ficaAberta() const { return m_ficaAberta; }
    // The failure as the clerk read it (empty after success).
    QString erro() const { return m_erro; }

    // The zip engine's events, as the display handles them (public for the engine's callbacks).
    void novoArquivo(const QString &nome, qint64 tamanho);
    void progresso(qint64 mais);
    void fimLote();
    void totalArquivos(int n);
    void totalBytes(qint64 n);

  private:
    void compacta();
    void restaura();
    void muda();
    void falha(const QString &texto, bool ficaAberta);

    UserInterface &m_ui;
    Modo m_modo;
    QString m_zip;
    QString m_banco;
    Tela m_tela;
    qint64 m_tamanhoArquivo = 0;
    qint64 m_progressoArquivo = 0;
    qint64 m_tamanhoTotal = 0;
    qint64 m_progressoTotal = 0;
    int m_extraidos = 0;
    bool m_ficaAberta = false;
    QString m_erro;
};

// The file the backup compresses for a Database setting: the setting without a server prefix.
QString ArquivoACompactar(const QString &configuracaoBanco);
