#pragma once

#include <QDateTime>
#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;
class TdmPrincipal;

// "Gravar cópia de segurança": destination folder and archive name, then the backup.
class TfrmCopiaSeguranca : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmCopiaSeguranca(TdmPrincipal &dm, QWidget *parent = nullptr,
                                QDateTime agora = QDateTime::currentDateTime());

    QLineEdit *edtDiretorioDestino = nullptr;
    QToolButton *sbtnDiretorio = nullptr;
    QLineEdit *edtNomeArquivo = nullptr;
    QPushButton *btnBackup = nullptr;
    QPushButton *btnFechar = nullptr;

    void sbtnDiretorioClick();
    void btnBackupClick();

  protected:
    void reject() override
    {
        if (isEnabled()) // not while the backup runs
            QDialog::reject();
    }

  private:
    TdmPrincipal &m_dm;
};
