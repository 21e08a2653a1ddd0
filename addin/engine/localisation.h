#pragma once
// What the holiday run and the calendar targets need of the add-in's localisation: the
// current user-interface language and the message texts by key.
//
// The dialog layer implements this with its one process-wide language object; tests
// implement it with plain values. Texts are returned as new strings, built on every
// call in the language current at that moment. One thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace feriant::engine {

// The message keys, in interface order.
enum class MessageKey {
  ToolbarCaption_Caption,
  BothMessages_ProcessingHolidays,
  BothMessages_StartBehindEnd,
  BothMessages_NoRegionsSelected,
  ProjectMessages_Msg,
  ProjectMessages_SuccessAdd,
  ProjectMessages_SuccessRemove,
  ProjectMessages_OpenProjectFirst,
  ProjectMessages_NoBaseCalendarSelected,
  OutlookMessages_Msg,
  OutlookMessages_SuccessAdd,
  OutlookMessages_SuccessRemove,
  OutlookMessages_CachingAppointments,
  OutlookMessages_Partially,
  OutlookMessages_HolidayCategory,
  OutlookMessages_WholeCounty,
  OutlookMessages_Status1,
  OutlookMessages_Status2,
  OutlookMessages_Status3,
  OutlookMessages_Status4,
  OutlookMessages_Status5,
  OutlookMessages_NumHoliday,
  OutlookMessages_NumHolidays,
};
inline constexpr int kMessageKeyCount = 23;

// The locale identifier that selects German texts.
inline constexpr std::int16_t kGermanLanguageID = 1031;

// The languages of the texts, numbered as the language indexes of the holiday tables.
enum class TextLanguage { kGerman = 0, kEnglish = 1, kFrench = 2, kItalian = 3 };
inline constexpr int kTextLanguageCount = 4;

// The language of the texts a user-interface language gets: German for exactly 1031,
// French for the French locales (1036, 2060, 3084, 4108, 5132, 6156 and the neutral 12),
// Italian for 1040, 2064 and the neutral 16, English for every other value.
TextLanguage TextLanguageOf(std::int16_t language_id);

class Localisation {
 public:
  virtual ~Localisation() = default;

  // The current user-interface language as a Windows locale identifier.
  virtual std::int16_t GetLanguageID() const = 0;
  virtual void PutLanguageID(std::int16_t language_id) = 0;

  // The text of `key` in the current language.
  virtual std::string Message(MessageKey key) const = 0;

  // The language of the texts now.
  TextLanguage Language() const { return TextLanguageOf(GetLanguageID()); }
};

// The localised text of an assignment status 1..5 (OutlookMessages_Status1..5); empty
// for any other value.
std::string StatusText(const Localisation& texts, std::int32_t status);

// `text` with every occurrence of `marker` ("%1", "%2") replaced by `value`; the search
// is case-sensitive and does not look into inserted values.
std::string FillPlaceholder(std::string text, std::string_view marker, std::string_view value);

// The same with a number written as plain decimal digits (no grouping, no leading zeros).
std::string FillPlaceholder(std::string text, std::string_view marker, std::int64_t value);

// A text whose placeholder is filled again and again with numbers, as FillPlaceholder
// fills it, in storage that is kept: the progress label of each year. A run over one
// region and many years would otherwise spend much of its time on labels, as
// FillPlaceholder copies and allocates each time.
class PlaceholderFill {
 public:
  PlaceholderFill(std::string_view text, std::string_view marker);
  // The text with every marker replaced by `value`; valid until the next call.
  const std::string& Fill(std::int64_t value);

 private:
  std::vector<std::string> pieces_;  // the text between the markers
  std::string filled_;
};

}  // namespace feriant::engine
