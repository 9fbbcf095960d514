#pragma once

#include <QColor>
#include <QTabBar>
#include <QTabWidget>

namespace zerda {

inline const QColor kSayacRengi(30, 180, 223);  // #1EB4DF

// The tab painter: draws each tab's background the style's way, then its icon and the label of
// the caption's counter form, centred and wrapped, with "(count)" right-aligned at the top in the
// counter colour when the count is above 0. Tabs on the left or right side show the label turned
// (counter-clockwise on the left, clockwise on the right) without a count.
class TTabColorControlStyleHook : public QTabBar {
    Q_OBJECT
public:
    explicit TTabColorControlStyleHook(QWidget* parent = nullptr);

    void setLabelColour(const QColor& colour);
    QColor labelColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLabel(QPainter& painter, const QStyleOptionTab& tab, const QString& caption) const;

    QColor m_labelColour;
};

// The program's page control: a tab widget whose tabs the tab painter draws. Every tabbed window
// of the program uses it.
class TsPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TsPageControl(QWidget* parent = nullptr);
    TTabColorControlStyleHook* painter() const { return m_painter; }

private:
    TTabColorControlStyleHook* m_painter;
};

}  // namespace zerda
