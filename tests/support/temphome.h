#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh program folder for one test: ORBEL.ini, bd/ORBEL.GDB, bin/, temp/, Backup/.
// It becomes the program folder while it lives; the previous one comes back after.
class TempHome
{
  public:
    // Installed as `orbel setup --base-year 2023` would; the database is copied from one made
    // once per test program, which keeps tests fast.
    static TempHome seeded();
    // An empty folder, nothing installed.
    static TempHome vazio();

    TempHome(TempHome &&) noexcept;
    ~TempHome();

    QString path() const;  // ends without a separator
    QString banco() const; // path of the database file
    QString ini() const;
    QString arquivo(const QString &relativo) const { return path() + u'/' + relativo; }

  private:
    TempHome();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_anterior;
};
