#pragma once

#include <QDialog>

class QFileSystemModel;
class QListWidget;
class QPushButton;
class QTreeView;
class TdmPrincipal;

// "Restaração de Cópia de Segurança": a folder tree and the files of the chosen folder, then the
// restore of the chosen archive.
class TfrmRestauracao : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmRestauracao(TdmPrincipal &dm, QWidget *parent = nullptr);

    QTreeView *tvPastas = nullptr;
    QListWidget *lstArquivos = nullptr;
    QPushButton *sbtnRestaura = nullptr;
    QPushButton *btnFechar = nullptr;

    // The folder whose files the list shows.
    QString pastaAtual() const { return m_pasta; }
    void mostraPasta(const QString &pasta);
    // Full path of the file chosen in the list; empty when none.
    QString arquivoSelecionado() const;

    void sbtnRestauraClick();

  protected:
    void showEvent(QShowEvent *e) override;

  private:
    void mostraInicio();

    TdmPrincipal &m_dm;
    QFileSystemModel *m_pastas = nullptr;
    QString m_pasta;
    QString m_inicio;
    bool m_rolou = false;
};
