#include "support/executaorbel.h"

#include <QProcess>
#include <QProcessEnvironment>

SaidaOrbel ExecutaOrbel(const QStringList &argumentos, int esperaMs)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ORBEL_EXECUTABLE), argumentos);
    const bool terminou = p.waitForFinished(esperaMs);
    SaidaOrbel r;
    r.status = p.exitCode();
    r.saida = QString::fromUtf8(p.readAllStandardOutput());
    r.erros = QString::fromUtf8(p.readAllStandardError());
    r.normal = terminou && p.exitStatus() == QProcess::NormalExit;
    return r;
}
