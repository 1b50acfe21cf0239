#pragma once
// The INI file of the settings store written as one unit: every key of the new content goes into
// one temporary file (QSaveFile) that is renamed over the old file, under the lock QSettings also
// takes. A process killed at any moment leaves the old file or the new one, never a mixture.
#include <QByteArray>
#include <QMap>
#include <QString>

#include <functional>
#include <optional>

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

// Replaces the keys of one section by `valeurs` (other sections and keys are kept) and writes the
// whole file as one unit. nullopt once the new file is in place; otherwise the file is untouched
// and the reason is told in French from the system's error ("disque plein", "lecture seule"...).
std::optional<EchecEcriture> remplace_section_ini(const QString& chemin, const QString& section,
                                                  const ValeursSection& valeurs,
                                                  const PanneEcriture& panne = {});

// Removes what an interrupted save of `chemin` left behind: the lock only when QLockFile finds
// its owner dead, and the temporary files of the save's own name pattern (orbitel.ini.XXXXXX)
// only while this process holds the lock, since a running writer may still be filling them.
void nettoie_restes_enregistrement(const QString& chemin);

// The system's error number as a French reason for the user.
std::string raison_erreur_systeme(int numero);

} // namespace orbitel
