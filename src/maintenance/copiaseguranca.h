#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class ProcessaBackup;
class TdmPrincipal;

// Runs the progress window's work: inside the window in the GUI, directly on the command line.
// True when it completed.
using ExecutaProcessamento = std::function<bool(ProcessaBackup &)>;
bool ProcessaSemJanela(ProcessaBackup &p);

// DiretorioSistema + "Backup/", created with any missing parents.
QString DiretorioBackupPadrao();
// "BKPORBEL" + base year + "_ddmmyyyyhhmm.zip".
QString NomeBackupPadrao(const QString &anoBase, const QDateTime &agora);
// The folder a picker returned, as the destination text shows it: a drive root "C:\" stays "C:\",
// every folder ends in one separator. Empty stays empty.
QString PastaEscolhida(const QString &pasta);

// "&Efetuar Cópia": the gbak cycle, then the database file compressed into pasta + nome, the
// archive remembered in ORBEL.ini and the success message. Refusals and failures raise OrbelError
// before anything is recorded; returns the archive path.
QString EfetuaCopiaSeguranca(TdmPrincipal &dm, const QString &pasta, const QString &nome,
                             const ExecutaProcessamento &processa = ProcessaSemJanela);
