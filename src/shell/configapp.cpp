#include "shell/configapp.h"

#include "shell/diretorios.h"
#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSaveFile>

namespace
{
const QString kSemNome =
    QStringLiteral("Não foi informado o nome do arquivo de Log de controle da aplicação!");
}

TConfigApp::TConfigApp(UserInterface *ui) : m_ui(ui)
{
    // Declared order: the log name is assigned while MaxNumLinhas is still 0.
    setNomeArqLog(QStringLiteral("LogORBEL.txt"));
    MaxNumLinhas = 3000;
}

QString TConfigApp::TituloSistema() const
{
    return QStringLiteral("ORBEL - Orbelia - Versão ") + VersaoSistema();
}

QString TConfigApp::caminhoLog() const
{
    return DiretorioSistema() + m_nomeArqLog.trimmed();
}

void TConfigApp::setNomeArqLog(const QString &nome)
{
    m_nomeArqLog = nome;
    m_contador = 0;
    if (!GeraLog || MaxNumLinhas == 0)
        return;
    if (nome.trimmed().isEmpty()) {
        if (m_ui)
            m_ui->mensagem(QString(), kSemNome, UserInterface::Icone::Nenhum, UserInterface::Ok);
        GeraLog = false;
        return;
    }
    QFile f(caminhoLog());
    if (f.open(QIODevice::ReadOnly)) {
        while (!f.atEnd()) {
            f.readLine();
            ++m_contador;
        }
    }
}

void TConfigApp::enviaVisualizador(const QString &linha)
{
    // The viewer listens on a local socket; when nobody listens the connection fails at once.
    QLocalSocket s;
    s.connectToServer(nomeVisualizador());
    if (!s.waitForConnected(200))
        return;
    QByteArray msg;
    const QByteArray texto = Win1252::encode(SiglaSistema + QStringLiteral(" - ") + linha) + '\0';
    auto poe32 = [&msg](quint32 v) {
        for (int i = 0; i < 4; ++i)
            msg.append(char((v >> (8 * i)) & 0xFF));
    };
    poe32(1);                                  // dwData
    poe32(static_cast<quint32>(texto.size())); // cbData, the terminating zero included
    msg.append(texto);
    s.write(msg);
    s.waitForBytesWritten(1000); // synchronous, as the viewer message always was
    s.disconnectFromServer();
}

void TConfigApp::GravaLog(const QString &linha)
{
    if (!GeraLog)
        return;
    enviaVisualizador(linha);
    if (m_nomeArqLog.trimmed().isEmpty()) {
        if (m_ui)
            m_ui->mensagem(QString(), kSemNome, UserInterface::Icone::Nenhum, UserInterface::Ok);
        GeraLog = false;
        return;
    }
    const QString caminho = caminhoLog();
    const bool existia = QFile::exists(caminho);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        GeraLog = false;
        return;
    }
    const QByteArray bytes = Win1252::encode(linha) + "\r\n";
    // with the disk full the log keeps its lines as they were: no part of an entry, no empty file
    if (!AcrescentaInteiro(f, bytes.constData(), bytes.size())) {
        const QString erro = f.errorString();
        f.close();
        if (!existia && QFileInfo(caminho).size() == 0)
            QFile::remove(caminho);
        throw OrbelError(QStringLiteral("Erro ao gravar o arquivo de log ") + caminho + QStringLiteral(": ") +
                         erro);
    }
    ++m_contador;
    f.close();
    if (MaxNumLinhas != 0 && m_contador > MaxNumLinhas)
        limitaLinhas(caminho);
}

void TConfigApp::limitaLinhas(const QString &caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> linhas;
    while (!f.atEnd())
        linhas.append(f.readLine());
    f.close();
    const qsizetype excesso = linhas.size() - MaxNumLinhas;
    if (excesso <= 0)
        return;
    QSaveFile out(caminho);
    if (!out.open(QIODevice::WriteOnly))
        throw OrbelError(QStringLiteral("Erro ao gravar o arquivo de log ") + caminho);
    for (qsizetype i = excesso; i < linhas.size(); ++i) {
        QByteArray l = linhas[i];
        if (!l.endsWith('\n'))
            l += "\r\n";
        out.write(l);
    }
    if (!ConcluiGravacao(out))
        throw OrbelError(QStringLiteral("Erro ao gravar o arquivo de log ") + caminho);
}
