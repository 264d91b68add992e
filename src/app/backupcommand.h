#pragma once

#include <QString>

// `orbel backup`: the backup window's "&Efetuar Cópia" without a display; prints the archive path.
// Empty folder or name: the window's defaults. 0 done, 1 refused or failed.
int ExecutaBackup(const QString &pasta, const QString &nome);
