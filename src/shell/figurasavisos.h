#pragma once

#include <QImage>
#include <QString>

// The marker drawn before each notice of the main window, enabled (green) or not (grey). Drawn on
// an image, so the setup command needs no display.
QImage MarcadorAviso(bool habilitado);

// Writes bin/Item.bmp and bin/ItemDisable.bmp, the pictures of enabled and disabled notices.
void GravaFigurasAvisos(const QString &pastaBin);
// Writes a sample bin/Msgs.dat (Windows-1252, CR LF).
void GravaAvisosExemplo(const QString &pastaBin);
