#pragma once

#include <QDate>
#include <QString>

#include <optional>

// `orbel parameters [--base-year YYYY] [--limit-provisional dd/mm/yyyy] [--limit-definitive dd/mm/yyyy]`:
// without values prints the stored base year and limit dates; with them stores them under the
// Parameters window's rules and messages, then prints them. 0 done, 1 refused or failed.
int ExecutaParametros(const QString &ano, std::optional<QDate> provisorio, std::optional<QDate> definitivo,
                      const QDate &hoje = QDate::currentDate());
