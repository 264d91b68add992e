#include "support/temphome.h"

#include "app/setupcommand.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace
{

const QString &modelo()
{
    // made once per test run by the test driver (see tests/CMakeLists.txt)
    static const QString feito = qEnvironmentVariable("ORBEL_TEST_MODELO");
    if (!feito.isEmpty() && QFile::exists(feito + QStringLiteral("/bd/ORBEL.GDB")))
        return feito;
    static QTemporaryDir dir;
    static bool pronto = false;
    if (!pronto) {
        OpcoesSetup op;
        op.home = dir.path();
        op.anoBase = 2023;
        QString msg;
        if (ExecutaSetup(op, &msg) != 0)
            ADD_FAILURE() << "setup failed: " << msg.toStdString();
        pronto = true;
    }
    static const QString caminho = dir.path();
    return caminho;
}

void copiaPasta(const QString &de, const QString &para)
{
    QDirIterator it(de, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString origem = it.next();
        const QString destino = para + origem.mid(de.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(destino);
        else
            QFile::copy(origem, destino);
    }
}

} // namespace

TempHome::TempHome() : m_dir(std::make_unique<QTemporaryDir>()), m_anterior(DiretorioSistema())
{
    DefineDiretorioSistema(m_dir->path());
}

TempHome::TempHome(TempHome &&o) noexcept = default;

TempHome::~TempHome()
{
    if (m_dir)
        DefineDiretorioSistema(m_anterior);
}

TempHome TempHome::vazio()
{
    return TempHome();
}

TempHome TempHome::seeded()
{
    const QString origem = modelo();
    TempHome h;
    copiaPasta(origem, h.path());
    CriaOrbelIni(h.ini(), h.banco());
    return h;
}

QString TempHome::path() const
{
    return m_dir->path();
}
QString TempHome::banco() const
{
    return path() + QStringLiteral("/bd/ORBEL.GDB");
}
QString TempHome::ini() const
{
    return path() + QStringLiteral("/ORBEL.ini");
}
