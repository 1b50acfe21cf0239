#include "platform/ecriture_ini.hpp"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

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

// The file exists but cannot be read.
EchecEcriture echec_lecture(const QString& chemin, int numero) {
    EchecEcriture e = echec(chemin, numero);
    if (numero == EACCES || numero == EPERM) e.raison = "lecture refusée par les droits du fichier";
    e.fichier_illisible = true;
    return e;
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

// errno, never 0: a call that failed without saying why is an input-output error.
int erreur_systeme() {
    return errno != 0 ? errno : EIO;
}

// The whole file at `chemin` through the given calls: its bytes, or the system's error number
// (ENOENT when there is no file).
struct Lecture {
    QByteArray octets;
    int erreur = 0;
};

Lecture lit_fichier(const QByteArray& chemin, const AppelsSysteme& systeme) {
    Lecture l;
    errno = 0;
    const int fd = systeme.ouvre(chemin.constData(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) {
        l.erreur = erreur_systeme();
        return l;
    }
    char tampon[8192];
    for (;;) {
        errno = 0;
        const ssize_t n = systeme.lit(fd, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            l.erreur = erreur_systeme();
            break;
        }
        if (n == 0) break;
        l.octets.append(tampon, n);
    }
    systeme.ferme(fd);
    return l;
}

// Writes all `n` bytes, through short writes and interruptions; 0 or the system's error number.
int ecrit_tout(int fd, const char* octets, std::size_t n, const AppelsSysteme& systeme) {
    while (n > 0) {
        errno = 0;
        const ssize_t fait = systeme.ecrit(fd, octets, n);
        if (fait < 0 && errno == EINTR) continue;
        if (fait < 0) return erreur_systeme();
        // A write that takes nothing would be asked again for ever: the disk has no room left.
        if (fait == 0) return ENOSPC;
        octets += fait;
        n -= static_cast<std::size_t>(fait);
    }
    return 0;
}

int synchronise_tout(int fd, const AppelsSysteme& systeme) {
    for (;;) {
        errno = 0;
        if (systeme.synchronise(fd) == 0) return 0;
        if (errno != EINTR) return erreur_systeme();
    }
}

int ferme_verifie(int fd, const AppelsSysteme& systeme) {
    errno = 0;
    // Linux releases the descriptor even when close is interrupted, and the data was synchronised
    // before: an interruption loses nothing, and closing again could close another file.
    if (systeme.ferme(fd) == 0 || errno == EINTR) return 0;
    return erreur_systeme();
}

// The file a save replaces: the target of a symbolic link (a settings folder kept elsewhere and
// linked in), so that the link stays and the file it points to is the one renewed.
QString fichier_final(const QString& chemin) {
    QFileInfo info(chemin);
    for (int niveaux = 0; niveaux < 16 && info.isSymLink(); ++niveaux)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

// A new file of QSaveFile's name pattern beside `final` (orbitel.ini.XXXXXX), made for this save
// only: the descriptor, or -1 with errno.
int cree_temporaire(const QString& final, mode_t mode, const AppelsSysteme& systeme, QByteArray& nom) {
    static constexpr char lettres[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int essai = 0; essai < 100; ++essai) {
        nom = QFile::encodeName(final) + '.';
        for (int i = 0; i < 6; ++i)
            nom += lettres[QRandomGenerator::global()->bounded(static_cast<int>(sizeof lettres - 1))];
        errno = 0;
        const int fd = systeme.ouvre(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// ---- The lock -------------------------------------------------------------------------------

bool processus_vivant(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes the lock at `chemin` when nobody can be shown to own it: no process holds it, and it
// names no living process of this machine (it is empty, unreadable, of another machine, or of a
// process that died). An empty or unreadable lock is left for `age_sans_proprietaire`, the moment
// in which its creator, if alive, fills it. True when the lock is gone, by our hand or another's.
// QLockFile holds flock on its lock from just after making it until it lets it go, and writes its
// process id, program and machine in it.
bool enleve_verrou_abandonne(const QString& chemin, std::chrono::milliseconds age_sans_proprietaire) {
    const QByteArray nom = QFile::encodeName(chemin);
    const auto assez_ancien = [&](const struct stat& etat) {
        const qint64 age = QDateTime::currentMSecsSinceEpoch() -
                           (static_cast<qint64>(etat.st_mtim.tv_sec) * 1000 + etat.st_mtim.tv_nsec / 1000000);
        // A date in the future (a clock set back) counts as far from now as well.
        return std::abs(age) > age_sans_proprietaire.count();
    };
    const int fd = ::open(nom.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT) return true;
        // Unreadable: its owner cannot be read from it, and cannot be asked through flock either.
        struct stat etat {};
        if (::lstat(nom.constData(), &etat) != 0) return errno == ENOENT;
        if (!S_ISREG(etat.st_mode) || !assez_ancien(etat)) return false;
        return ::unlink(nom.constData()) == 0 || errno == ENOENT;
    }
    // Only flock, never fcntl: closing any descriptor of a file drops every fcntl lock the process
    // holds on it, among them a lock a QLockFile of this very process may hold.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false; // held by a living process, maybe still writing its id
    }
    bool abandonne = true;
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        abandonne = false; // not a lock we know how to judge
    } else {
        qint64 pid = 0;
        QString hote, application;
        QLockFile lecteur(chemin);
        if (lecteur.getLockInfo(&pid, &hote, &application) && pid > 0) {
            const bool cette_machine = hote.isEmpty() || hote == QSysInfo::machineHostName();
            if (cette_machine && processus_vivant(pid)) abandonne = false;
        } else if (!assez_ancien(etat)) {
            abandonne = false;
        }
    }
    bool enleve = false;
    if (abandonne) {
        // Still the file we judged: another save may have removed it and made its own meanwhile.
        struct stat present {};
        if (::stat(nom.constData(), &present) != 0) {
            enleve = errno == ENOENT;
        } else if (present.st_dev == etat.st_dev && present.st_ino == etat.st_ino) {
            enleve = ::unlink(nom.constData()) == 0 || errno == ENOENT;
        }
    }
    ::close(fd);
    return enleve;
}

// Takes the lock of `chemin` (chemin.lock, as QLockFile and QSettings make it): a living owner is
// waited for up to `attente`, an abandoned lock is taken over. 0, or the system error number that
// tells why not (EWOULDBLOCK for a lock still held).
int prend_verrou(QLockFile& verrou, const QString& chemin_verrou, std::chrono::milliseconds attente,
                 std::chrono::milliseconds age_sans_proprietaire) {
    // QLockFile itself removes a lock whose process it knows dead; an empty lock it would keep for
    // ever, so stale locks are judged here too.
    verrou.setStaleLockTime(0);
    const auto fin = std::chrono::steady_clock::now() + attente;
    for (;;) {
        errno = 0;
        if (verrou.tryLock(0)) return 0;
        const int n = errno;
        if (verrou.error() == QLockFile::PermissionError) return n != 0 && n != EEXIST ? n : EACCES;
        if (verrou.error() != QLockFile::LockFailedError) return n != 0 ? n : EIO;
        if (enleve_verrou_abandonne(chemin_verrou, age_sans_proprietaire)) continue;
        if (std::chrono::steady_clock::now() >= fin) return EWOULDBLOCK;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace

std::string raison_erreur_systeme(int numero) {
    switch (numero) {
    case ENOSPC:
        return "disque plein";
    case EDQUOT:
        return "quota de disque dépassé";
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

AppelsSysteme::AppelsSysteme()
    : ouvre([](const char* chemin, int drapeaux, mode_t mode) { return ::open(chemin, drapeaux, mode); }),
      lit(::read), ecrit(::write), synchronise(::fdatasync), ferme(::close), renomme(::rename),
      supprime(::unlink) {}

std::optional<EchecEcriture> lecture_impossible_ini(const QString& chemin, const AppelsSysteme& systeme) {
    const Lecture l = lit_fichier(QFile::encodeName(chemin), systeme);
    if (l.erreur == 0 || l.erreur == ENOENT) return std::nullopt;
    return echec_lecture(chemin, l.erreur);
}

std::optional<EchecEcriture> remplace_section_ini(const QString& chemin, const QString& section,
                                                  const ValeursSection& valeurs, SiIllisible si_illisible,
                                                  const PanneEcriture& panne, const AppelsSysteme& systeme) {
    // The number of the system error a test wants at this step, 0 for none.
    const auto panne_a = [&](EtapeEcriture e) { return panne ? panne(e) : 0; };
    const QString final = fichier_final(chemin);
    const QString dossier = QFileInfo(final).absolutePath();

    if (const int n = panne_a(EtapeEcriture::dossier)) return echec(chemin, n);
    if (!QFileInfo(dossier).isDir()) {
        errno = 0;
        if (!QDir().mkpath(dossier)) return echec(chemin, raison_dossier(dossier, errno));
    }

    // The lock QSettings takes too: no other save of this file (another window, an older version)
    // runs between our reading and our replacing it. Its owner alive, we wait; else it is taken.
    if (const int n = panne_a(EtapeEcriture::verrou)) return echec(chemin, n);
    QLockFile verrou(chemin + QStringLiteral(".lock"));
    if (const int n = prend_verrou(verrou, chemin + QStringLiteral(".lock"), systeme.attente_verrou,
                                   systeme.age_verrou_sans_proprietaire))
        return echec(chemin, n);

    if (const int n = panne_a(EtapeEcriture::lecture)) return echec(chemin, n);
    const QFileInfo ancien(final);
    if (ancien.isDir()) return echec(chemin, EISDIR);
    // A file the user cannot write stays as it is, as a text editor would leave it.
    if (ancien.exists() && ::access(QFile::encodeName(final).constData(), W_OK) != 0)
        return echec(chemin, erreur_systeme());
    // The other sections come from the old file: one that exists but cannot be read would lose
    // them all, so it is replaced only when the user said so.
    const Lecture lecture = lit_fichier(QFile::encodeName(final), systeme);
    if (lecture.erreur != 0 && lecture.erreur != ENOENT && si_illisible == SiIllisible::garde)
        return echec_lecture(chemin, lecture.erreur);
    const bool lisible = lecture.erreur == 0;
    struct stat etat_ancien {};
    const bool existe = ::stat(QFile::encodeName(final).constData(), &etat_ancien) == 0;
    ContenuIni contenu = lisible ? lit_contenu_ini(final) : ContenuIni{};
    for (const auto& [cle, valeur] : valeurs)
        contenu[section][QString::fromStdString(cle)] =
            QString::fromUtf8(valeur.data(), static_cast<qsizetype>(valeur.size()));
    const QByteArray octets = texte_ini(contenu);

    if (const int n = panne_a(EtapeEcriture::ouverture)) return echec(chemin, n);
    QByteArray temporaire;
    const int fd = cree_temporaire(final, existe ? S_IRUSR | S_IWUSR : 0666, systeme, temporaire);
    if (fd < 0) return echec(chemin, erreur_systeme());
    if (existe) {
        // The new file keeps the old one's permissions, readable and writable by its owner at least
        // (a file replaced because it could not be read must not stay so).
        ::fchmod(fd, (etat_ancien.st_mode & 07777) | S_IRUSR | S_IWUSR);
    }

    // From here a failure removes the temporary file: the old file has not been touched.
    bool ouvert = true;
    const auto abandonne = [&](int n) {
        if (ouvert) systeme.ferme(fd);
        systeme.supprime(temporaire.constData());
        return echec(chemin, n);
    };
    if (const int n = panne_a(EtapeEcriture::ecriture)) return abandonne(n);
    if (const int n = ecrit_tout(fd, octets.constData(), static_cast<std::size_t>(octets.size()), systeme))
        return abandonne(n);
    // QSettings takes a file of the same size and date (to the millisecond) for the one it has
    // already read: the new file gets a later date than the old, even within one millisecond.
    struct stat etat_nouveau {};
    if (existe && ::fstat(fd, &etat_nouveau) == 0 &&
        std::pair(etat_nouveau.st_mtim.tv_sec, etat_nouveau.st_mtim.tv_nsec / 1000000) <=
            std::pair(etat_ancien.st_mtim.tv_sec, etat_ancien.st_mtim.tv_nsec / 1000000)) {
        timespec dates[2] = {{0, UTIME_OMIT}, etat_ancien.st_mtim};
        dates[1].tv_nsec = dates[1].tv_nsec / 1000000 * 1000000 + 1000000;
        if (dates[1].tv_nsec >= 1000000000) {
            dates[1].tv_sec += 1;
            dates[1].tv_nsec -= 1000000000;
        }
        ::futimens(fd, dates);
    }
    if (const int n = synchronise_tout(fd, systeme)) return abandonne(n);
    ouvert = false;
    if (const int n = ferme_verifie(fd, systeme)) return abandonne(n);

    if (const int n = panne_a(EtapeEcriture::validation)) return abandonne(n);
    errno = 0;
    if (systeme.renomme(temporaire.constData(), QFile::encodeName(final).constData()) != 0)
        return abandonne(erreur_systeme());
    synchronise_dossier(dossier);
    return std::nullopt;
}

void nettoie_restes_enregistrement(const QString& chemin, const AppelsSysteme& systeme) {
    const QFileInfo info(chemin);
    QLockFile verrou(chemin + QStringLiteral(".lock"));
    if (prend_verrou(verrou, chemin + QStringLiteral(".lock"), std::chrono::milliseconds(0),
                     systeme.age_verrou_sans_proprietaire) != 0)
        return;
    // QSaveFile's temporary name: the file's name, a dot and six letters or digits.
    const QRegularExpression motif(QLatin1Char('^') + QRegularExpression::escape(info.fileName()) +
                                   QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    QDir dossier = info.absoluteDir();
    for (const QString& nom : dossier.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (motif.match(nom).hasMatch()) dossier.remove(nom);
    }
}

} // namespace orbitel
