#include "HtmlEntities.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entity {
    const char16_t* name;
    char32_t code;
};

// Sorted by name, code unit by code unit, for the binary search.
const Entity kEntities[] = {
    {u"AElig", 0xC6},    {u"Aacute", 0xC1},   {u"Abreve", 0x102},  {u"Acirc", 0xC2},
    {u"Agrave", 0xC0},   {u"Alpha", 0x391},   {u"Aogon", 0x104},   {u"Aring", 0xC5},
    {u"Atilde", 0xC3},   {u"Auml", 0xC4},     {u"Beta", 0x392},    {u"Cacute", 0x106},
    {u"Ccaron", 0x10C},  {u"Ccedil", 0xC7},   {u"Chi", 0x3A7},     {u"Dagger", 0x2021},
    {u"Dcaron", 0x10E},  {u"Delta", 0x394},   {u"ETH", 0xD0},      {u"Eacute", 0xC9},
    {u"Ecaron", 0x11A},  {u"Ecirc", 0xCA},    {u"Egrave", 0xC8},   {u"Eogon", 0x118},
    {u"Epsilon", 0x395}, {u"Eta", 0x397},     {u"Euml", 0xCB},     {u"Gamma", 0x393},
    {u"Gbreve", 0x11E},  {u"Iacute", 0xCD},   {u"Icirc", 0xCE},    {u"Idot", 0x130},
    {u"Igrave", 0xCC},   {u"Iota", 0x399},    {u"Iuml", 0xCF},     {u"Kappa", 0x39A},
    {u"Lacute", 0x139},  {u"Lambda", 0x39B},  {u"Lcaron", 0x13D},  {u"Lstrok", 0x141},
    {u"Mu", 0x39C},      {u"Nacute", 0x143},  {u"Ncaron", 0x147},  {u"Ntilde", 0xD1},
    {u"Nu", 0x39D},      {u"OElig", 0x152},   {u"Oacute", 0xD3},   {u"Ocirc", 0xD4},
    {u"Odblac", 0x150},  {u"Ograve", 0xD2},   {u"Omega", 0x3A9},   {u"Omicron", 0x39F},
    {u"Oslash", 0xD8},   {u"Otilde", 0xD5},   {u"Ouml", 0xD6},     {u"Phi", 0x3A6},
    {u"Pi", 0x3A0},      {u"Prime", 0x2033},  {u"Psi", 0x3A8},     {u"Racute", 0x154},
    {u"Rcaron", 0x158},  {u"Rho", 0x3A1},     {u"Sacute", 0x15A},  {u"Scaron", 0x160},
    {u"Scedil", 0x15E},  {u"Sigma", 0x3A3},   {u"THORN", 0xDE},    {u"Tau", 0x3A4},
    {u"Tcaron", 0x164},  {u"Tcedil", 0x162},  {u"Theta", 0x398},   {u"Uacute", 0xDA},
    {u"Ucirc", 0xDB},    {u"Udblac", 0x170},  {u"Ugrave", 0xD9},   {u"Upsilon", 0x3A5},
    {u"Uring", 0x16E},   {u"Uuml", 0xDC},     {u"Xi", 0x39E},      {u"Yacute", 0xDD},
    {u"Yuml", 0x178},    {u"Zacute", 0x179},  {u"Zcaron", 0x17D},  {u"Zdot", 0x17B},
    {u"Zeta", 0x396},    {u"aacute", 0xE1},   {u"abreve", 0x103},  {u"acirc", 0xE2},
    {u"acute", 0xB4},    {u"aelig", 0xE6},    {u"agrave", 0xE0},   {u"alpha", 0x3B1},
    {u"amp", 0x26},      {u"aogon", 0x105},   {u"apos", 0x27},     {u"aring", 0xE5},
    {u"asymp", 0x2248},  {u"atilde", 0xE3},   {u"auml", 0xE4},     {u"bdquo", 0x201E},
    {u"beta", 0x3B2},    {u"brvbar", 0xA6},   {u"bull", 0x2022},   {u"cacute", 0x107},
    {u"ccaron", 0x10D},  {u"ccedil", 0xE7},   {u"cedil", 0xB8},    {u"cent", 0xA2},
    {u"chi", 0x3C7},     {u"circ", 0x2C6},    {u"clubs", 0x2663},  {u"copy", 0xA9},
    {u"curren", 0xA4},   {u"dagger", 0x2020}, {u"darr", 0x2193},   {u"dcaron", 0x10F},
    {u"deg", 0xB0},      {u"delta", 0x3B4},   {u"diams", 0x2666},  {u"divide", 0xF7},
    {u"eacute", 0xE9},   {u"ecaron", 0x11B},  {u"ecirc", 0xEA},    {u"egrave", 0xE8},
    {u"emsp", 0x2003},   {u"ensp", 0x2002},   {u"eogon", 0x119},   {u"epsilon", 0x3B5},
    {u"eta", 0x3B7},     {u"eth", 0xF0},      {u"euml", 0xEB},     {u"euro", 0x20AC},
    {u"fnof", 0x192},    {u"frac12", 0xBD},   {u"frac14", 0xBC},   {u"frac34", 0xBE},
    {u"frasl", 0x2044},  {u"gamma", 0x3B3},   {u"gbreve", 0x11F},  {u"ge", 0x2265},
    {u"gt", 0x3E},       {u"hArr", 0x21D4},   {u"harr", 0x2194},   {u"hearts", 0x2665},
    {u"hellip", 0x2026}, {u"iacute", 0xED},   {u"icirc", 0xEE},    {u"iexcl", 0xA1},
    {u"igrave", 0xEC},   {u"imath", 0x131},   {u"infin", 0x221E},  {u"iota", 0x3B9},
    {u"iquest", 0xBF},   {u"iuml", 0xEF},     {u"kappa", 0x3BA},   {u"lArr", 0x21D0},
    {u"lacute", 0x13A},  {u"lambda", 0x3BB},  {u"laquo", 0xAB},    {u"larr", 0x2190},
    {u"lcaron", 0x13E},  {u"ldquo", 0x201C},  {u"le", 0x2264},     {u"loz", 0x25CA},
    {u"lrm", 0x200E},    {u"lsaquo", 0x2039}, {u"lsquo", 0x2018},  {u"lstrok", 0x142},
    {u"lt", 0x3C},       {u"macr", 0xAF},     {u"mdash", 0x2014},  {u"micro", 0xB5},
    {u"middot", 0xB7},   {u"minus", 0x2212},  {u"mu", 0x3BC},      {u"nacute", 0x144},
    {u"nbsp", 0xA0},     {u"ncaron", 0x148},  {u"ndash", 0x2013},  {u"ne", 0x2260},
    {u"not", 0xAC},      {u"ntilde", 0xF1},   {u"nu", 0x3BD},      {u"oacute", 0xF3},
    {u"ocirc", 0xF4},    {u"odblac", 0x151},  {u"oelig", 0x153},   {u"ograve", 0xF2},
    {u"oline", 0x203E},  {u"omega", 0x3C9},   {u"omicron", 0x3BF}, {u"ordf", 0xAA},
    {u"ordm", 0xBA},     {u"oslash", 0xF8},   {u"otilde", 0xF5},   {u"ouml", 0xF6},
    {u"para", 0xB6},     {u"part", 0x2202},   {u"permil", 0x2030}, {u"phi", 0x3C6},
    {u"pi", 0x3C0},      {u"plusmn", 0xB1},   {u"pound", 0xA3},    {u"prime", 0x2032},
    {u"prod", 0x220F},   {u"psi", 0x3C8},     {u"quot", 0x22},     {u"rArr", 0x21D2},
    {u"racute", 0x155},  {u"radic", 0x221A},  {u"raquo", 0xBB},    {u"rarr", 0x2192},
    {u"rcaron", 0x159},  {u"rdquo", 0x201D},  {u"reg", 0xAE},      {u"rho", 0x3C1},
    {u"rlm", 0x200F},    {u"rsaquo", 0x203A}, {u"rsquo", 0x2019},  {u"sacute", 0x15B},
    {u"sbquo", 0x201A},  {u"scaron", 0x161},  {u"scedil", 0x15F},  {u"sect", 0xA7},
    {u"shy", 0xAD},      {u"sigma", 0x3C3},   {u"sigmaf", 0x3C2},  {u"spades", 0x2660},
    {u"sum", 0x2211},    {u"sup1", 0xB9},     {u"sup2", 0xB2},     {u"sup3", 0xB3},
    {u"szlig", 0xDF},    {u"tau", 0x3C4},     {u"tcaron", 0x165},  {u"tcedil", 0x163},
    {u"theta", 0x3B8},   {u"thinsp", 0x2009}, {u"thorn", 0xFE},    {u"tilde", 0x2DC},
    {u"times", 0xD7},    {u"trade", 0x2122},  {u"uacute", 0xFA},   {u"uarr", 0x2191},
    {u"ucirc", 0xFB},    {u"udblac", 0x171},  {u"ugrave", 0xF9},   {u"uml", 0xA8},
    {u"upsilon", 0x3C5}, {u"uring", 0x16F},   {u"uuml", 0xFC},     {u"xi", 0x3BE},
    {u"yacute", 0xFD},   {u"yen", 0xA5},      {u"yuml", 0xFF},     {u"zacute", 0x17A},
    {u"zcaron", 0x17E},  {u"zdot", 0x17C},    {u"zeta", 0x3B6},    {u"zwj", 0x200D},
    {u"zwnj", 0x200C},
};

int Compare(QStringView a, const char16_t* b) {
    return a.compare(QStringView(b), Qt::CaseSensitive);
}

} // namespace

char32_t HtmlEntity(QStringView name) {
    const auto* end = std::end(kEntities);
    const auto* it =
        std::lower_bound(std::begin(kEntities), end, name,
                         [](const Entity& e, QStringView n) { return Compare(n, e.name) > 0; });
    return it != end && Compare(name, it->name) == 0 ? it->code : 0;
}
