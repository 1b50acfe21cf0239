#pragma once
#include <QString>
#include <QStringList>

#include <vector>

#include "platform/navigateur.hpp"

namespace orbitel {

// The user's browser. Where an opener can be named (Linux and the other Unix desktops), it is run
// and watched: xdg-open where it is on the path, else the commands of the BROWSER variable in turn
// until one succeeds. An opener that cannot start, or that ends with a non-zero status within 30 s,
// fails; after 30 s it has handed the page to a browser that runs on its own. With no opener to run,
// the desktop's URL handler, which cannot tell whether the browser came up.
class NavigateurSysteme final : public Navigateur {
public:
    void ouvre(const std::string& url) override;
    void ouvre_ou_signale(const std::string& url, std::function<void()> echec) override;
};

// The commands that may open `adresse`, each as program then arguments, to be tried in turn:
// `xdg_open` alone when it is not empty, else each command of `browser`, the BROWSER variable's
// value: commands separated by ':', "%s" standing for the address (which is otherwise added as the
// last argument) and "%%" for "%". Empty when there is neither.
std::vector<QStringList> commandes_ouverture(const QString& xdg_open, const QString& browser,
                                             const QString& adresse);

} // namespace orbitel
