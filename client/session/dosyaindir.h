#pragma once

#include <QDialog>

#include "connection.h"

class QLabel;
class QProgressBar;

namespace zerda {

// "Dosya İndir": the server expects another client version, so the installer is downloaded from
// the update server, started in its silent mode, and the program ends. There is no way back.
class Tdosyaindir : public QDialog {
    Q_OBJECT
public:
    static constexpr int kZamanAsimiMs = 60000;

    Tdosyaindir(QWidget* owner, int _y);

    Connection* bag = nullptr;  // set by the opener; not used here
    QString installerUrl() const { return m_url; }
    // Where the installer is saved: the local application-data folder.
    static QString installerPath();
    // The progress text for R bytes read of L.
    static QString ilerlemeYazisi(qint64 read, qint64 length);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Indir();
    void KurulumuBaslat(const QString& path);
    void fail(const QString& reason);

    QLabel* m_notice;
    QLabel* m_bilgi;
    QProgressBar* m_progress;
    QString m_url;
    bool basladi = false;
};

}  // namespace zerda
