#pragma once
#include <QByteArray>
#include <QPalette>
#include <QPointer>
#include <QPrinter>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace orbitel {

// Where a printout goes. The window uses the system's printers through their dialog; tests print
// to a PDF file with no dialog, through the same steps.
class Imprimante {
public:
    virtual ~Imprimante() = default;
    // Lets the user choose the printer and its settings. False when the user cancels or no printer
    // can be had; nothing has been changed on the window at that point.
    virtual bool choisit(QWidget* parent) = 0;
    // Prints the window's present image on one page. False when the printout failed.
    virtual bool imprime(QWidget& fenetre) = 0;
    // Prints one page drawn by `dessin`, which gets a painter on the page and the printable area in
    // its coordinates: for a view that lays itself out for paper rather than copying the screen.
    // False when the printout failed; a printer that only copies windows prints nothing.
    using DessinPage = std::function<void(QPainter&, const QRectF&)>;
    virtual bool imprime_page(const DessinPage& dessin) {
        (void)dessin;
        return false;
    }
};

// The system's print dialog (which also offers printing to a PDF file), then that printer.
class ImprimanteSysteme final : public Imprimante {
public:
    ImprimanteSysteme();
    bool choisit(QWidget* parent) override;
    bool imprime(QWidget& fenetre) override;
    bool imprime_page(const DessinPage& dessin) override;

private:
    QPrinter printer_;
};

// A PDF file, without a dialog.
class ImprimantePdf final : public Imprimante {
public:
    explicit ImprimantePdf(QString fichier);
    bool choisit(QWidget*) override { return true; }
    bool imprime(QWidget& fenetre) override;
    bool imprime_page(const DessinPage& dessin) override;

private:
    QString fichier_;
};

// The rectangle a picture of size `image` takes on `page`: as large as fits, aspect kept, centred.
QRectF place_sur_page(QSizeF image, const QRectF& page);

// Paints `fenetre` and its visible children on one page of `printer`, placed by place_sur_page on
// the printable area. Works on a hidden window. False when the printer could not be opened or
// reported an error.
bool imprime_widget(QPrinter& printer, QWidget& fenetre);

// Opens `printer`, lets `dessin` paint its one page on the printable area and closes it. False when
// the printer could not be opened or reported an error.
bool imprime_dessin(QPrinter& printer, const Imprimante::DessinPage& dessin);

// Lets every pending event run (layouts, repaints, a queued click) and repaints `fenetre` if it is
// shown, so that what is copied or printed next is never half painted.
void acheve_affichage(QWidget& fenetre);

// The look of a window and of every widget in it, taken before the printout and put back after:
// palette, background filling, style sheet, visibility of the children, and every colour property
// (a Q_PROPERTY of type QColor, such as a shape's outline) that the widget's own class declares.
// Restoring gives each widget exactly the palette it had, including whether it was its own or
// inherited from its parent.
class CouleursEcran {
public:
    explicit CouleursEcran(QWidget& racine);
    // Widgets deleted since the snapshot are skipped. The root's own visibility is left alone:
    // showing the window again is a step of its own.
    void restaure() const;

private:
    struct Etat {
        QPointer<QWidget> widget;
        QPalette palette;
        bool remplit_fond = false;
        QString style;
        bool cache = false;
        std::vector<std::pair<QByteArray, QVariant>> couleurs;
    };
    std::vector<Etat> etats_; // parents before their children
};

// Paper colours on the window and all its widgets: backgrounds white, texts black.
void applique_papier(QWidget& racine);

// What the print procedure asks of the window. Each call is one step; a step that throws is
// abandoned and the procedure goes on with the next one.
class FenetreImprimable {
public:
    virtual ~FenetreImprimable() = default;
    virtual QWidget& fenetre() = 0;
    // The print-mode flag the Moon drawing and the altitude line read.
    virtual void met_mode_impression(bool actif) = 0;
    // The paper palette: black on white, the buttons and the stepping pictures hidden, the shapes'
    // outlines black.
    virtual void palette_papier() = 0;
    // The compute action of the chosen-instant mode: results, Moon drawing, phase panel.
    virtual void calcule() = 0;
    // The drawing surface copied into the print picture, which is then shown.
    virtual void copie_dessin() = 0;
    // The local-time note for the instant the page shows.
    virtual void ecrit_note() = 0;
};

enum class IssueImpression {
    annulee,  // the dialog was cancelled or no printer: the window was not touched
    imprimee, // sent to the printer
    echouee,  // the printer failed; the window is back as it was all the same
};

// The print action: the printer is chosen first; then print mode on, window hidden, paper
// palette, compute, copy of the drawing, note, print with no caret, selection or focus shown; then
// print mode off, the screen look put back exactly as it was before, compute again (which leaves
// the focus where it always does), window shown. The application does not quit while its only
// window is hidden.
IssueImpression imprime_fenetre(FenetreImprimable& fenetre, Imprimante& imprimante);

} // namespace orbitel
