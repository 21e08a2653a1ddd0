#include "addin/dialog/cls_lang_setter.h"

#include <array>
#include <cctype>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace feriant::dialog {
namespace {

struct Expected {
  MessageKey key;
  std::string (clsLangSetter::*member)() const;
  const char* german;
  const char* english;
  const char* french;
  const char* italian;
};

// Every message as the user must see it, typed out independently of the source.
const Expected kMessages[] = {
    {MessageKey::ToolbarCaption_Caption, &clsLangSetter::ToolbarCaption_Caption,
     "&Feiertage einstellen", "&Feriant", "&Jours fériés", "&Festività"},
    {MessageKey::BothMessages_ProcessingHolidays, &clsLangSetter::BothMessages_ProcessingHolidays,
     "Verarbeiten der Feiertage von %1...", "Processing holidays of %1...",
     "Traitement des jours fériés de %1...", "Elaborazione festività %1..."},
    {MessageKey::BothMessages_StartBehindEnd, &clsLangSetter::BothMessages_StartBehindEnd,
     "Das eingegebene Start-Jahr liegt hinter dem End-Jahr.",
     "Start Year is behind End year. Please check the range",
     "L'année de début est postérieure à l'année de fin. Veuillez vérifier la période.",
     "L'anno iniziale è successivo all'anno finale. Verificare il periodo."},
    {MessageKey::BothMessages_NoRegionsSelected, &clsLangSetter::BothMessages_NoRegionsSelected,
     "Es wurde keine Region ausgewählt.", "No regions selected.",
     "Aucune région n'est sélectionnée.", "Nessuna regione selezionata."},
    {MessageKey::ProjectMessages_Msg, &clsLangSetter::ProjectMessages_Msg,
     "Hier können Sie Feiertage zu den Basis Kalendern des aktuellen Projektes hinzufügen oder von "
     "diesen entfernen. Wenn Sie Feiertage einem Basis Kalender der Global-Datei hinzufügen "
     "möchten, fügen Sie die Feiertage erst dem aktuellen Projekt hinzu und benutzen Sie dann den "
     "Befehl \"Organisieren\".",
     "Here you can add or remove holidays to the base calenders of the current project. If you "
     "want to add holidays to a base calender of the global file, please add the required calender "
     "to the project and then use the 'Organize' command.",
     "Vous pouvez ajouter ici des jours fériés aux calendriers de base du projet actif ou les "
     "en retirer. Pour ajouter des jours fériés à un calendrier de base du fichier global, "
     "ajoutez-les d'abord au projet actif, puis utilisez la commande «\u00a0Organiser\u00a0».",
     "Qui è possibile aggiungere festività ai calendari di base del progetto attivo o "
     "rimuoverle. Per aggiungere festività a un calendario di base del file globale, "
     "aggiungerle prima al progetto attivo e poi usare il comando \"Organizza\"."},
    {MessageKey::ProjectMessages_SuccessAdd, &clsLangSetter::ProjectMessages_SuccessAdd,
     "%1 Feiertage wurden in den Basiskalendern als arbeitsfrei eingestellt.",
     "%1 holidays were configured as non-working time.",
     "%1 jours fériés ont été définis comme jours chômés dans les calendriers de base.",
     "%1 festività sono state impostate come tempo non lavorativo nei calendari di base."},
    {MessageKey::ProjectMessages_SuccessRemove, &clsLangSetter::ProjectMessages_SuccessRemove,
     "%1 Feiertage wurden in den Basiskalendern als Arbeitszeit eingestellt.",
     "%1 holidays were configured as working time.",
     "%1 jours fériés ont été redéfinis comme jours ouvrés dans les calendriers de base.",
     "%1 festività sono state reimpostate come tempo lavorativo nei calendari di base."},
    {MessageKey::ProjectMessages_OpenProjectFirst, &clsLangSetter::ProjectMessages_OpenProjectFirst,
     "Bitte öffnen Sie ein Projekt bevor Sie diese Funktion verwenden",
     "Please open a project before using this function",
     "Veuillez ouvrir un projet avant d'utiliser cette fonction.",
     "Aprire un progetto prima di usare questa funzione."},
    {MessageKey::ProjectMessages_NoBaseCalendarSelected,
     &clsLangSetter::ProjectMessages_NoBaseCalendarSelected, "Kein Basis Kalender ausgewählt",
     "No base calendar selected", "Aucun calendrier de base n'est sélectionné.",
     "Nessun calendario di base selezionato."},
    {MessageKey::OutlookMessages_Msg, &clsLangSetter::OutlookMessages_Msg,
     "Hier können Sie Feiertage zu dem Outlook Kalender hinzufügen oder von diesem entfernen.",
     "Here you can add or remove holidays to/from the Outlook calendar.",
     "Vous pouvez ajouter ici des jours fériés au calendrier Outlook ou les en retirer.",
     "Qui è possibile aggiungere festività al calendario di Outlook o rimuoverle."},
    {MessageKey::OutlookMessages_SuccessAdd, &clsLangSetter::OutlookMessages_SuccessAdd,
     "%1 Feiertage wurden dem Outlook Kalender hinzugefügt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were added to the Outlook calendar and %2 holidays were modified",
     "%1 jours fériés ont été ajoutés au calendrier Outlook et %2 jours fériés ont été "
     "modifiés.",
     "%1 festività sono state aggiunte al calendario di Outlook e %2 festività sono state "
     "modificate."},
    {MessageKey::OutlookMessages_SuccessRemove, &clsLangSetter::OutlookMessages_SuccessRemove,
     "%1 Feiertage wurden aus dem Outlook Kalender entfernt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were removed from the Outlook calendar and %2 holidays were modified.",
     "%1 jours fériés ont été retirés du calendrier Outlook et %2 jours fériés ont été "
     "modifiés.",
     "%1 festività sono state rimosse dal calendario di Outlook e %2 festività sono state "
     "modificate."},
    {MessageKey::OutlookMessages_CachingAppointments,
     &clsLangSetter::OutlookMessages_CachingAppointments, "Zwischenspeichern der Termine...",
     "Caching Appointments...", "Lecture des rendez-vous...", "Lettura degli appuntamenti..."},
    {MessageKey::OutlookMessages_Partially, &clsLangSetter::OutlookMessages_Partially, "teilweise",
     "partially", "en partie", "in parte"},
    {MessageKey::OutlookMessages_HolidayCategory, &clsLangSetter::OutlookMessages_HolidayCategory,
     "Feiertag", "Holiday", "Jour férié", "Festività"},
    {MessageKey::OutlookMessages_WholeCounty, &clsLangSetter::OutlookMessages_WholeCounty,
     "Bundesweit", "Whole country", "Tout le pays", "Tutto il paese"},
    {MessageKey::OutlookMessages_Status1, &clsLangSetter::OutlookMessages_Status1,
     "Gesetzlich anerkannt", "Statutory", "Reconnu par la loi", "Riconosciuto per legge"},
    {MessageKey::OutlookMessages_Status2, &clsLangSetter::OutlookMessages_Status2,
     "Den Sonntagen gleichgestellt", "Statutory, coequals to sundays", "Assimilé aux dimanches",
     "Equiparato alle domeniche"},
    {MessageKey::OutlookMessages_Status3, &clsLangSetter::OutlookMessages_Status3,
     "Meist nur halber Tag frei", "Half holiday", "Le plus souvent, demi-journée de congé",
     "Per lo più solo mezza giornata libera"},
    {MessageKey::OutlookMessages_Status4, &clsLangSetter::OutlookMessages_Status4,
     "Gesetzlich nicht anerkannt / öfftl. Einrichtungen meist geschlossen",
     "Non-statutory holiday / public facilities usually closed",
     "Non reconnu par la loi / services publics généralement fermés",
     "Non riconosciuto per legge / uffici pubblici per lo più chiusi"},
    {MessageKey::OutlookMessages_Status5, &clsLangSetter::OutlookMessages_Status5,
     "Gesetzlich nicht anerkannt", "Non-statutory holiday", "Non reconnu par la loi",
     "Non riconosciuto per legge"},
    {MessageKey::OutlookMessages_NumHoliday, &clsLangSetter::OutlookMessages_NumHoliday,
     "(%1 Feiertag)", "(%1 holiday)", "(%1 jour férié)", "(%1 festività)"},
    {MessageKey::OutlookMessages_NumHolidays, &clsLangSetter::OutlookMessages_NumHolidays,
     "(%1 Feiertage)", "(%1 holidays)", "(%1 jours fériés)", "(%1 festività)"},
};

TEST(LangSetterTest, EveryMessageInEveryLanguageThroughKeyAndMember) {
  ASSERT_EQ(std::size(kMessages), static_cast<size_t>(engine::kMessageKeyCount));
  ASSERT_EQ(MessageTexts().size(), std::size(kMessages));
  clsLangSetter texts;
  for (const Expected& message : kMessages) {
    const auto index = static_cast<size_t>(message.key);
    EXPECT_EQ(MessageTexts()[index].key, message.key);
    texts.LanguageID = 1031;
    EXPECT_EQ(texts.Message(message.key), message.german) << index;
    EXPECT_EQ((texts.*message.member)(), message.german) << index;
    texts.LanguageID = 1033;
    EXPECT_EQ(texts.Message(message.key), message.english) << index;
    EXPECT_EQ((texts.*message.member)(), message.english) << index;
    texts.LanguageID = 1036;
    EXPECT_EQ(texts.Message(message.key), message.french) << index;
    EXPECT_EQ((texts.*message.member)(), message.french) << index;
    texts.LanguageID = 1040;
    EXPECT_EQ(texts.Message(message.key), message.italian) << index;
    EXPECT_EQ((texts.*message.member)(), message.italian) << index;
  }
}

// Every caption of the dialog in the four languages, typed out independently of the
// source. The French and Italian captions give no two controls the same access key (the
// German and English ones are as they always were).
TEST(LangSetterTest, EveryCaptionInEveryLanguage) {
  const struct {
    const char* element;
    const char* property;
    std::array<const char*, 4> texts;  // German, English, French, Italian
  } kCaptions[] = {
      {"frmAddIn",
       "Caption",
       {" Feiertage einstellen", " Feriant", " Définir les jours fériés",
        " Impostare le festività"}},
      {"wto",
       "Title",
       {"Feiertage einstellen", "Feriant", "Définir les jours fériés", "Impostare le festività"}},
      {"lblCountry",
       "Caption",
       {"&Wählen Sie das Land:", "&Choose a country:", "Choisissez le &pays\u00a0:",
        "Selezionare il &paese:"}},
      {"lblRegions",
       "Caption",
       {"Wählen Sie die zu importierenden &Regionen:", "Choose the &regions for import:",
        "Choisissez les &régions à importer\u00a0:", "Selezionare le &regioni da importare:"}},
      {"lblBaseCalendars",
       "Caption",
       {"&Geben Sie hier bitte an, zu welchen Basis Kalendern die Feiertage hinzugefügt "
        "werden sollen:",
        "&Select to which base calenders the holidays are to be copied:",
        "Indiquez les &calendriers de base auxquels ajouter les jours fériés\u00a0:",
        "Indicare i &calendari di base a cui aggiungere le festività:"}},
      {"lblPeriod",
       "Caption",
       {"G&eben Sie bitte den Zeitraum an:", "&Please set the range of years:",
        "Indiquez les &années\u00a0:", "Indicare gli &anni:"}},
      {"lblActivate",
       "Caption",
       {"Feiertage einfügen oder entfernen:", "Import or remove holidays:",
        "Ajouter ou retirer les jours fériés\u00a0:", "Aggiungere o rimuovere le festività:"}},
      {"lblLanguage", "Caption", {"S&prache:", "&Language:", "&Langue\u00a0:", "&Lingua:"}},
      {"cmdImport", "Caption", {"Ei&nfügen", "&Import", "&Importer", "&Importa"}},
      {"cmdDelete", "Caption", {"Ent&fernen", "&Remove", "&Supprimer", "Ri&muovi"}},
      {"cmdSelectAll",
       "Caption",
       {"Alles &markieren", "Select &all", "&Tout cocher", "Seleziona &tutte"}},
      {"cmdSelectNone",
       "Caption",
       {"Ni&chts markieren", "Select &none", "Tout &décocher", "&Nessuna"}},
      {"btl",
       "cmdOKCaption",
       {"&Organisieren...", "&Organize...", "&Organiser...", "&Organizza..."}},
      {"btl", "cmdCancelCaption", {"&Schließen", "C&lose", "&Fermer", "C&hiudi"}},
      {"lblTo", "Caption", {"bis", "to", "à", "a"}},
  };
  ASSERT_EQ(CaptionTexts().size(), std::size(kCaptions));
  const engine::TextLanguage kLanguages[] = {
      engine::TextLanguage::kGerman, engine::TextLanguage::kEnglish, engine::TextLanguage::kFrench,
      engine::TextLanguage::kItalian};
  for (size_t language = 0; language < 4; ++language) {
    std::set<char> keys;
    for (size_t i = 0; i < std::size(kCaptions); ++i) {
      const CaptionText& caption = CaptionTexts()[i];
      EXPECT_EQ(caption.element, kCaptions[i].element);
      EXPECT_EQ(caption.property, kCaptions[i].property);
      const std::string_view text = caption.In(kLanguages[language]);
      EXPECT_EQ(text, kCaptions[i].texts[language]) << i;
      const size_t amp = text.find('&');
      if (amp == std::string_view::npos) continue;
      const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
      if (language >= 2) {
        EXPECT_TRUE(keys.insert(key).second) << text;
      }
    }
  }
}

TEST(LangSetterTest, TheLanguageOfTheTextsByLocale) {
  const struct {
    std::int16_t language_id;
    const char* partially;
  } kCases[] = {
      {1031, "teilweise"}, {0, "partially"},    {-1, "partially"},     {1033, "partially"},
      {3079, "partially"}, {2055, "partially"}, {-31505, "partially"}, {32767, "partially"},
      {1036, "en partie"}, {2060, "en partie"}, {3084, "en partie"},   {4108, "en partie"},
      {5132, "en partie"}, {6156, "en partie"}, {12, "en partie"},     {1040, "in parte"},
      {2064, "in parte"},  {16, "in parte"},    {1034, "partially"},   {1043, "partially"},
  };
  clsLangSetter texts;
  EXPECT_EQ(texts.LanguageID, 0);  // never set
  EXPECT_EQ(texts.OutlookMessages_Partially(), "partially");
  for (const auto& c : kCases) {
    texts.PutLanguageID(c.language_id);
    EXPECT_EQ(texts.GetLanguageID(), c.language_id);
    EXPECT_EQ(texts.OutlookMessages_Partially(), c.partially) << c.language_id;
  }
}

// The texts whose small details are the easiest to lose.
TEST(LangSetterTest, TrickyDetails) {
  clsLangSetter texts;
  texts.LanguageID = 1033;
  EXPECT_EQ(texts.OutlookMessages_SuccessAdd().back(), 'd');  // no final full stop
  EXPECT_EQ(texts.OutlookMessages_SuccessRemove().back(), '.');
  EXPECT_EQ(texts.BothMessages_StartBehindEnd().back(), 'e');
  EXPECT_NE(texts.ProjectMessages_Msg().find("base calenders"), std::string::npos);
  EXPECT_NE(texts.ProjectMessages_Msg().find("'Organize'"), std::string::npos);
  EXPECT_EQ(texts.OutlookMessages_Status2(), "Statutory, coequals to sundays");
  EXPECT_EQ(texts.OutlookMessages_WholeCounty(), "Whole country");
  texts.LanguageID = 1031;
  EXPECT_NE(texts.ProjectMessages_Msg().find("\"Organisieren\"."), std::string::npos);
  EXPECT_EQ(texts.ProjectMessages_OpenProjectFirst().back(), 'n');
  EXPECT_EQ(texts.ToolbarCaption_Caption(), "&Feiertage einstellen");

  const CaptionText& title = CaptionTexts()[0];
  EXPECT_EQ(title.element, "frmAddIn");
  EXPECT_EQ(title.german, " Feiertage einstellen");  // the leading blank belongs to it
  EXPECT_EQ(title.english, " Feriant");
  EXPECT_EQ(CaptionTexts()[1].german, "Feiertage einstellen");
  EXPECT_EQ(CaptionTexts().size(), 15u);
  std::set<std::string> written;
  for (const CaptionText& caption : CaptionTexts())
    written.insert(std::string(caption.element) + "." + std::string(caption.property));
  EXPECT_EQ(written.size(), 15u);  // no caption written twice
}

TEST(LangSetterTest, FillingPlaceholders) {
  clsLangSetter texts;
  const struct {
    std::int16_t language_id;
    MessageKey key;
    std::int64_t first;
    std::int64_t second;
    const char* expected;
  } kCases[] = {
      {1033, MessageKey::OutlookMessages_SuccessAdd, 3, 1,
       "3 holidays were added to the Outlook calendar and 1 holidays were modified"},
      {1033, MessageKey::ProjectMessages_SuccessAdd, 5, 0,
       "5 holidays were configured as non-working time."},
      {1031, MessageKey::OutlookMessages_SuccessRemove, 0, 12,
       "0 Feiertage wurden aus dem Outlook Kalender entfernt und 12 Feiertage wurden "
       "modifiziert."},
      {1033, MessageKey::BothMessages_ProcessingHolidays, 2049, 7,
       "Processing holidays of 2049..."},
      {1033, MessageKey::OutlookMessages_NumHolidays, -3, 0, "(-3 holidays)"},
      {1033, MessageKey::OutlookMessages_NumHolidays, 1000000, 0, "(1000000 holidays)"},
  };
  for (const auto& c : kCases) {
    texts.LanguageID = c.language_id;
    std::string text = engine::FillPlaceholder(texts.Message(c.key), "%1", c.first);
    text = engine::FillPlaceholder(std::move(text), "%2", c.second);
    EXPECT_EQ(text, c.expected);
  }
  texts.LanguageID = 1033;
  EXPECT_EQ(engine::FillPlaceholder(texts.OutlookMessages_NumHoliday(), "%1", "+1"),
            "(+1 holiday)");
  // Every occurrence, case-sensitive, and never inside what was filled in.
  EXPECT_EQ(engine::FillPlaceholder("%1 %1 %11 %P1", "%1", "%1x"), "%1x %1x %1x1 %P1");
  EXPECT_EQ(engine::FillPlaceholder("%1", "", "x"), "%1");
}

TEST(LangSetterTest, OneProcessWideInstance) {
  clsLangSetter& first = LangSetter();
  first.LanguageID = 1031;
  EXPECT_EQ(&LangSetter(), &first);
  EXPECT_EQ(LangSetter().OutlookMessages_HolidayCategory(), "Feiertag");
  first.LanguageID = 0;
}

}  // namespace
}  // namespace feriant::dialog
