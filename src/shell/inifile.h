#pragma once

#include <QString>

// Windows-style INI files in Windows-1252 with CR LF lines; sections and keys match without case.
// A value is the text after the first "=" up to the end of the line.

// Both raise "Arquivo INI não encontrado!" when the file does not exist.
QString LeIni(const QString &arquivo, const QString &secao, const QString &chave);
void GravaIni(const QString &arquivo, const QString &secao, const QString &chave, const QString &valor);

// Without the existence check: a missing file reads as empty and is created on write.
QString LeIniDireto(const QString &arquivo, const QString &secao, const QString &chave);
void GravaIniDireto(const QString &arquivo, const QString &secao, const QString &chave, const QString &valor);

// A new ORBEL.ini for a database: [ORBEL] Database=, Backup=, Restore=; [Ativos] and [Retornos]
// Ultimo=. Any file there is replaced. Every write replaces the file whole or leaves it as it was.
void CriaOrbelIni(const QString &arquivo, const QString &banco);
