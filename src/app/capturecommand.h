#pragma once

#include <QString>

// `orbel capture`: the capture window's flow without a display, every question answered Yes
// (`sim`) or No. 0 when the capture completed, 1 when it failed, was stopped or declined.
int ExecutaCaptura(int tipo, const QString &arquivo, bool sim);
