#pragma once

#include <QString>

// What `orbel report` was asked for.
struct PedidoRelatorio {
    int item = -1;
    int modo = -1; // ConfiguracaoRelatorios::Modo
    QString municipio;
    int indice = 0; // 0 Provisório, 1 Definitivo
    enum Saida { Csv, Pdf, Impressora } saida = Csv;
    QString pdf;
};

// `orbel report --item N (--municipality CODE | --all-separate | --all-grouped) [--index P|D]
// (--csv | --pdf FILE | --printer)`: the report window's generation without a display, with the same
// checks, messages and files. 0 done, 1 refused or failed (usage errors are found before).
int ExecutaRelatorio(const PedidoRelatorio &pedido);
