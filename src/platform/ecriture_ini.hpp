#pragma once
// The INI file of the settings store written as one unit: every key of the new content goes into
// one temporary file that is renamed over the old file only once all of it is on the disk, under
// the lock QSettings also takes. A process killed at any moment, or a disk that fills up, leaves
// the old file or the new one, never a mixture and never an empty file.
#include <QByteArray>
#include <QMap>
#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <sys/types.h>

#include "clock/reglages.hpp"

namespace orbitel {

// The texts of an INI file, by section then key; the section "" holds the keys outside any
// section (QSettings' [General]).
using ContenuIni = QMap<QString, QMap<QString, QString>>;

// Every key of the file at `chemin` as the store reads it (a list written with bare commas comes
// back joined with commas, as MagasinIni::lit gives it). An absent file is empty.
ContenuIni lit_contenu_ini(const QString& chemin);

// The file text QSettings' IniFormat writes for this content, with its escapes and quotes, so that
// QSettings (this version or an older one) reads back exactly these texts.
QByteArray texte_ini(const ContenuIni& contenu);

// The steps of a save, in order. Tests make each of them fail in turn.
enum class EtapeEcriture { dossier, verrou, lecture, ouverture, ecriture, validation };

// Told before each step; a non-zero result makes that step fail with that system error number
// (ENOSPC, EACCES...), as the system would.
using PanneEcriture = std::function<int(EtapeEcriture)>;

// The system calls by which the settings file is read and written, and the lock's waiting times.
// Tests replace a call to make it fail (or write less than asked, or be interrupted) exactly as
// the system can, setting errno and returning -1.
struct AppelsSysteme {
    std::function<int(const char* chemin, int drapeaux, mode_t mode)> ouvre;
    std::function<ssize_t(int fd, void* octets, std::size_t n)> lit;
    std::function<ssize_t(int fd, const void* octets, std::size_t n)> ecrit;
    std::function<int(int fd)> synchronise; // fdatasync
    std::function<int(int fd)> ferme;       // close, where network file systems report late errors
    std::function<int(const char* de, const char* vers)> renomme;
    std::function<int(const char* chemin)> supprime;
    // How long a lock whose owner is alive is waited for before the save gives up.
    std::chrono::milliseconds attente_verrou{5000};
    // A lock file without a readable owner is taken as stale once older than this: its creator
    // fills it within microseconds of making it, unless it died in between.
    std::chrono::milliseconds age_verrou_sans_proprietaire{2000};

    AppelsSysteme(); // the real calls
};

// Replaces the keys of one section by `valeurs` (other sections and keys are kept) and writes the
// whole file as one unit. nullopt once the new file is in place; otherwise the file is untouched,
// no temporary file is left, and the reason is told in French from the system's error ("disque
// plein", "lecture seule"...). A file that exists but cannot be read is kept unless `si_illisible`
// says otherwise; the failure then has `fichier_illisible` set.
std::optional<EchecEcriture> remplace_section_ini(const QString& chemin, const QString& section,
                                                  const ValeursSection& valeurs,
                                                  SiIllisible si_illisible = SiIllisible::garde,
                                                  const PanneEcriture& panne = {},
                                                  const AppelsSysteme& systeme = {});

// Why the file at `chemin`, which exists, cannot be read; nullopt when it reads, or is absent.
std::optional<EchecEcriture> lecture_impossible_ini(const QString& chemin, const AppelsSysteme& systeme = {});

// Removes what an interrupted save of `chemin` left behind: the lock when its owner cannot be
// proven alive, and the temporary files of the save's own name pattern (orbitel.ini.XXXXXX) only
// while this process holds the lock, since a running writer may still be filling them.
void nettoie_restes_enregistrement(const QString& chemin, const AppelsSysteme& systeme = {});

// The system's error number as a French reason for the user.
std::string raison_erreur_systeme(int numero);

} // namespace orbitel
