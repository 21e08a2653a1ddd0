// AmendmentTable: how the law moved after the holiday tables were made, and before, where
// they describe a later state than the years 1984..2049 had. Columns: region path,
// holiday, status (1..5, or kNotAssigned to take the assignment away), first and last
// year (kOpenStart / kOpenEnd when open), and the law or notice that made the change,
// cited in its own language. A holiday that the tables lack is appended after them, with
// its rule and its names below.
//
// Rows are grouped by country. Within a holiday, the rows an amendment adds are listed
// after the table's rows in the order given here, so rows that add the same holiday stand
// in region order.

#include "addin/data/amendments.h"

#include <array>

namespace feriant::data {
namespace {

constexpr int16_t kDefaultName = -1;
constexpr int16_t kOtherName = 0;

// Holidays of the tables that amendments name.
constexpr int32_t kGoodFriday = 21;
constexpr int32_t kWhitMonday = 36;
constexpr int32_t kUnityDay = 67;
constexpr int32_t kReformationDay = 71;
constexpr int32_t kRepentanceDay = 75;
constexpr int32_t kNaefelserFahrt = 24;

constexpr std::string_view kNaefelsLaw =
    "Kanton Glarus, Gesetz über die öffentlichen Ruhetage: die Näfelser Fahrt am ersten "
    "Donnerstag im April; fällt dieser in die Karwoche, wird sie eine Woche später begangen";

constexpr auto kRules = std::to_array<std::string_view>({
    "Fix 8.3",   // kWomensDay
    "Fix 20.9",  // kWorldChildrensDay
    "Fix 8.5",   // kLiberationDay
    "Fix 17.6",  // kSeventeenthOfJune
    "Fix 17.6",  // kUprisingAnniversary
    "Easter+4",  // kNaefelserFahrtAfterEaster: Maundy Thursday + 7
});

constexpr auto kNames = std::to_array<HolidayName>({
    {"Internationaler Frauentag", kWomensDay, kGerman, kDefaultName},
    {"International Women's Day", kWomensDay, kEnglish, kOtherName},
    {"Journée internationale des femmes", kWomensDay, kFrench, kOtherName},
    {"Giornata internazionale della donna", kWomensDay, kItalian, kOtherName},
    {"Weltkindertag", kWorldChildrensDay, kGerman, kDefaultName},
    {"World Children's Day", kWorldChildrensDay, kEnglish, kOtherName},
    {"Journée mondiale des enfants", kWorldChildrensDay, kFrench, kOtherName},
    {"Giornata mondiale dei bambini", kWorldChildrensDay, kItalian, kOtherName},
    {"Tag der Befreiung", kLiberationDay, kGerman, kDefaultName},
    {"Liberation Day", kLiberationDay, kEnglish, kOtherName},
    {"Jour de la Libération", kLiberationDay, kFrench, kOtherName},
    {"Giorno della Liberazione", kLiberationDay, kItalian, kOtherName},
    {"Tag der deutschen Einheit (17. Juni)", kSeventeenthOfJune, kGerman, kDefaultName},
    {"Unity Day (17 June)", kSeventeenthOfJune, kEnglish, kOtherName},
    {"Journée de l´unité allemande (17 juin)", kSeventeenthOfJune, kFrench, kOtherName},
    {"Giorno dell´Unità tedesca (17 giugno)", kSeventeenthOfJune, kItalian, kOtherName},
    {"Jahrestag des 17. Juni 1953", kUprisingAnniversary, kGerman, kDefaultName},
    {"Anniversary of 17 June 1953", kUprisingAnniversary, kEnglish, kOtherName},
    {"Anniversaire du 17 juin 1953", kUprisingAnniversary, kFrench, kOtherName},
    {"Anniversario del 17 giugno 1953", kUprisingAnniversary, kItalian, kOtherName},
    {"Näfelser Fahrt", kNaefelserFahrtAfterEaster, kGerman, kDefaultName},
    {"Näfelser Fahrt", kNaefelserFahrtAfterEaster, kEnglish, kOtherName},
    {"Näfelser Fahrt", kNaefelserFahrtAfterEaster, kFrench, kOtherName},
    {"Näfelser Fahrt", kNaefelserFahrtAfterEaster, kItalian, kOtherName},
});

// clang-format off
constexpr auto kRows = std::to_array<Amendment>({
    // Deutschland. Before 1990 the country is the Federal Republic.
    {"Deutschland", kSeventeenthOfJune, 1, kOpenStart, 1990, "Gesetz über den Tag der deutschen Einheit vom 4. August 1953 (BGBl. I S. 778), § 2; abgelöst durch Art. 2 Abs. 2 Einigungsvertrag vom 31. August 1990 (BGBl. 1990 II S. 889)"},
    {"Deutschland", kUnityDay, kNotAssigned, kOpenStart, 1989, "Einigungsvertrag vom 31. August 1990 (BGBl. 1990 II S. 889), Art. 2 Abs. 2: der 3. Oktober ist gesetzlicher Feiertag ab 1990"},
    {"Deutschland", kRepentanceDay, 1, kOpenStart, 1994, "Feiertagsgesetze der Länder; ab 1995 aufgehoben nach § 58 Abs. 2 SGB XI, Pflege-Versicherungsgesetz vom 26. Mai 1994 (BGBl. I S. 1014)"},
    {"Deutschland|Sachsen", kRepentanceDay, 1, 1992, kOpenEnd, "Gesetz über Sonn- und Feiertage im Freistaat Sachsen (SächsSFG) vom 10. November 1992 (SächsGVBl. S. 536), § 1 Abs. 1; ab 1995 beibehalten nach § 58 Abs. 3 SGB XI (BGBl. 1994 I S. 1014)"},
    {"Deutschland", kReformationDay, 1, 2017, 2017, "500. Jahrestag der Reformation, einmaliger Feiertag in allen Ländern nach dem Beschluss der Ministerpräsidentenkonferenz vom 6. Dezember 2012, z. B. Berlin: Gesetz vom 14. Oktober 2015 (GVBl. S. 378); Bremen: Gesetz vom 21. Mai 2013 (Brem.GBl. S. 231); Hamburg: Verordnung über den Reformationstag 2017 vom 30. April 2013 (HmbGVBl. S. 192); Schleswig-Holstein: Landesverordnung über den Reformationstag 2017 vom 24. November 2014 (GVOBl. Schl.-H. S. 380)"},
    {"Deutschland|Bremen", kReformationDay, 1, 2018, kOpenEnd, "Änderung des Gesetzes über die Sonn- und Feiertage, beschlossen von der Bürgerschaft am 20. Juni 2018 (Brem.GBl. vom 26. Juni 2018 S. 302)"},
    {"Deutschland|Hamburg", kReformationDay, 1, 2018, kOpenEnd, "Änderung des Feiertagsgesetzes (Gesetz über Sonntage, Feiertage, Gedenktage und Trauertage) vom 12. März 2018 (HmbGVBl. S. 63): Tag der Reformation"},
    {"Deutschland|Niedersachsen", kReformationDay, 1, 2018, kOpenEnd, "Gesetz zur Änderung des Niedersächsischen Gesetzes über die Feiertage vom 22. Juni 2018 (Nds. GVBl. S. 122), § 2 Abs. 1"},
    {"Deutschland|Schleswig-Holstein", kReformationDay, 1, 2018, kOpenEnd, "Änderung des Gesetzes über Sonn- und Feiertage (SFTG) vom 21. März 2018 (GVOBl. Schl.-H. S. 69), § 2 Abs. 1 Nr. 8"},
    {"Deutschland|Berlin", kWomensDay, 1, 2019, kOpenEnd, "Gesetz zur Änderung des Gesetzes über die Sonn- und Feiertage vom 30. Januar 2019 (GVBl. S. 22), § 1 Abs. 1 Nr. 2: Frauentag (8. März)"},
    {"Deutschland|Berlin", kLiberationDay, 1, 2020, 2020, "Gesetz zur Änderung des Gesetzes über die Sonn- und Feiertage vom 30. Januar 2019 (GVBl. S. 22), Art. 1 und 2: einmalig der 8. Mai 2020, 75. Jahrestag der Befreiung vom Nationalsozialismus"},
    {"Deutschland|Berlin", kLiberationDay, 1, 2025, 2025, "Änderung des Gesetzes über die Sonn- und Feiertage: einmalig der 8. Mai 2025, 80. Jahrestag der Befreiung vom Nationalsozialismus (Gesetzesvorlage des Senats vom 5. Dezember 2023)"},
    {"Deutschland|Berlin", kUprisingAnniversary, 1, 2028, 2028, "Änderung des Gesetzes über die Sonn- und Feiertage (2024): einmalig der 17. Juni 2028, 75. Jahrestag des Volksaufstandes vom 17. Juni 1953"},
    {"Deutschland|Mecklenburg-Vorpommern", kWomensDay, 1, 2023, kOpenEnd, "Änderung des Feiertagsgesetzes Mecklenburg-Vorpommern (FTG M-V), § 2, beschlossen vom Landtag im Juni 2022, erstmals am 8. März 2023"},
    {"Deutschland|Thüringen", kWorldChildrensDay, 1, 2019, kOpenEnd, "Drittes Gesetz zur Änderung des Thüringer Feier- und Gedenktagsgesetzes vom 19. März 2019 (GVBl. S. 22), § 2 Abs. 1: der 20. September als Weltkindertag"},
    // Österreich.
    {"Österreich", kGoodFriday, 5, 2019, kOpenEnd, "BGBl. I Nr. 22/2019, Änderung des Arbeitsruhegesetzes: § 7 Abs. 3 (Karfreitag für evangelische, altkatholische und methodistische Arbeitnehmer) aufgehoben nach EuGH C-193/17 vom 22. Jänner 2019"},
    // Schweiz. The years 1984..2049 whose first Thursday of April is Maundy Thursday
    // (Easter on 4..10 April): the table's day gives way to the Thursday after Easter.
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 1985, 1985, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 1985, 1985, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 1996, 1996, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 1996, 1996, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 1999, 1999, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 1999, 1999, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2007, 2007, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2007, 2007, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2010, 2010, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2010, 2010, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2012, 2012, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2012, 2012, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2015, 2015, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2015, 2015, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2021, 2021, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2021, 2021, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2023, 2023, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2023, 2023, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2026, 2026, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2026, 2026, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2034, 2034, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2034, 2034, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2037, 2037, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2037, 2037, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2039, 2039, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2039, 2039, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2042, 2042, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2042, 2042, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2045, 2045, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2045, 2045, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrt, kNotAssigned, 2048, 2048, kNaefelsLaw},
    {"Schweiz|Glarus", kNaefelserFahrtAfterEaster, 2, 2048, 2048, kNaefelsLaw},
    // France.
    {"France", kWhitMonday, 1, kOpenStart, 2004, "Code du travail, art. L. 222-1 : le lundi de Pentecôte est un jour férié ; journée de solidarité fixée à ce jour à partir de 2005 par la loi n° 2004-626 du 30 juin 2004 (JORF du 1er juillet 2004)"},
    {"France", kWhitMonday, 1, 2008, kOpenEnd, "Loi n° 2008-351 du 16 avril 2008 relative à la journée de solidarité (JORF du 17 avril 2008), art. L. 3133-8 du Code du travail : la journée de solidarité n'est plus fixée au lundi de Pentecôte"},
});
// clang-format on
static_assert(kRules.size() == kAppendedHolidayCount);
static_assert(kNames.size() == kAppendedHolidayNameCount);
static_assert(kRows.size() == kAmendmentCount);

}  // namespace

constinit const std::array<Amendment, kAmendmentCount> AmendmentTable = kRows;
constinit const std::array<std::string_view, kAppendedHolidayCount> AppendedRuleTable = kRules;
constinit const std::array<HolidayName, kAppendedHolidayNameCount> AppendedHolidayNameTable =
    kNames;

}  // namespace feriant::data
