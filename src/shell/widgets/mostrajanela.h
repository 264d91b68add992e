#pragma once

#include <QApplication>
#include <QDialog>
#include <memory>

// Creates a window, shows it modally and frees it when it closes, also when it raised an error.
template <typename Janela, typename... Args>
void MostraJanela(Args &&...args)
{
    auto janela = std::make_unique<Janela>(std::forward<Args>(args)..., QApplication::activeWindow());
    janela->setWindowModality(Qt::ApplicationModal);
    janela->exec();
}
