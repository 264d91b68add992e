#pragma once

#include <QStringList>

// `orbel capture [--yes] [--type ativos|retorno] ARCHIVE.zip`: the capture window's flow without a
// display. 0 when the capture completed, 1 when it failed, was stopped or declined, 2 for usage.
int ExecutaCaptura(const QStringList &opcoes);
