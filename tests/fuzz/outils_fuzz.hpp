#pragma once
// What the harnesses check, shared: a failed check aborts, which libFuzzer and the replay report.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <string_view>

namespace orbitel::fuzz {

inline void exige(bool condition) {
    if (!condition) std::abort();
}

// A folder for the harness's files, in memory when the system has /dev/shm: every save ends in
// fsync, which a disk would make the slowest part of the run.
inline QTemporaryDir& dossier_temporaire() {
    static QTemporaryDir dossier(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                     ? QStringLiteral("/dev/shm/orbitel-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/orbitel-fuzz-XXXXXX"));
    return dossier;
}

inline bool utf8_valide(std::string_view t) {
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        std::size_t n = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, minimum = 0x80, code = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, minimum = 0x800, code = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, minimum = 0x10000, code = c & 0x07u;
        } else {
            return false;
        }
        if (i + n >= t.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto s = static_cast<unsigned char>(t[i + k]);
            if ((s & 0xC0) != 0x80) return false;
            code = (code << 6) | (s & 0x3Fu);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// "nan" or "inf" as a word of its own, in any letter case: a number that could not be written.
inline bool nan_ou_inf(std::string_view t) {
    const auto lettre = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto minuscule = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i + 3 <= t.size(); ++i) {
        const char m[3] = {minuscule(t[i]), minuscule(t[i + 1]), minuscule(t[i + 2])};
        const bool mot =
            (m[0] == 'n' && m[1] == 'a' && m[2] == 'n') || (m[0] == 'i' && m[1] == 'n' && m[2] == 'f');
        if (mot && (i == 0 || !lettre(t[i - 1])) && (i + 3 == t.size() || !lettre(t[i + 3]))) return true;
    }
    return false;
}

inline std::size_t lignes(std::string_view t) {
    std::size_t n = 0;
    for (const char c : t)
        n += c == '\n';
    return n;
}

} // namespace orbitel::fuzz
