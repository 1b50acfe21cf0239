#include "window/impression.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <algorithm>
#include <exception>

#include "window/etape.hpp"

namespace orbitel {

namespace {

// The window is wider than high: offer landscape first, the user may change it in the dialog.
void prepare_page(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Orbitel"));
}

void descendants(QWidget& w, std::vector<QWidget*>& liste) {
    liste.push_back(&w);
    for (QObject* enfant : w.children()) {
        if (auto* widget = qobject_cast<QWidget*>(enfant); widget != nullptr && !widget->isWindow()) {
            descendants(*widget, liste);
        }
    }
}

std::vector<QWidget*> arbre(QWidget& racine) {
    std::vector<QWidget*> liste;
    descendants(racine, liste);
    return liste;
}

// Hiding the only window must not end the program.
class SansQuitterALaFermeture {
public:
    SansQuitterALaFermeture() : avant_(QGuiApplication::quitOnLastWindowClosed()) {
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }
    ~SansQuitterALaFermeture() { QGuiApplication::setQuitOnLastWindowClosed(avant_); }
    SansQuitterALaFermeture(const SansQuitterALaFermeture&) = delete;
    SansQuitterALaFermeture& operator=(const SansQuitterALaFermeture&) = delete;

private:
    bool avant_;
};

// The page shows the results, not the editing: while it is rendered no field carries a caret or a
// selection and no control the focus (nor the frame that marks it). A field keeps a caret drawn by
// its last blink even once its window is hidden: read-only fields draw none.
class SansMarquesDeSaisie {
public:
    explicit SansMarquesDeSaisie(QWidget& fenetre) {
        if (QWidget* focus = fenetre.focusWidget()) {
            focus->clearFocus();
        }
        for (QLineEdit* champ : fenetre.findChildren<QLineEdit*>()) {
            champ->deselect();
            if (!champ->isReadOnly()) {
                champ->setReadOnly(true);
                champs_.emplace_back(champ);
            }
        }
    }
    ~SansMarquesDeSaisie() {
        for (const QPointer<QLineEdit>& champ : champs_) {
            if (champ) {
                champ->setReadOnly(false);
            }
        }
    }
    SansMarquesDeSaisie(const SansMarquesDeSaisie&) = delete;
    SansMarquesDeSaisie& operator=(const SansMarquesDeSaisie&) = delete;

private:
    std::vector<QPointer<QLineEdit>> champs_;
};

} // namespace

ImprimanteSysteme::ImprimanteSysteme() : printer_(QPrinter::HighResolution) {
    prepare_page(printer_);
}

bool ImprimanteSysteme::choisit(QWidget* parent) {
    QPrintDialog dialogue(&printer_, parent);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    return dialogue.exec() == QDialog::Accepted;
}

bool ImprimanteSysteme::imprime(QWidget& fenetre) {
    return imprime_widget(printer_, fenetre);
}

bool ImprimanteSysteme::imprime_page(const DessinPage& dessin) {
    return imprime_dessin(printer_, dessin);
}

ImprimantePdf::ImprimantePdf(QString fichier) : fichier_(std::move(fichier)) {}

bool ImprimantePdf::imprime(QWidget& fenetre) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier_);
    prepare_page(printer);
    return imprime_widget(printer, fenetre);
}

bool ImprimantePdf::imprime_page(const DessinPage& dessin) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier_);
    prepare_page(printer);
    return imprime_dessin(printer, dessin);
}

bool imprime_dessin(QPrinter& printer, const Imprimante::DessinPage& dessin) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    dessin(painter, QRectF(0, 0, printer.width(), printer.height()));
    const bool fini = painter.end();
    return fini && printer.printerState() != QPrinter::Error;
}

QRectF place_sur_page(QSizeF image, const QRectF& page) {
    if (image.isEmpty() || page.isEmpty()) {
        return {page.center(), QSizeF(0, 0)};
    }
    const double echelle = std::min(page.width() / image.width(), page.height() / image.height());
    const QSizeF taille = image * echelle;
    return {page.center() - QPointF(taille.width() / 2, taille.height() / 2), taille};
}

bool imprime_widget(QPrinter& printer, QWidget& fenetre) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // The painter's origin is the corner of the printable area, whose size the device gives.
    const QRectF page(0, 0, printer.width(), printer.height());
    const QRectF place = place_sur_page(QSizeF(fenetre.size()), page);
    // Drawn straight onto a printer, a widget is first rasterised at the printer's resolution
    // (a huge bitmap, and no text left in the file). Recorded as a picture first, it reaches the
    // page as lines, fills and text.
    QPicture image;
    {
        QPainter enregistreur(&image);
        fenetre.render(&enregistreur, QPoint(), QRegion(),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    // A picture plays back at its physical size: it already scales itself by the ratio of the
    // printer's resolution to the screen's, which the fitting scale must not count twice.
    const double propre_x = double(image.logicalDpiX()) / printer.logicalDpiX();
    const double propre_y = double(image.logicalDpiY()) / printer.logicalDpiY();
    painter.translate(place.topLeft());
    painter.scale(place.width() / fenetre.width() * propre_x, place.height() / fenetre.height() * propre_y);
    painter.drawPicture(0, 0, image);
    const bool fini = painter.end();
    return fini && printer.printerState() != QPrinter::Error;
}

void acheve_affichage(QWidget& fenetre) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (fenetre.isVisible()) {
        fenetre.repaint();
    }
}

CouleursEcran::CouleursEcran(QWidget& racine) {
    const int propres_a_qwidget = QWidget::staticMetaObject.propertyCount();
    for (QWidget* w : arbre(racine)) {
        Etat e;
        e.widget = w;
        e.palette = w->palette();
        e.remplit_fond = w->autoFillBackground();
        e.style = w->styleSheet();
        e.cache = w->isHidden();
        const QMetaObject* meta = w->metaObject();
        for (int i = propres_a_qwidget; i < meta->propertyCount(); ++i) {
            const QMetaProperty propriete = meta->property(i);
            if (propriete.metaType().id() == QMetaType::QColor && propriete.isReadable() &&
                propriete.isWritable()) {
                e.couleurs.emplace_back(QByteArray(propriete.name()), propriete.read(w));
            }
        }
        etats_.push_back(std::move(e));
    }
}

void CouleursEcran::restaure() const {
    bool racine = true;
    for (const Etat& e : etats_) {
        QWidget* w = e.widget.data();
        const bool est_racine = std::exchange(racine, false);
        if (w == nullptr) {
            continue;
        }
        // The style sheet first: applying one re-polishes the widget and may touch its palette.
        if (w->styleSheet() != e.style) {
            w->setStyleSheet(e.style);
        }
        // Parents come before their children, so an inherited palette is resolved against the
        // parent's restored one.
        w->setPalette(e.palette);
        w->setAutoFillBackground(e.remplit_fond);
        for (const auto& [nom, valeur] : e.couleurs) {
            w->setProperty(nom.constData(), valeur);
        }
        if (!est_racine && w->isHidden() != e.cache) {
            w->setVisible(!e.cache);
        }
    }
}

void applique_papier(QWidget& racine) {
    for (QWidget* w : arbre(racine)) {
        QPalette p = w->palette();
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            p.setColor(role, Qt::white);
        }
        // The focus frame and the selection are drawn in the highlight colour.
        for (const auto role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Highlight}) {
            p.setColor(role, Qt::black);
        }
        p.setColor(QPalette::HighlightedText, Qt::white);
        w->setPalette(p);
    }
}

IssueImpression imprime_fenetre(FenetreImprimable& f, Imprimante& imprimante) {
    bool choisie = false;
    etape([&] { choisie = imprimante.choisit(&f.fenetre()); });
    if (!choisie) {
        return IssueImpression::annulee;
    }
    SansQuitterALaFermeture garde;
    QWidget& fenetre = f.fenetre();
    const bool visible = fenetre.isVisible();
    const CouleursEcran ecran(fenetre);

    etape([&] { f.met_mode_impression(true); });
    etape([&] { fenetre.hide(); });
    etape([&] { f.palette_papier(); });
    etape([&] { f.calcule(); });
    etape([&] {
        acheve_affichage(fenetre);
        f.copie_dessin();
    });
    etape([&] { f.ecrit_note(); });
    bool imprimee = false;
    etape([&] {
        const SansMarquesDeSaisie sans_marques(fenetre);
        acheve_affichage(fenetre);
        imprimee = imprimante.imprime(fenetre);
    });

    etape([&] { f.met_mode_impression(false); });
    etape([&] { ecran.restaure(); });
    etape([&] { f.calcule(); });
    etape([&] {
        if (visible) {
            fenetre.show();
        }
    });
    return imprimee ? IssueImpression::imprimee : IssueImpression::echouee;
}

} // namespace orbitel
