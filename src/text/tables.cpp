#include "text/tables.hpp"

namespace orbitel {

namespace {

class Csv final : public EcrivainTable {
public:
    std::string debut(std::span<const std::string_view> noms) override {
        std::string s;
        for (const std::string_view n : noms) {
            if (!s.empty()) s.push_back(',');
            s += n;
        }
        s.push_back('\n');
        return s;
    }
    std::string rangee(std::span<const std::string_view>, std::span<const Cellule> cellules) override {
        std::string s;
        for (std::size_t i = 0; i < cellules.size(); ++i) {
            if (i > 0) s.push_back(',');
            s += cellules[i].texte;
        }
        s.push_back('\n');
        return s;
    }
    std::string fin() override { return {}; }
};

class Json final : public EcrivainTable {
public:
    std::string debut(std::span<const std::string_view>) override { return "["; }
    std::string rangee(std::span<const std::string_view> noms, std::span<const Cellule> cellules) override {
        std::string s = premiere_ ? "\n{" : ",\n{";
        premiere_ = false;
        for (std::size_t i = 0; i < cellules.size(); ++i) {
            if (i > 0) s.push_back(',');
            s += '"';
            s += noms[i];
            s += "\":";
            const Cellule& c = cellules[i];
            if (c.texte.empty())
                s += "null";
            else if (c.nombre)
                s += c.texte;
            else
                s += '"' + c.texte + '"';
        }
        s.push_back('}');
        return s;
    }
    std::string fin() override { return premiere_ ? "]\n" : "\n]\n"; }

private:
    bool premiere_ = true;
};

class Texte final : public EcrivainTable {
public:
    explicit Texte(bool ligne_vide) : ligne_vide_(ligne_vide) {}
    std::string debut(std::span<const std::string_view>) override { return {}; }
    std::string rangee(std::span<const std::string_view>, std::span<const Cellule> cellules) override {
        std::string s;
        for (const Cellule& c : cellules)
            s += c.texte + '\n';
        if (ligne_vide_) s.push_back('\n');
        return s;
    }
    std::string fin() override { return {}; }

private:
    bool ligne_vide_;
};

class ICalendar final : public EcrivainTable {
public:
    ICalendar(std::string_view produit, std::string_view nom) : produit_(produit), nom_(nom) {}
    std::string debut(std::span<const std::string_view>) override {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:" + produit_ +
               "\r\nCALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:" + nom_ + "\r\n";
    }
    std::string rangee(std::span<const std::string_view> noms, std::span<const Cellule> cellules) override {
        std::string s = "BEGIN:VEVENT\r\n";
        for (std::size_t i = 0; i < cellules.size(); ++i) {
            s += noms[i];
            s += ':' + cellules[i].texte + "\r\n";
        }
        return s + "END:VEVENT\r\n";
    }
    std::string fin() override { return "END:VCALENDAR\r\n"; }

private:
    std::string produit_, nom_;
};

} // namespace

std::unique_ptr<EcrivainTable> ecrivain_csv() {
    return std::make_unique<Csv>();
}

std::unique_ptr<EcrivainTable> ecrivain_json() {
    return std::make_unique<Json>();
}

std::unique_ptr<EcrivainTable> ecrivain_texte(bool ligne_vide) {
    return std::make_unique<Texte>(ligne_vide);
}

std::unique_ptr<EcrivainTable> ecrivain_icalendar(std::string_view produit, std::string_view nom) {
    return std::make_unique<ICalendar>(produit, nom);
}

} // namespace orbitel
