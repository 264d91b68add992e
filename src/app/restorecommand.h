#pragma once

#include <QStringList>

// `orbel restore ARCHIVE.zip`: the restore window's "&Restaurar" without a display.
// 0 restored, 1 refused or failed, 2 usage.
int ExecutaRestore(const QStringList &opcoes);
