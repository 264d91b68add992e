#pragma once

#include <QString>
#include <QVector>

class ClientDataSet;

// The CNAE table as a tree, by the length of the trimmed code: 2 characters level 1, 3 level 2,
// 5 level 3, 7 level 4; a 7-character code whose subdivision is not "00" hangs under the last
// level-4 code. A child whose parent level has no node yet becomes a root; other lengths are left out.
struct NoCNAE {
    QString texto;
    int pai = -1; // index of the parent node, -1 for a root
};
QVector<NoCNAE> MontaArvoreCNAE(const ClientDataSet &cnaef);
// "1234-5/67  [ 01 ]   - DESCRIÇÃO": the code written by its length, the subdivision when not "00".
QString TextoNoCNAE(const QString &codigo, const QString &desmembramento, const QString &descricao);
