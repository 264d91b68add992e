#pragma once

#include <QString>

// `orbel restore`: the restore window's "&Restaurar" without a display. 0 restored, 1 refused or
// failed.
int ExecutaRestore(const QString &arquivo);
