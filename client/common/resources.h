#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QTimer;

namespace zerda {

// The program's pictures, drawn by the program itself so that they look alike: the stock states,
// yes and no, the picture mark, the tab and menu icons, the logo.
namespace Icons {
QIcon stockState(int durum);  // 0 Yok .. 5 Tedarik Sürecinde
QString stockStateName(int durum);
QIcon yes();
QIcon no();
QIcon picture();
// Tab icons by their index in the tab image list; the menu button's icon is menuButton().
QIcon tab(int index);
QIcon menuButton();
QIcon search();
QIcon clear();
QPixmap logo(const QSize& size);
}  // namespace Icons

// An animated busy indicator, turning while it is visible.
class TBusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit TBusyIndicator(const QString& objectName, QWidget* parent = nullptr);
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* m_timer;
    int m_frame = 0;
};

// Makes the program's fonts known (Tahoma from the system's Wine fonts, where installed).
void registerProgramFonts();

// Applies a visual style of the program by name; when there is none of that name, shows an error
// naming it, keeps the default look and returns false.
bool applyVisualStyle(const QString& name);
QStringList visualStyles();

}  // namespace zerda
