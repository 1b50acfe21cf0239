#pragma once
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <string>
#include <string_view>

#include "platform/navigateur.hpp"

class QPushButton;

namespace orbitel {

// The program's own version numbers.
struct VersionProgramme {
    int majeur = 0;
    int mineur = 0;
    int revision = 0;
};

// The version this build was made with (the project version in CMake).
VersionProgramme version_programme();

// "Version: 2.5": the About box shows major and minor only.
std::string texte_version(const VersionProgramme& version);

// Percent-encoding of a query value: letters, digits and "-._~" are kept, every other byte of the
// UTF-8 text becomes %XX (a blank is %20, never "+").
std::string encode_pour_requete(std::string_view valeur);

// The contact page with its subject: page + "?sub=Orbitel%20V2.5.7" (or "&sub=..." when the page
// address already has a query).
std::string adresse_contact(std::string_view page_contact, const VersionProgramme& version);

// The addresses of the maker's two pages, chosen when the program is configured.
std::string adresse_site();
std::string page_contact();

// The 136 x 200 picture of the About box: a crescent Moon over a hill at night, drawn here so the
// program ships no image file.
QImage image_a_propos();

// A label that behaves as a link: it reports a click of the left button, or Enter or Space when it
// has the focus.
class LienTexte : public QLabel {
    Q_OBJECT
public:
    explicit LienTexte(QWidget* parent = nullptr);
    explicit LienTexte(const QString& texte, QWidget* parent = nullptr);

signals:
    void active();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The About box, "A Propos...": where the formulas come from, the version, the terms of
// distribution and two links to the maker's pages. Laid out at fixed positions like the main
// window; the form is apropos.ui. The links go through `navigateur`, which must outlive the dialog; they
// leave the dialog open, and one that cannot be opened brings a message with its address. "Retour", the
// default button, has the focus when the box opens and closes it.
class About : public QDialog {
    Q_OBJECT
public:
    // The icon (window icon and the links' mouse pointer) is the parent window's.
    explicit About(Navigateur& navigateur, QWidget* parent = nullptr,
                   const VersionProgramme& version = version_programme());

    // The controls under their design names, for the window's tests.
    QLabel* label1(int indice) const;             // 0: the formulas, 1: distribution, 2: version
    LienTexte* label2() const { return label2_; } // "Contacter l'Auteur"
    LienTexte* label3() const { return label3_; } // the home page
    QLabel* image2() const { return image2_; }
    QPushButton* command1() const { return command1_; } // "Retour"

    std::string adresse_contact() const;

    // A link that could not be opened: a message, over the box, with the address as selectable text.
    void signale_echec(const std::string& adresse);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The colours, fonts, pointers and picture the form file does not give, and the texts of the
    // build (the version and the site's address).
    void habille();
    void retour();

    Navigateur& navigateur_;
    VersionProgramme version_;
    QLabel* label1_[3] = {};
    LienTexte* label2_ = nullptr;
    LienTexte* label3_ = nullptr;
    QLabel* image2_ = nullptr;
    QPushButton* command1_ = nullptr;
};

// Shows the About box modally over `fenetre` and returns when it is closed. The caller gives the
// focus back to its own control afterwards.
void montre_a_propos(QWidget& fenetre, Navigateur& navigateur,
                     const VersionProgramme& version = version_programme());

} // namespace orbitel
