#pragma once
#include <QColor>
#include <QToolButton>
#include <QWidget>

namespace orbitel {

// A rounded rectangle drawn over its parent, outline only: it frames a group of controls and lets
// every click through to them.
class Forme : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor contour READ contour WRITE definit_contour)

public:
    explicit Forme(QWidget* parent = nullptr);

    QColor contour() const { return contour_; }
    void definit_contour(const QColor& couleur);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor contour_{255, 224, 192};
};

// A picture that steps as a button does: a tool button that shows its icon only, as a plain picture
// would (no panel when hovered or pressed; the window's focus frame marks it when it has the
// focus), and that screen readers present as a button. clic() is emitted once per click; the second
// press of a double click is a press of its own, so a double click counts exactly as two clicks.
// It takes the focus from Tab, and Space, Enter or Return then count as one click.
class ImageCliquable : public QToolButton {
    Q_OBJECT

public:
    explicit ImageCliquable(QWidget* parent = nullptr);

signals:
    void clic();

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// Where the window parks the keyboard focus after each action, so that no control looks selected:
// a widget placed outside the window, which draws nothing. It is no part of what assistive tools
// are told: its accessible interface has no role and no name and says it is invisible, so moving the
// focus there announces nothing.
class FocusParque : public QWidget {
    Q_OBJECT

public:
    explicit FocusParque(QWidget* parent = nullptr);
};

} // namespace orbitel
