#pragma once

#include <QDialog>

class QLabel;

namespace zerda {

// "Sipariş Onay": the order's summary, the overdue-account warning and the question; "Evet"
// accepts, "Hayır" and the close box reject.
class TONAYSIP : public QDialog {
    Q_OBJECT
public:
    TONAYSIP(const QString& summary, const QString& warning, QWidget* owner);

    QLabel* Label2() const { return m_summary; }
    QLabel* Label3() const { return m_warning; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_summary;
    QLabel* m_warning;
};

}  // namespace zerda
