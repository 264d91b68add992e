#pragma once

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class TdmPrincipal;

// "Parâmetros": base year, limit dates of the indices, and where the database and backups are.
class TfrmParametros : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmParametros(TdmPrincipal &dm, QWidget *parent = nullptr, QDate hoje = QDate::currentDate());

    QComboBox *cmbAnoExercicio = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *lblUltimoBackup = nullptr;
    QLabel *lblUltimoRestore = nullptr;
    QDateEdit *dtpLimiteProvisorio = nullptr;
    QDateEdit *dtpLimiteDefinitivo = nullptr;
    QPushButton *sbtnOK = nullptr;
    QPushButton *sbtnFechar = nullptr;

    void sbtnOKClick();

  protected:
    void done(int r) override;

  private:
    bool podeFechar();
    void montaTela();
    void carrega(QDate hoje);

    TdmPrincipal &m_dm;
};
