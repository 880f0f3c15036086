#include "parse/dates/date_language.h"

namespace tarsel {
namespace {

// Months in the nominative and the genitive ("3 Δεκεμβρίου 2024"), and the abbreviations of
// locales and news sites. Accents are written once: reading ignores them.
constexpr DateNames kGreek = {
    "el|ell|gre",
    {"ιανουάριος|ιανουαρίου|ιαν", "φεβρουάριος|φεβρουαρίου|φεβ", "μάρτιος|μαρτίου|μαρ",
     "απρίλιος|απριλίου|απρ", "μάιος|μαΐου|μαΐ|μάη", "ιούνιος|ιουνίου|ιουν", "ιούλιος|ιουλίου|ιουλ",
     "αύγουστος|αυγούστου|αυγ", "σεπτέμβριος|σεπτεμβρίου|σεπτ|σεπ", "οκτώβριος|οκτωβρίου|οκτ",
     "νοέμβριος|νοεμβρίου|νοε", "δεκέμβριος|δεκεμβρίου|δεκ"},
    {"κυριακή|κυρ", "δευτέρα|δευ", "τρίτη|τρι", "τετάρτη|τετ", "πέμπτη|πεμ", "παρασκευή|παρ",
     "σάββατο|σαβ"},
    "π.μ.|πμ",
    "μ.μ.|μμ",
    "",
    ""};

// Hungarian writes its dates year first: "2024. december 3. 10:00", abbreviations with a point.
constexpr DateNames kHungarian = {
    "hu|hun",
    {"január|jan", "február|febr|feb", "március|márc|már", "április|ápr", "május|máj", "június|jún",
     "július|júl", "augusztus|aug", "szeptember|szept|szep", "október|okt", "november|nov",
     "december|dec"},
    {"vasárnap|vas", "hétfő|hét", "kedd", "szerda|sze|szer", "csütörtök|csüt|cs", "péntek|pén",
     "szombat|szom|szo"},
    "délelőtt|de",
    "délután|du",
    ".",
    "."};

// Korean months are numbered ("12월"); the meridiem word comes before the time ("오후 10:00").
constexpr DateNames kKorean = {
    "ko|kor",
    {"1월|01월", "2월|02월", "3월|03월", "4월|04월", "5월|05월", "6월|06월", "7월|07월", "8월|08월",
     "9월|09월", "10월", "11월", "12월"},
    {"일요일|일", "월요일|월", "화요일|화", "수요일|수", "목요일|목", "금요일|금", "토요일|토"},
    "오전",
    "오후",
    "년",
    "일"};

constexpr const DateNames* kLanguages[] = {&kGreek, &kHungarian, &kKorean};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool SameCode(std::string_view code, std::string_view subtag) {
  if (code.size() != subtag.size()) return false;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] != Lower(subtag[i])) return false;
  }
  return true;
}

// Whether `subtag` is one of the '|'-separated codes.
bool ListsCode(std::string_view codes, std::string_view subtag) {
  while (!codes.empty()) {
    const size_t bar = codes.find('|');
    if (SameCode(codes.substr(0, bar), subtag)) return true;
    if (bar == std::string_view::npos) break;
    codes.remove_prefix(bar + 1);
  }
  return false;
}

}  // namespace

DateLanguage DateLanguageFor(std::string_view language_tag, int code_page) {
  const size_t first = language_tag.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {nullptr, code_page};
  language_tag.remove_prefix(first);
  const std::string_view subtag = language_tag.substr(0, language_tag.find_first_of("-_ \t\r\n"));
  for (const DateNames* names : kLanguages) {
    if (ListsCode(names->codes, subtag)) return {names, code_page};
  }
  return {nullptr, code_page};
}

}  // namespace tarsel
