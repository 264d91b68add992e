#pragma once

#include <QString>
#include <QStringList>

class TdmPrincipal;
class UserInterface;

// Firebird's backup tool: "gbak" in the program folder, beside the executable, or on the PATH.
// Empty when there is none.
QString LocalizaGbak();

// The two runs of the cycle: a transportable backup ignoring limbo transactions, then a
// database created from it.
QStringList ArgumentosBackupGbak(const QString &usuario, const QString &senha, const QString &banco,
                                 const QString &temporario);
QStringList ArgumentosRestauraGbak(const QString &usuario, const QString &senha, const QString &temporario,
                                   const QString &banco);

// What a gbak run left behind.
struct ResultadoGbak {
    bool iniciou = false;
    bool terminouNormalmente = false; // false when killed or crashed
    int codigoSaida = -1;
    QString saida; // what it wrote on its error and output streams
    bool ok() const { return iniciou && terminouNormalmente && codigoSaida == 0; }
};

// Runs gbak hidden in the program folder and waits for its end, letting window events run.
ResultadoGbak ExecutaGbak(const QString &gbak, const QStringList &argumentos, UserInterface *ui = nullptr);

// The gbak backup-and-restore cycle that drops garbage and rebuilds the database file. The rebuilt
// file is made beside the live one, checked, and only then put in its place: a failed or killed
// run leaves the database as it was. The data module is disconnected only around the two runs and
// always connected again. Raises OrbelError saying what failed.
void LimpaLixo(TdmPrincipal &dm, const QString &usuario, const QString &senha);
