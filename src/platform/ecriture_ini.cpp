#include "platform/ecriture_ini.hpp"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace orbitel {

namespace {

bool chiffre_hexa(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A key or section name as QSettings writes it: letters, digits and _-. as they are, '/' as '\',
// anything else as %XX or %UXXXX.
void cle_echappee(const QString& cle, QByteArray& sortie) {
    static constexpr char hexa[] = "0123456789ABCDEF";
    for (const QChar qc : cle) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            sortie += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '-' || c == '.') {
            sortie += static_cast<char>(c);
        } else if (c <= 0xFF) {
            sortie += '%';
            sortie += hexa[c / 16];
            sortie += hexa[c % 16];
        } else {
            sortie += "%U";
            for (int decalage = 12; decalage >= 0; decalage -= 4)
                sortie += hexa[(c >> decalage) & 0xF];
        }
    }
}

// A text value as QSettings writes a string: a leading '@' doubled (so that it is not taken for a
// typed value), control characters escaped, and the whole quoted when it holds ; , = or starts or
// ends with a blank (unquoted, a comma would make a list of it).
void valeur_echappee(const QString& texte, QByteArray& sortie) {
    // A NUL would cut the text when read back: such a text is wrapped as QSettings does.
    const QString s = texte.contains(QChar(0)) ? QStringLiteral("@String(") + texte + QLatin1Char(')')
                      : texte.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + texte
                                                           : texte;
    QByteArray v;
    bool guillemets = false;
    bool echapper_chiffre = false; // after \x.. or \0 a hex digit would be read as part of it
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c == ';' || c == ',' || c == '=') guillemets = true;
        if (echapper_chiffre && chiffre_hexa(c)) {
            v += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        echapper_chiffre = false;
        switch (c) {
        case 0:
            v += "\\0";
            echapper_chiffre = true;
            break;
        case '\a':
            v += "\\a";
            break;
        case '\b':
            v += "\\b";
            break;
        case '\f':
            v += "\\f";
            break;
        case '\n':
            v += "\\n";
            break;
        case '\r':
            v += "\\r";
            break;
        case '\t':
            v += "\\t";
            break;
        case '\v':
            v += "\\v";
            break;
        case '"':
        case '\\':
            v += '\\';
            v += static_cast<char>(c);
            break;
        default:
            if (c <= 0x1F) {
                v += "\\x" + QByteArray::number(c, 16);
                echapper_chiffre = true;
            } else if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
                v += s.mid(i, 2).toUtf8();
                ++i;
            } else if (QChar::isSurrogate(c)) {
                // Alone, it has no UTF-8 form; escaped, it is read back as it was.
                v += "\\x" + QByteArray::number(c, 16);
                echapper_chiffre = true;
            } else {
                v += QString(QChar(c)).toUtf8();
            }
        }
    }
    if (guillemets || (!v.isEmpty() && (v.front() == ' ' || v.back() == ' '))) {
        sortie += '"' + v + '"';
    } else {
        sortie += v;
    }
}

EchecEcriture echec(const QString& chemin, int numero) {
    return {QDir::toNativeSeparators(chemin).toStdString(), raison_erreur_systeme(numero)};
}

// The error of a failed QSaveFile step: errno when the system left one, else Qt's category.
int numero_erreur(const QSaveFile& f, int numero) {
    if (numero != 0) return numero;
    if (f.error() == QFileDevice::ResourceError) return ENOSPC;
    if (f.error() == QFileDevice::PermissionsError) return EACCES;
    return EIO;
}

// Why the configuration folder cannot be made: a file standing on its path, or errno.
int raison_dossier(const QString& dossier, int numero) {
    for (QString d = dossier; !d.isEmpty(); d = QFileInfo(d).path()) {
        const QFileInfo info(d);
        if (info.exists() && !info.isDir()) return ENOTDIR;
        if (info.exists() || d == QFileInfo(d).path()) break;
    }
    return numero != 0 ? numero : EACCES;
}

void synchronise_dossier(const QString& dossier) {
    // The rename lives in the folder: it is on the disk once the folder is.
    const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::string raison_erreur_systeme(int numero) {
    switch (numero) {
    case ENOSPC:
    case EDQUOT:
        return "disque plein";
    case EROFS:
        return "disque en lecture seule";
    case EACCES:
    case EPERM:
        return "accès refusé (fichier ou dossier en lecture seule)";
    case EISDIR:
        return "un dossier porte le nom du fichier";
    case ENOTDIR:
        return "le dossier de configuration est un fichier";
    case ENOENT:
        return "dossier introuvable";
    case EIO:
        return "erreur d'entrée-sortie du disque";
    case EWOULDBLOCK:
        return "le fichier est verrouillé par un autre programme";
    default:
        return "erreur système " + std::to_string(numero) + " (" + std::strerror(numero) + ")";
    }
}

ContenuIni lit_contenu_ini(const QString& chemin) {
    ContenuIni contenu;
    if (!QFileInfo(chemin).isFile()) return contenu;
    QSettings reglages(chemin, QSettings::IniFormat);
    for (const QString& nom : reglages.allKeys()) {
        // A key with an empty part (a hand-written "/Lat0" or "a//b") cannot be asked for by its
        // name, QSettings answering with another key's value: it is nobody's and is not kept.
        if (nom.startsWith(QLatin1Char('/')) || nom.endsWith(QLatin1Char('/')) ||
            nom.contains(QStringLiteral("//")))
            continue;
        const QVariant v = reglages.value(nom);
        const QString texte =
            v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
        const qsizetype barre = nom.indexOf(QLatin1Char('/'));
        if (barre < 0) {
            contenu[QString()][nom] = texte;
        } else {
            contenu[nom.left(barre)][nom.mid(barre + 1)] = texte;
        }
    }
    return contenu;
}

QByteArray texte_ini(const ContenuIni& contenu) {
    QByteArray sortie;
    for (auto section = contenu.cbegin(); section != contenu.cend(); ++section) {
        if (section.value().isEmpty()) continue;
        if (!sortie.isEmpty()) sortie += '\n';
        const QString& nom = section.key();
        if (nom.isEmpty()) {
            sortie += "[General]";
        } else if (nom.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            // [General] holds the keys outside any section; a section of that name is marked.
            sortie += "[%" + nom.toLatin1() + ']';
        } else {
            sortie += '[';
            cle_echappee(nom, sortie);
            sortie += ']';
        }
        sortie += '\n';
        for (auto cle = section.value().cbegin(); cle != section.value().cend(); ++cle) {
            cle_echappee(cle.key(), sortie);
            sortie += '=';
            valeur_echappee(cle.value(), sortie);
            sortie += '\n';
        }
    }
    return sortie;
}

std::optional<EchecEcriture> remplace_section_ini(const QString& chemin, const QString& section,
                                                  const ValeursSection& valeurs, const PanneEcriture& panne) {
    // The number of the system error a test wants at this step, 0 for none.
    const auto panne_a = [&](EtapeEcriture e) { return panne ? panne(e) : 0; };
    const QString dossier = QFileInfo(chemin).absolutePath();

    if (const int n = panne_a(EtapeEcriture::dossier)) return echec(chemin, n);
    if (!QFileInfo(dossier).isDir()) {
        errno = 0;
        if (!QDir().mkpath(dossier)) return echec(chemin, raison_dossier(dossier, errno));
    }

    // The lock QSettings takes too: no other save of this file (another window, an older version)
    // runs between our reading and our replacing it. Its owner alive, we wait; dead, it is removed.
    if (const int n = panne_a(EtapeEcriture::verrou)) return echec(chemin, n);
    QLockFile verrou(chemin + QStringLiteral(".lock"));
    verrou.setStaleLockTime(0);
    errno = 0;
    if (!verrou.tryLock(5000)) {
        const int n = errno;
        if (verrou.error() == QLockFile::LockFailedError) return echec(chemin, EWOULDBLOCK);
        if (verrou.error() == QLockFile::PermissionError)
            return echec(chemin, n != 0 && n != EEXIST ? n : EACCES);
        return echec(chemin, n != 0 ? n : EIO);
    }

    if (const int n = panne_a(EtapeEcriture::lecture)) return echec(chemin, n);
    if (QFileInfo(chemin).isDir()) return echec(chemin, EISDIR);
    const QDateTime date_avant = QFileInfo(chemin).lastModified();
    ContenuIni contenu = lit_contenu_ini(chemin);
    for (const auto& [cle, valeur] : valeurs)
        contenu[section][QString::fromStdString(cle)] =
            QString::fromUtf8(valeur.data(), static_cast<qsizetype>(valeur.size()));
    const QByteArray octets = texte_ini(contenu);

    QSaveFile fichier(chemin);
    // Never write in place: a save that cannot make its temporary file fails instead.
    fichier.setDirectWriteFallback(false);
    if (const int n = panne_a(EtapeEcriture::ouverture)) return echec(chemin, n);
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly)) return echec(chemin, numero_erreur(fichier, errno));

    if (const int n = panne_a(EtapeEcriture::ecriture)) {
        fichier.cancelWriting();
        return echec(chemin, n);
    }
    errno = 0;
    if (fichier.write(octets) != octets.size()) {
        const int n = numero_erreur(fichier, errno);
        fichier.cancelWriting();
        return echec(chemin, n);
    }

    if (const int n = panne_a(EtapeEcriture::validation)) {
        fichier.cancelWriting();
        fichier.commit();
        return echec(chemin, n);
    }
    errno = 0;
    if (!fichier.commit()) return echec(chemin, numero_erreur(fichier, errno));
    // QSettings takes a file of the same size and date (to the millisecond) for the one it has
    // already read: the new file gets a later date than the old, even within one millisecond.
    if (date_avant.isValid() && QFileInfo(chemin).lastModified() <= date_avant) {
        QFile nouveau(chemin);
        if (nouveau.open(QIODevice::Append))
            nouveau.setFileTime(date_avant.addMSecs(1), QFileDevice::FileModificationTime);
    }
    synchronise_dossier(dossier);
    return std::nullopt;
}

void nettoie_restes_enregistrement(const QString& chemin) {
    const QFileInfo info(chemin);
    QLockFile verrou(chemin + QStringLiteral(".lock"));
    verrou.setStaleLockTime(0); // a lock is stale only when its owner is dead
    if (!verrou.tryLock(0)) return;
    // QSaveFile's temporary name: the file's name, a dot and six letters or digits.
    const QRegularExpression motif(QLatin1Char('^') + QRegularExpression::escape(info.fileName()) +
                                   QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    QDir dossier = info.absoluteDir();
    for (const QString& nom : dossier.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (motif.match(nom).hasMatch()) dossier.remove(nom);
    }
}

} // namespace orbitel
