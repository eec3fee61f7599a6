// Build tool: turns the theme list and the shared style sheet into the skin
// table, a C++ source with one constant block per skin in the skin engine's
// format, each exactly as long as its line asks.
//
//   make_skin_table THEMES STYLE_TEMPLATE OUTPUT

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb parseColour(const std::string& text) {
    unsigned value = 0;
    if (text.size() != 7 || text[0] != '#' || std::sscanf(text.c_str() + 1, "%6x", &value) != 1)
        throw std::runtime_error("bad colour " + text);
    return {double((value >> 16) & 0xFF), double((value >> 8) & 0xFF), double(value & 0xFF)};
}

std::string hex(const Rgb& c) {
    auto channel = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    char out[8];
    std::snprintf(out, sizeof out, "#%02x%02x%02x", channel(c.r), channel(c.g), channel(c.b));
    return out;
}

// `t` of the way from a to b.
Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double luminance(const Rgb& c) {
    return (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) / 255.0;
}

const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

struct Theme {
    int number = 0;
    std::size_t length = 0;
    std::string name;
    Rgb window, text, accent, button, frame;
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The description of one skin: its colours as palette entries, then the
// style sheet with the theme's colours filled in.
std::string describe(const Theme& t, const std::string& styleTemplate) {
    const bool dark = luminance(t.window) < 0.5;
    const Rgb base = dark ? mix(t.window, kBlack, 0.25) : mix(t.window, kWhite, 0.8);
    const Rgb disabledText = mix(t.text, t.window, 0.55);
    const Rgb highlightedText = luminance(t.accent) < 0.6 ? kWhite : kBlack;
    const Rgb title = dark ? t.accent : mix(t.accent, t.text, 0.25);
    const std::map<std::string, Rgb> palette = {
        {"Window", t.window},
        {"WindowText", t.text},
        {"Base", base},
        {"AlternateBase", mix(base, t.window, 0.5)},
        {"Text", t.text},
        {"Button", t.window},
        {"ButtonText", t.text},
        {"Highlight", t.accent},
        {"HighlightedText", highlightedText},
        {"ToolTipBase", base},
        {"ToolTipText", t.text},
        {"PlaceholderText", disabledText},
        {"Light", mix(t.window, kWhite, 0.7)},
        {"Midlight", mix(t.window, kWhite, 0.35)},
        {"Mid", mix(t.window, t.frame, 0.6)},
        {"Dark", t.frame},
        {"Shadow", mix(t.frame, kBlack, 0.5)},
        {"Link", t.accent},
    };
    std::ostringstream out;
    out << "name=" << t.name << "\nstyle=Fusion\n";
    for (const auto& [role, colour] : palette)
        out << "palette." << role << '=' << hex(colour) << '\n';
    for (const char* role : {"WindowText", "Text", "ButtonText"})
        out << "disabled." << role << '=' << hex(disabledText) << '\n';
    out << pexor::skinformat::kStyleSheetMarker << '\n';

    const std::map<std::string, Rgb> fills = {
        {"@window@", t.window},
        {"@text@", t.text},
        {"@accent@", t.accent},
        {"@button@", t.button},
        {"@buttonTop@", mix(t.button, kWhite, dark ? 0.12 : 0.6)},
        {"@buttonHover@", mix(t.button, t.accent, 0.18)},
        {"@buttonPressed@", mix(t.button, t.accent, 0.32)},
        {"@frame@", t.frame},
        {"@base@", base},
        {"@disabledText@", disabledText},
        {"@title@", title},
    };
    std::string sheet = styleTemplate;
    for (const auto& [key, colour] : fills) sheet = replaceAll(sheet, key, hex(colour));
    if (sheet.find('@') != std::string::npos)
        throw std::runtime_error("style template has an unknown @name@");
    out << sheet;
    return out.str();
}

void putLe32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

// A C++ string literal of the bytes, in lines. Every byte outside printable
// ASCII is a three-digit octal escape, so no escape runs into the next byte.
std::string literal(const std::string& bytes) {
    std::string out = "    \"";
    std::size_t column = 0;
    for (const unsigned char c : bytes) {
        if (c == '\n' || column >= 96) {
            if (c == '\n') out += "\\n";
            out += "\"\n    \"";
            column = 0;
            if (c == '\n') continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {
            out += char(c);
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            out += esc;
        }
        ++column;
    }
    out += "\"";
    return out;
}

std::string readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<Theme> readThemes(const char* path) {
    std::istringstream in(readAll(path));
    std::vector<Theme> themes;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Theme t;
        std::string window, text, accent, button, frame;
        if (!(fields >> t.number >> t.length >> t.name >> window >> text >> accent >> button >>
              frame))
            throw std::runtime_error("bad theme line: " + line);
        t.window = parseColour(window);
        t.text = parseColour(text);
        t.accent = parseColour(accent);
        t.button = parseColour(button);
        t.frame = parseColour(frame);
        if (t.number != int(themes.size()) + 1)
            throw std::runtime_error("themes must be numbered 1, 2, ... in order");
        themes.push_back(t);
    }
    return themes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make_skin_table THEMES STYLE_TEMPLATE OUTPUT\n";
        return 2;
    }
    try {
        const std::vector<Theme> themes = readThemes(argv[1]);
        const std::string styleTemplate = readAll(argv[2]);
        std::ostringstream out;
        out << "// Made by make_skin_table from resources/skins; do not edit.\n"
               "#include \"skin/skin_resources.h\"\n\n"
               "namespace pexor::resources {\nnamespace {\n\n";
        for (const Theme& t : themes) {
            const std::string description = describe(t, styleTemplate);
            std::string head(pexor::skinformat::kMagic, sizeof pexor::skinformat::kMagic);
            putLe32(head, pexor::skinformat::kVersion);
            putLe32(head, std::uint32_t(description.size()));
            // The rest of the array, up to the skin's length, is zero: the
            // format's padding. The literal's own terminator must fit too.
            if (head.size() + description.size() + 1 > t.length)
                throw std::runtime_error("skin " + t.name + " is longer than its length");
            out << "// " << t.number << ": " << t.name << "\n"
                << "const unsigned char kSkin" << t.number << '[' << t.length << "] =\n"
                << literal(head + description) << ";\n\n";
        }
        out << "}  // namespace\n\n"
               "std::span<const std::uint8_t> skinTable(int number) {\n"
               "    switch (number) {\n";
        for (const Theme& t : themes)
            out << "        case " << t.number << ": return kSkin" << t.number << ";\n";
        out << "        default: return {};\n    }\n}\n\n}  // namespace pexor::resources\n";
        if (int(themes.size()) != 33) throw std::runtime_error("the table holds 33 skins");
        std::ofstream file(argv[3], std::ios::binary);
        file << out.str();
        if (!file) throw std::runtime_error(std::string("cannot write ") + argv[3]);
    } catch (const std::exception& e) {
        std::cerr << "make_skin_table: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
