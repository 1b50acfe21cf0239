#include "window/apropos.hpp"

#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRadialGradient>
#include <algorithm>
#include <cstdint>

#include "ui_apropos.h"
#include "version_orbitel.hpp"
#include "window/cadre_focus.hpp"

namespace orbitel {

namespace {

constexpr const char* nom_produit = "Orbitel";

QFont police(const QStringList& familles, double points, bool souligne = false) {
    QFont f;
    f.setFamilies(familles);
    f.setPointSizeF(points);
    f.setUnderline(souligne);
    return f;
}

// Comic Sans MS is rarely installed outside Windows; Comic Neue is drawn to its metrics.
QFont comic(double points) {
    return police({"Comic Sans MS", "Comic Neue"}, points);
}
QFont arial(double points, bool souligne) {
    return police({"Arial", "Liberation Sans", "Arimo", "Helvetica"}, points, souligne);
}

void colore(QWidget& w, const QColor& texte) {
    QPalette p = w.palette();
    p.setColor(QPalette::WindowText, texte);
    w.setPalette(p);
}

} // namespace

VersionProgramme version_programme() {
    return {construction::version_majeure, construction::version_mineure, construction::version_revision};
}

std::string texte_version(const VersionProgramme& version) {
    return "Version: " + std::to_string(version.majeur) + "." + std::to_string(version.mineur);
}

std::string encode_pour_requete(std::string_view valeur) {
    static constexpr char hexa[] = "0123456789ABCDEF";
    std::string sortie;
    sortie.reserve(valeur.size() * 3);
    for (const char c : valeur) {
        const auto octet = static_cast<unsigned char>(c);
        const bool garde = (octet >= 'A' && octet <= 'Z') || (octet >= 'a' && octet <= 'z') ||
                           (octet >= '0' && octet <= '9') || octet == '-' || octet == '.' || octet == '_' ||
                           octet == '~';
        if (garde) {
            sortie += c;
        } else {
            sortie += '%';
            sortie += hexa[octet >> 4];
            sortie += hexa[octet & 0x0F];
        }
    }
    return sortie;
}

std::string adresse_contact(std::string_view page, const VersionProgramme& version) {
    const std::string sujet = std::string(nom_produit) + " V" + std::to_string(version.majeur) + "." +
                              std::to_string(version.mineur) + "." + std::to_string(version.revision);
    std::string adresse(page);
    adresse += adresse.find('?') == std::string::npos ? '?' : '&';
    adresse += "sub=" + encode_pour_requete(sujet);
    return adresse;
}

std::string adresse_site() {
    return construction::adresse_site;
}
std::string page_contact() {
    return construction::page_contact;
}

QImage image_a_propos() {
    constexpr int largeur = 136;
    constexpr int hauteur = 200;
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Night sky, darker towards the zenith.
    QLinearGradient ciel(0, 0, 0, hauteur);
    ciel.setColorAt(0.0, QColor(6, 8, 30));
    ciel.setColorAt(0.75, QColor(28, 34, 86));
    ciel.setColorAt(1.0, QColor(60, 52, 96));
    p.fillRect(image.rect(), ciel);

    // Stars from a fixed linear congruential sequence, so the picture is the same at every run.
    std::uint32_t graine = 20260607u;
    const auto suivant = [&graine](int borne) {
        graine = graine * 1664525u + 1013904223u;
        return static_cast<int>((graine >> 8) % static_cast<std::uint32_t>(borne));
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        const int x = suivant(largeur);
        const int y = suivant(150);
        const int eclat = 140 + suivant(116);
        const double rayon = suivant(4) == 0 ? 1.1 : 0.6;
        p.setBrush(QColor(eclat, eclat, std::min(255, eclat + 30)));
        p.drawEllipse(QPointF(x + 0.5, y + 0.5), rayon, rayon);
    }

    // A waxing crescent: the lit disc, with the night side taken out by a second, shifted disc.
    const QPointF centre(78, 62);
    const double rayon = 36;
    QRadialGradient halo(centre, rayon * 1.8);
    halo.setColorAt(0.0, QColor(255, 244, 210, 90));
    halo.setColorAt(1.0, QColor(255, 244, 210, 0));
    p.setBrush(halo);
    p.drawEllipse(centre, rayon * 1.8, rayon * 1.8);

    QPainterPath disque;
    disque.addEllipse(centre, rayon, rayon);
    QPainterPath ombre;
    ombre.addEllipse(centre - QPointF(17, 6), rayon * 0.98, rayon * 0.98);
    p.setBrush(QColor(20, 24, 58));
    p.drawPath(disque); // the earthshine on the dark side
    QRadialGradient lumiere(centre + QPointF(14, -8), rayon * 1.3);
    lumiere.setColorAt(0.0, QColor(255, 250, 232));
    lumiere.setColorAt(1.0, QColor(214, 200, 160));
    p.setBrush(lumiere);
    p.drawPath(disque.subtracted(ombre));

    // Hills and an observer's telescope on its tripod.
    QPainterPath colline;
    colline.moveTo(0, 170);
    colline.cubicTo(30, 150, 70, 158, 96, 166);
    colline.cubicTo(112, 171, 126, 160, largeur, 156);
    colline.lineTo(largeur, hauteur);
    colline.lineTo(0, hauteur);
    colline.closeSubpath();
    p.setBrush(QColor(10, 12, 20));
    p.drawPath(colline);

    p.setPen(QPen(QColor(10, 12, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF tete(44, 140);
    p.drawLine(tete, QPointF(34, 163));
    p.drawLine(tete, QPointF(45, 164));
    p.drawLine(tete, QPointF(55, 162));
    p.setPen(QPen(QColor(10, 12, 20), 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(34, 146), QPointF(60, 124)); // the tube, aimed at the Moon
    p.setPen(QPen(QColor(10, 12, 20), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(60, 124), QPointF(63, 121.5));
    return image;
}

LienTexte::LienTexte(QWidget* parent) : LienTexte(QString(), parent) {}

LienTexte::LienTexte(const QString& texte, QWidget* parent) : QLabel(texte, parent) {
    setFocusPolicy(Qt::TabFocus);
}

void LienTexte::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit active();
    }
    QLabel::mouseReleaseEvent(event);
}

void LienTexte::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit active();
        return;
    }
    QLabel::keyPressEvent(event);
}

About::About(Navigateur& navigateur, QWidget* parent, const VersionProgramme& version)
    : QDialog(parent), navigateur_(navigateur), version_(version) {
    Ui::AboutForme forme;
    forme.setupUi(this);
    label1_[0] = forme.Label1_0;
    label1_[1] = forme.Label1_1;
    label1_[2] = forme.Label1_2;
    label2_ = forme.Label2;
    label3_ = forme.Label3;
    image2_ = forme.Image2;
    command1_ = forme.Command1;
    habille();
    new CadreFocus(*this);

    // The links leave the box open; a link that cannot be opened says so.
    const auto ouvre = [this](const std::string& adresse) {
        QPointer<About> boite(this);
        navigateur_.ouvre_ou_signale(adresse, [boite, adresse] {
            if (boite) boite->signale_echec(adresse);
        });
    };
    connect(label3_, &LienTexte::active, this, [ouvre] { ouvre(adresse_site()); });
    connect(label2_, &LienTexte::active, this, [this, ouvre] { ouvre(adresse_contact()); });
    connect(command1_, &QPushButton::clicked, this, &About::retour);
}

void About::habille() {
    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(fond);
    setAutoFillBackground(true);

    // The main window's icon is also the pointer over the links.
    const QWidget* fenetre = parentWidget();
    const QIcon icone = fenetre != nullptr ? fenetre->window()->windowIcon() : QIcon();
    if (!icone.isNull()) {
        setWindowIcon(icone);
    }
    const QCursor pointeur = icone.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(icone.pixmap(32, 32));

    label1_[0]->setFont(comic(14.25));
    colore(*label1_[0], QColor(255, 128, 128));
    for (QLabel* l : {label1_[1], label1_[2]}) {
        l->setFont(comic(12));
        colore(*l, QColor(224, 224, 224));
    }
    label1_[2]->setText(QString::fromStdString(texte_version(version_)));
    for (LienTexte* l : {label3_, label2_}) {
        l->setCursor(pointeur);
        colore(*l, QColor(255, 224, 192));
    }
    label3_->setFont(arial(15.75, true));
    label2_->setFont(arial(12, true));

    // The address goes on a line of its own when the whole caption is too long for one: a wrap
    // inside "https://" would make it unreadable.
    const QString invite = label3_->text();
    const QString site = QString::fromStdString(adresse_site());
    label3_->setText(invite + " " + site);
    if (label3_->fontMetrics().horizontalAdvance(label3_->text()) > label3_->width()) {
        label3_->setText(invite + "\n" + site);
    }
    // One line, widened if the font at hand is wider than the design's Arial: a link is never cut.
    label2_->resize(std::max(label2_->width(), label2_->sizeHint().width()), label2_->height());

    image2_->setPixmap(QPixmap::fromImage(image_a_propos()));
}

void About::signale_echec(const std::string& adresse) {
    auto* message = new QMessageBox(QMessageBox::Warning, QStringLiteral("A Propos..."),
                                    QString::fromUtf8("Impossible d'ouvrir cette page : aucun navigateur "
                                                      "n'a pu l'afficher.\n\nSon adresse, à copier :\n") +
                                        QString::fromStdString(adresse),
                                    QMessageBox::Ok, this);
    message->setObjectName(QStringLiteral("EchecLien"));
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
}

void About::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // "Retour" has the focus from the start, so Enter closes the box as Escape does.
    command1_->setFocus(Qt::OtherFocusReason);
}

QLabel* About::label1(int indice) const {
    return indice >= 0 && indice < 3 ? label1_[indice] : nullptr;
}

std::string About::adresse_contact() const {
    return orbitel::adresse_contact(page_contact(), version_);
}

void About::retour() {
    accept();
    if (parentWidget() != nullptr) {
        parentWidget()->window()->show();
    }
}

void montre_a_propos(QWidget& fenetre, Navigateur& navigateur, const VersionProgramme& version) {
    About boite(navigateur, &fenetre, version);
    boite.exec();
}

} // namespace orbitel
