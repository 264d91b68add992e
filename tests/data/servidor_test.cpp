#include "data/tdmprincipal.h"
#include "shell/inifile.h"
#include "shell/scriptedui.h"
#include "support/temphome.h"

#include <QFile>
#include <gtest/gtest.h>

// The test script starts Debian's Firebird server on 127.0.0.1 and names it in ORBEL_TEST_SERVER.
TEST(FirebirdServer, AHostPathDatabaseSettingConnectsThroughTheServer)
{
    const QString servidor = qEnvironmentVariable("ORBEL_TEST_SERVER");
    if (servidor.isEmpty())
        GTEST_SKIP() << "no Firebird server started for this run (scripts/test starts one)";
    auto home = TempHome::seeded();
    // the server process must be able to open the file
    QFile::setPermissions(home.banco(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther);
    GravaIni(home.ini(), "ORBEL", "Database", servidor + ":" + home.banco());
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    ASSERT_NO_THROW(dm.Inicia());
    EXPECT_TRUE(dm.conectado());
    EXPECT_EQ(dm.LeParametro("ANOEXERCICIO"), QString("2023"));
    dm.GravaParametro("ULTIMOMUNICREL", "005");
    EXPECT_EQ(dm.LeParametro("ULTIMOMUNICREL"), QString("005"));
    EXPECT_EQ(dm.cdsMunicipios.recordCount(), 50);
}
