#include "addin/dialog/cls_lang_setter.h"

#include <array>

namespace feriant::dialog {
namespace {

// Word for word, typing errors included: stored appointments and people's habits know
// these texts (the holiday category, for one, is how appointments are found again).
constexpr std::array<MessageText, engine::kMessageKeyCount> kMessages = {{
    {MessageKey::ToolbarCaption_Caption, "&Feiertage einstellen", "&Feriant", "&Jours fériés",
     "&Festività"},
    {MessageKey::BothMessages_ProcessingHolidays, "Verarbeiten der Feiertage von %1...",
     "Processing holidays of %1...", "Traitement des jours fériés de %1...",
     "Elaborazione festività %1..."},
    {MessageKey::BothMessages_StartBehindEnd,
     "Das eingegebene Start-Jahr liegt hinter dem End-Jahr.",
     "Start Year is behind End year. Please check the range",
     "L'année de début est postérieure à l'année de fin. Veuillez vérifier la période.",
     "L'anno iniziale è successivo all'anno finale. Verificare il periodo."},
    {MessageKey::BothMessages_NoRegionsSelected, "Es wurde keine Region ausgewählt.",
     "No regions selected.", "Aucune région n'est sélectionnée.", "Nessuna regione selezionata."},
    {MessageKey::ProjectMessages_Msg,
     "Hier können Sie Feiertage zu den Basis Kalendern des aktuellen Projektes hinzufügen oder von "
     "diesen entfernen. Wenn Sie Feiertage einem Basis Kalender der Global-Datei hinzufügen "
     "möchten, fügen Sie die Feiertage erst dem aktuellen Projekt hinzu und benutzen Sie dann den "
     "Befehl \"Organisieren\".",
     "Here you can add or remove holidays to the base calenders of the current project. If you "
     "want to add holidays to a base calender of the global file, please add the required calender "
     "to the project and then use the 'Organize' command.",
     "Vous pouvez ajouter ici des jours fériés aux calendriers de base du projet actif ou les en "
     "retirer. Pour ajouter des jours fériés à un calendrier de base du fichier global, "
     "ajoutez-les "
     "d'abord au projet actif, puis utilisez la commande «\u00a0Organiser\u00a0».",
     "Qui è possibile aggiungere festività ai calendari di base del progetto attivo o rimuoverle. "
     "Per aggiungere festività a un calendario di base del file globale, aggiungerle prima al "
     "progetto attivo e poi usare il comando \"Organizza\"."},
    {MessageKey::ProjectMessages_SuccessAdd,
     "%1 Feiertage wurden in den Basiskalendern als arbeitsfrei eingestellt.",
     "%1 holidays were configured as non-working time.",
     "%1 jours fériés ont été définis comme jours chômés dans les calendriers de base.",
     "%1 festività sono state impostate come tempo non lavorativo nei calendari di base."},
    {MessageKey::ProjectMessages_SuccessRemove,
     "%1 Feiertage wurden in den Basiskalendern als Arbeitszeit eingestellt.",
     "%1 holidays were configured as working time.",
     "%1 jours fériés ont été redéfinis comme jours ouvrés dans les calendriers de base.",
     "%1 festività sono state reimpostate come tempo lavorativo nei calendari di base."},
    {MessageKey::ProjectMessages_OpenProjectFirst,
     "Bitte öffnen Sie ein Projekt bevor Sie diese Funktion verwenden",
     "Please open a project before using this function",
     "Veuillez ouvrir un projet avant d'utiliser cette fonction.",
     "Aprire un progetto prima di usare questa funzione."},
    {MessageKey::ProjectMessages_NoBaseCalendarSelected, "Kein Basis Kalender ausgewählt",
     "No base calendar selected", "Aucun calendrier de base n'est sélectionné.",
     "Nessun calendario di base selezionato."},
    {MessageKey::OutlookMessages_Msg,
     "Hier können Sie Feiertage zu dem Outlook Kalender hinzufügen oder von diesem entfernen.",
     "Here you can add or remove holidays to/from the Outlook calendar.",
     "Vous pouvez ajouter ici des jours fériés au calendrier Outlook ou les en retirer.",
     "Qui è possibile aggiungere festività al calendario di Outlook o rimuoverle."},
    {MessageKey::OutlookMessages_SuccessAdd,
     "%1 Feiertage wurden dem Outlook Kalender hinzugefügt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were added to the Outlook calendar and %2 holidays were modified",
     "%1 jours fériés ont été ajoutés au calendrier Outlook et %2 jours fériés ont été modifiés.",
     "%1 festività sono state aggiunte al calendario di Outlook e %2 festività sono state "
     "modificate."},
    {MessageKey::OutlookMessages_SuccessRemove,
     "%1 Feiertage wurden aus dem Outlook Kalender entfernt und %2 Feiertage wurden modifiziert.",
     "%1 holidays were removed from the Outlook calendar and %2 holidays were modified.",
     "%1 jours fériés ont été retirés du calendrier Outlook et %2 jours fériés ont été modifiés.",
     "%1 festività sono state rimosse dal calendario di Outlook e %2 festività sono state "
     "modificate."},
    {MessageKey::OutlookMessages_CachingAppointments, "Zwischenspeichern der Termine...",
     "Caching Appointments...", "Lecture des rendez-vous...", "Lettura degli appuntamenti..."},
    {MessageKey::OutlookMessages_Partially, "teilweise", "partially", "en partie", "in parte"},
    {MessageKey::OutlookMessages_HolidayCategory, "Feiertag", "Holiday", "Jour férié", "Festività"},
    {MessageKey::OutlookMessages_WholeCounty, "Bundesweit", "Whole country", "Tout le pays",
     "Tutto il paese"},
    {MessageKey::OutlookMessages_Status1, "Gesetzlich anerkannt", "Statutory", "Reconnu par la loi",
     "Riconosciuto per legge"},
    {MessageKey::OutlookMessages_Status2, "Den Sonntagen gleichgestellt",
     "Statutory, coequals to sundays", "Assimilé aux dimanches", "Equiparato alle domeniche"},
    {MessageKey::OutlookMessages_Status3, "Meist nur halber Tag frei", "Half holiday",
     "Le plus souvent, demi-journée de congé", "Per lo più solo mezza giornata libera"},
    {MessageKey::OutlookMessages_Status4,
     "Gesetzlich nicht anerkannt / öfftl. Einrichtungen meist geschlossen",
     "Non-statutory holiday / public facilities usually closed",
     "Non reconnu par la loi / services publics généralement fermés",
     "Non riconosciuto per legge / uffici pubblici per lo più chiusi"},
    {MessageKey::OutlookMessages_Status5, "Gesetzlich nicht anerkannt", "Non-statutory holiday",
     "Non reconnu par la loi", "Non riconosciuto per legge"},
    {MessageKey::OutlookMessages_NumHoliday, "(%1 Feiertag)", "(%1 holiday)", "(%1 jour férié)",
     "(%1 festività)"},
    {MessageKey::OutlookMessages_NumHolidays, "(%1 Feiertage)", "(%1 holidays)",
     "(%1 jours fériés)", "(%1 festività)"},
}};

// The French captions put a no-break space before a colon, as French typography does.
constexpr std::array<CaptionText, 15> kCaptions = {{
    {"frmAddIn", "Caption", " Feiertage einstellen", " Feriant", " Définir les jours fériés",
     " Impostare le festività"},
    {"wto", "Title", "Feiertage einstellen", "Feriant", "Définir les jours fériés",
     "Impostare le festività"},
    {"lblCountry", "Caption", "&Wählen Sie das Land:", "&Choose a country:",
     "Choisissez le &pays\u00a0:", "Selezionare il &paese:"},
    {"lblRegions", "Caption",
     "Wählen Sie die zu importierenden &Regionen:", "Choose the &regions for import:",
     "Choisissez les &régions à importer\u00a0:", "Selezionare le &regioni da importare:"},
    {"lblBaseCalendars", "Caption",
     "&Geben Sie hier bitte an, zu welchen Basis Kalendern die Feiertage hinzugefügt werden "
     "sollen:",
     "&Select to which base calenders the holidays are to be copied:",
     "Indiquez les &calendriers de base auxquels ajouter les jours fériés\u00a0:",
     "Indicare i &calendari di base a cui aggiungere le festività:"},
    {"lblPeriod", "Caption", "G&eben Sie bitte den Zeitraum an:", "&Please set the range of years:",
     "Indiquez les &années\u00a0:", "Indicare gli &anni:"},
    {"lblActivate", "Caption", "Feiertage einfügen oder entfernen:", "Import or remove holidays:",
     "Ajouter ou retirer les jours fériés\u00a0:", "Aggiungere o rimuovere le festività:"},
    {"lblLanguage", "Caption", "S&prache:", "&Language:", "&Langue\u00a0:", "&Lingua:"},
    {"cmdImport", "Caption", "Ei&nfügen", "&Import", "&Importer", "&Importa"},
    {"cmdDelete", "Caption", "Ent&fernen", "&Remove", "&Supprimer", "Ri&muovi"},
    {"cmdSelectAll", "Caption", "Alles &markieren", "Select &all", "&Tout cocher",
     "Seleziona &tutte"},
    {"cmdSelectNone", "Caption", "Ni&chts markieren", "Select &none", "Tout &décocher", "&Nessuna"},
    {"btl", "cmdOKCaption", "&Organisieren...", "&Organize...", "&Organiser...", "&Organizza..."},
    {"btl", "cmdCancelCaption", "&Schließen", "C&lose", "&Fermer", "C&hiudi"},
    {"lblTo", "Caption", "bis", "to", "à", "a"},
}};

// The dialog's class name: the captions are written into a dialog of this type only, and
// the first caption is the title of the dialog itself.
constexpr std::string_view kDialogTypeName = "frmAddIn";

// The table is in key order, so a key's text is at its own index.
constexpr bool InKeyOrder() {
  for (size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<size_t>(kMessages[i].key) != i) return false;
  }
  return true;
}
static_assert(InKeyOrder());

}  // namespace

std::string clsLangSetter::Message(MessageKey key) const {
  const auto index = static_cast<size_t>(key);
  if (index >= kMessages.size()) return std::string();
  const MessageText& text = kMessages[index];
  return std::string(text.In(Language()));
}

Status clsLangSetter::AssignLanguage(automation::Dispatch& oContainer) const {
  const engine::TextLanguage language = Language();
  if (oContainer.TypeName() != kDialogTypeName) return Ok();
  for (const CaptionText& caption : kCaptions) {
    const automation::Variant text(std::string(caption.In(language)));
    if (caption.element == kDialogTypeName) {
      if (Status put = oContainer.Put(caption.property, text); !put) return put;
      continue;
    }
    Result<automation::Variant> element =
        oContainer.Get("Controls", {automation::Variant(std::string(caption.element))});
    if (!element) return element.error();
    const automation::ObjectRef object = element->AsObject();
    if (object == nullptr) {
      return Error{automation::hresult::kFail,
                   std::string(caption.element) + " is not an element of the dialog",
                   "AssignLanguage"};
    }
    if (Status put = object->Put(caption.property, text); !put) return put;
  }
  return Ok();
}

std::string clsLangSetter::ToolbarCaption_Caption() const {
  return Message(MessageKey::ToolbarCaption_Caption);
}
std::string clsLangSetter::BothMessages_ProcessingHolidays() const {
  return Message(MessageKey::BothMessages_ProcessingHolidays);
}
std::string clsLangSetter::BothMessages_StartBehindEnd() const {
  return Message(MessageKey::BothMessages_StartBehindEnd);
}
std::string clsLangSetter::BothMessages_NoRegionsSelected() const {
  return Message(MessageKey::BothMessages_NoRegionsSelected);
}
std::string clsLangSetter::ProjectMessages_Msg() const {
  return Message(MessageKey::ProjectMessages_Msg);
}
std::string clsLangSetter::ProjectMessages_SuccessAdd() const {
  return Message(MessageKey::ProjectMessages_SuccessAdd);
}
std::string clsLangSetter::ProjectMessages_SuccessRemove() const {
  return Message(MessageKey::ProjectMessages_SuccessRemove);
}
std::string clsLangSetter::ProjectMessages_OpenProjectFirst() const {
  return Message(MessageKey::ProjectMessages_OpenProjectFirst);
}
std::string clsLangSetter::ProjectMessages_NoBaseCalendarSelected() const {
  return Message(MessageKey::ProjectMessages_NoBaseCalendarSelected);
}
std::string clsLangSetter::OutlookMessages_Msg() const {
  return Message(MessageKey::OutlookMessages_Msg);
}
std::string clsLangSetter::OutlookMessages_SuccessAdd() const {
  return Message(MessageKey::OutlookMessages_SuccessAdd);
}
std::string clsLangSetter::OutlookMessages_SuccessRemove() const {
  return Message(MessageKey::OutlookMessages_SuccessRemove);
}
std::string clsLangSetter::OutlookMessages_CachingAppointments() const {
  return Message(MessageKey::OutlookMessages_CachingAppointments);
}
std::string clsLangSetter::OutlookMessages_Partially() const {
  return Message(MessageKey::OutlookMessages_Partially);
}
std::string clsLangSetter::OutlookMessages_HolidayCategory() const {
  return Message(MessageKey::OutlookMessages_HolidayCategory);
}
std::string clsLangSetter::OutlookMessages_WholeCounty() const {
  return Message(MessageKey::OutlookMessages_WholeCounty);
}
std::string clsLangSetter::OutlookMessages_Status1() const {
  return Message(MessageKey::OutlookMessages_Status1);
}
std::string clsLangSetter::OutlookMessages_Status2() const {
  return Message(MessageKey::OutlookMessages_Status2);
}
std::string clsLangSetter::OutlookMessages_Status3() const {
  return Message(MessageKey::OutlookMessages_Status3);
}
std::string clsLangSetter::OutlookMessages_Status4() const {
  return Message(MessageKey::OutlookMessages_Status4);
}
std::string clsLangSetter::OutlookMessages_Status5() const {
  return Message(MessageKey::OutlookMessages_Status5);
}
std::string clsLangSetter::OutlookMessages_NumHoliday() const {
  return Message(MessageKey::OutlookMessages_NumHoliday);
}
std::string clsLangSetter::OutlookMessages_NumHolidays() const {
  return Message(MessageKey::OutlookMessages_NumHolidays);
}

clsLangSetter& LangSetter() {
  static clsLangSetter instance;
  return instance;
}

std::span<const MessageText> MessageTexts() {
  return kMessages;
}

std::span<const CaptionText> CaptionTexts() {
  return kCaptions;
}

}  // namespace feriant::dialog
