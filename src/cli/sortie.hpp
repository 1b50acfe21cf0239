#pragma once
#include <cstdio>
#include <streambuf>
#include <string>

namespace orbitel {

// Standard output for orbitel-rapport: texts gathered in large blocks, then written to the file.
// A table of a million rows goes out block by block, never held whole.
class TamponFichier final : public std::streambuf {
public:
    explicit TamponFichier(std::FILE* fichier) : fichier_(fichier) {}
    ~TamponFichier() override { vide(); }

    // True while every byte written so far reached the file.
    bool reussi() const { return reussi_; }
    // The system's reason (errno) for the first write that failed, 0 while none did.
    int erreur() const { return erreur_; }

protected:
    std::streamsize xsputn(const char* texte, std::streamsize n) override;
    int_type overflow(int_type c) override;
    // Writes what is still gathered; fails (and so does the stream's flush) if a byte was lost.
    int sync() override;

private:
    void vide();
    void echoue();

    std::FILE* fichier_;
    std::string tampon_;
    bool reussi_ = true;
    int erreur_ = 0;
};

} // namespace orbitel
