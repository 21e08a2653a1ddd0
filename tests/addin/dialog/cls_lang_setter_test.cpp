#include "addin/dialog/cls_lang_setter.h"

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
};

// Every message as the user must see it, typed out independently of the source.
const Expected kMessages[] = {
    {MessageKey::ToolbarCaption_Caption, &clsLangSetter::ToolbarCaption_Caption,
     "&Feiertage einstellen", "&Feriant"},
    {MessageKey::BothMessages_ProcessingHolidays, &clsLangSetter::BothMessages_ProcessingHolidays,
     "Verarbeiten der Feiertage von %1...", "Processing holidays of %1..."},
    {MessageKey::BothMessages_StartBehindEnd, &clsLangSetter::BothMessages_StartBehindEnd,
     "Das eingegebene Start-Jahr liegt hinter dem End-Jahr.",
     "Start Year is behind End year. Please check the range"},
    {MessageKey::BothMessages_NoRegionsSelected, &clsLangSetter::BothMessages_NoRegionsSelected,
     "Es wurde keine Region ausgewählt.", "No regions selected."},
    {MessageKey::ProjectMessages_Msg, &clsLangSetter::ProjectMessages_Msg,
     "Hier können Sie Feiertage zu den Basis Kalendern des aktuellen Projektes hinzufügen oder von "
     "diesen entfernen. Wenn Sie Feiertage einem Basis Kalender der Global-Datei hinzufügen "
     "möchten, fügen Sie die Feiertage erst dem aktuellen Projekt hinzu und benutzen Sie dann den "
     "Befehl \"Organisieren\".",
     "Here you can add or remove holidays to the base calenders of the current project. If you "
     "want to add holidays to a base calender of the global file, please add the required calender "
     "to the project and then use the 'Organize' command."},
    {MessageKey::ProjectMessages_SuccessAdd, &clsLangSetter::ProjectMessages_SuccessAdd,
     "%1 Feiertage wurden in den Basiskalendern als arbeitsfrei eingestellt.",
     "%1 holidays were configured as non-working time."},
    {MessageKey::ProjectMessages_SuccessRemove, &clsLangSetter::ProjectMessages_SuccessRemove,
     "%1 Feiertage wurden in den Basiskalendern als Arbeitszeit eingestellt.",
     "%1 holidays were configured as working time."},
    {MessageKey::ProjectMessages_OpenProjectFirst, &clsLangSetter::ProjectMessages_OpenProjectFirst,
     "Bitte öffnen Sie ein Projekt bevor Sie diese Funktion verwenden",
     "Please open a project before using this function"},
    {MessageKey::ProjectMessages_NoBaseCalendarSelected,
     &clsLangSetter::ProjectMessages_NoBaseCalendarSelected, "Kein Basis Kalender ausgewählt",
     "No base calendar selected"},
    {MessageKey::OutlookMessages_Msg, &clsLangSetter::OutlookMessages_Msg,
     "Hier können Sie Feiertage zu dem Outlook Kalender hinzufügen oder von diesem entfernen.",
     "Here you can add or remove holidays to/from the Outlook calendar."},
    {MessageKey::OutlookMessages_SuccessAdd, &clsLangSetter::OutlookMessages_SuccessAdd,
     "%1 Feiertage wurden dem Outlook Kalender hinzugefügt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were added to the Outlook calendar and %2 holidays were modified"},
    {MessageKey::OutlookMessages_SuccessRemove, &clsLangSetter::OutlookMessages_SuccessRemove,
     "%1 Feiertage wurden aus dem Outlook Kalender entfernt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were removed from the Outlook calendar and %2 holidays were modified."},
    {MessageKey::OutlookMessages_CachingAppointments,
     &clsLangSetter::OutlookMessages_CachingAppointments, "Zwischenspeichern der Termine...",
     "Caching Appointments..."},
    {MessageKey::OutlookMessages_Partially, &clsLangSetter::OutlookMessages_Partially, "teilweise",
     "partially"},
    {MessageKey::OutlookMessages_HolidayCategory, &clsLangSetter::OutlookMessages_HolidayCategory,
     "Feiertag", "Holiday"},
    {MessageKey::OutlookMessages_WholeCounty, &clsLangSetter::OutlookMessages_WholeCounty,
     "Bundesweit", "Whole country"},
    {MessageKey::OutlookMessages_Status1, &clsLangSetter::OutlookMessages_Status1,
     "Gesetzlich anerkannt", "Statutory"},
    {MessageKey::OutlookMessages_Status2, &clsLangSetter::OutlookMessages_Status2,
     "Den Sonntagen gleichgestellt", "Statutory, coequals to sundays"},
    {MessageKey::OutlookMessages_Status3, &clsLangSetter::OutlookMessages_Status3,
     "Meist nur halber Tag frei", "Half holiday"},
    {MessageKey::OutlookMessages_Status4, &clsLangSetter::OutlookMessages_Status4,
     "Gesetzlich nicht anerkannt / öfftl. Einrichtungen meist geschlossen",
     "Non-statutory holiday / public facilities usually closed"},
    {MessageKey::OutlookMessages_Status5, &clsLangSetter::OutlookMessages_Status5,
     "Gesetzlich nicht anerkannt", "Non-statutory holiday"},
    {MessageKey::OutlookMessages_NumHoliday, &clsLangSetter::OutlookMessages_NumHoliday,
     "(%1 Feiertag)", "(%1 holiday)"},
    {MessageKey::OutlookMessages_NumHolidays, &clsLangSetter::OutlookMessages_NumHolidays,
     "(%1 Feiertage)", "(%1 holidays)"},
};

TEST(LangSetterTest, EveryMessageInBothLanguagesThroughKeyAndMember) {
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
  }
}

TEST(LangSetterTest, GermanOnlyForExactly1031) {
  const struct {
    std::int16_t language_id;
    const char* partially;
  } kCases[] = {
      {1031, "teilweise"}, {0, "partially"},    {-1, "partially"},     {1033, "partially"},
      {3079, "partially"}, {2055, "partially"}, {-31505, "partially"}, {32767, "partially"},
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
