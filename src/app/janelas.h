#pragma once

class QApplication;

// Start-up of the GUI: regional settings, data module, main window, event loop.
int ExecutaInterfaceGrafica(QApplication &app);
