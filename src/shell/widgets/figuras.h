#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn rather than shipped as files.
namespace Figuras
{
QPixmap logo(int lado = 120);
QPixmap bannerAvisos(int largura = 520, int altura = 46);
QIcon iconePrograma();
// Tool bar glyphs: "ativos", "declaracoes", "capturar", "relatorios", "ajuda", "sair", "pasta".
QIcon icone(const QString &nome, int lado = 40);
QPixmap marcadorAviso(bool habilitado);
} // namespace Figuras
