#pragma once

#include <QString>

class UserInterface;

// Build identity and the application log (LogORBEL.txt beside the program).
class TConfigApp
{
  public:
    // Assigns the properties in their declared order, as the program's configuration does at start:
    // the log name is set while MaxNumLinhas is still 0, so the counter starts at 0 in every run.
    explicit TConfigApp(UserInterface *ui = nullptr);

    QString Versao = QStringLiteral("4.00.13");
    QString Release;
    bool VersaoTeste = false;
    bool GeraLog = true;
    int MaxNumLinhas = 0;
    QString SiglaSistema = QStringLiteral("ORBEL");
    QString NomeSistema = QStringLiteral("Orbelia");

    QString NomeArqLog() const { return m_nomeArqLog; }
    void setNomeArqLog(const QString &nome);

    QString VersaoSistema() const { return Versao + Release; }
    QString TituloSistema() const;

    // Appends one entry to the log and forwards it to the log viewer; a write error is raised.
    void GravaLog(const QString &linha);

    int linhasContadas() const { return m_contador; }
    void setUi(UserInterface *ui) { m_ui = ui; }

    // Name of the local socket of the optional log viewer ("VerLogKLV"); tests listen on one of
    // their own, as test programs run side by side.
    QString nomeVisualizador() const { return m_nomeVisualizador; }
    void setNomeVisualizador(const QString &nome) { m_nomeVisualizador = nome; }

  private:
    void enviaVisualizador(const QString &linha);
    void limitaLinhas(const QString &caminho);
    QString caminhoLog() const;

    UserInterface *m_ui = nullptr;
    QString m_nomeArqLog;
    QString m_nomeVisualizador = QStringLiteral("VerLogKLV");
    int m_contador = 0;
};
