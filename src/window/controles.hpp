#pragma once
#include <QColor>
#include <QLabel>
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

// A picture that answers clicks as a button would: one clic() per click, and one more for the
// second press of a double click, so that a double click counts exactly as two clicks. It takes the
// focus from Tab, and Space or Enter then count as one click.
class ImageCliquable : public QLabel {
    Q_OBJECT

public:
    explicit ImageCliquable(QWidget* parent = nullptr);

signals:
    void clic();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool presse_ = false;
};

} // namespace orbitel
