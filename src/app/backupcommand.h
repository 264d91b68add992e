#pragma once

#include <QStringList>

// `orbel backup [--dir DIR] [--name NAME.zip]`: the backup window's "&Efetuar Cópia" without a
// display; prints the archive path. 0 done, 1 refused or failed, 2 usage.
int ExecutaBackup(const QStringList &opcoes);
