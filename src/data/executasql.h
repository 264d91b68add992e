#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

// Runs one statement with its values bound in order; the driver's text becomes the error.
QSqlQuery ExecutaSql(const QSqlDatabase &db, const QString &sql, const QVariantList &valores = {});
