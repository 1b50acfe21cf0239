// Whether the window has a display to open on, before Qt is asked to find one.
#include "platform/affichage.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace orbitel;

TEST(Affichage, UnServeurDAffichageManqueSeulementPourXcbEtWayland) {
    struct Cas {
        const char* plateforme;
        const char* display;
        const char* wayland;
        bool absent;
    };
    for (const Cas& c :
         {Cas{"", nullptr, nullptr, true}, Cas{"", "", "", true}, Cas{"xcb", nullptr, nullptr, true},
          Cas{"wayland", nullptr, nullptr, true}, Cas{"wayland-egl", nullptr, nullptr, true},
          Cas{"wayland;xcb", nullptr, nullptr, true}, Cas{"xcb:nomitshm", nullptr, nullptr, true},
          Cas{"", ":0", nullptr, false}, Cas{"", nullptr, "wayland-0", false},
          Cas{"xcb", ":0", nullptr, false}, Cas{"wayland", nullptr, "wayland-0", false},
          Cas{"offscreen", nullptr, nullptr, false}, Cas{"minimal", nullptr, nullptr, false},
          Cas{"vnc:size=640x480", nullptr, nullptr, false}, Cas{"xcb;offscreen", nullptr, nullptr, false}})
        EXPECT_EQ(affichage_absent(c.plateforme, c.display, c.wayland), c.absent)
            << c.plateforme << " DISPLAY=" << (c.display ? c.display : "(unset)")
            << " WAYLAND_DISPLAY=" << (c.wayland ? c.wayland : "(unset)");
}

TEST(Affichage, LaLigneDeCommandePasseAvantLaVariable) {
    struct Cas {
        std::vector<const char*> argv;
        const char* variable;
        const char* plateforme;
    };
    for (const Cas& c :
         {Cas{{"orbitel"}, nullptr, ""}, Cas{{"orbitel"}, "offscreen", "offscreen"},
          Cas{{"orbitel", "-platform", "offscreen"}, "xcb", "offscreen"},
          Cas{{"orbitel", "--platform", "minimal"}, nullptr, "minimal"},
          Cas{{"orbitel", "--platform", "vnc"}, "xcb", "vnc"}, Cas{{"orbitel", "-platform"}, "xcb", "xcb"}}) {
        EXPECT_EQ(plateforme_demandee(static_cast<int>(c.argv.size()), c.argv.data(), c.variable),
                  c.plateforme)
            << c.plateforme;
    }
}

TEST(Affichage, MessagesEnFrancaisSurUneLigne) {
    for (const std::string& m : {message_sans_affichage(), message_affichage_injoignable()}) {
        EXPECT_EQ(m.rfind("orbitel : ", 0), 0u) << m;
        EXPECT_EQ(m.find('\n'), std::string::npos) << m;
        EXPECT_NE(m.find("écran"), std::string::npos) << m;
    }
    EXPECT_NE(message_sans_affichage().find("DISPLAY"), std::string::npos);
}
