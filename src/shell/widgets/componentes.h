#pragma once

#include <QLabel>

// A label known by its name, as every window's controls are found by objectName.
inline QLabel *NovoRotulo(QWidget *pai, const char *nome, const QString &texto)
{
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    return l;
}
