#pragma once
// clsLangSetter: the add-in's one localisation object. It holds the user-interface
// language as a Windows locale identifier and gives every text the user sees, except
// the holiday and region names of the data tables, in German (exactly 1031), French (the
// French locales), Italian (the Italian ones) or English (any other value; see
// engine::TextLanguageOf).
//
// There is one process-wide instance (LangSetter()), created on first use and alive
// until the library is unloaded; the host connection, the dialog and the holiday run
// all use it. Every text is built anew on each call, in the language current at that
// moment. One thread.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "addin/engine/localisation.h"
#include "platform/automation/dispatch.h"
#include "platform/base/result.h"

namespace feriant::dialog {

using engine::MessageKey;

class clsLangSetter final : public engine::Localisation {
 public:
  // The current user-interface language; 0 until first set. Plain access, no checks.
  std::int16_t LanguageID = 0;

  // Localisation.
  std::int16_t GetLanguageID() const override { return LanguageID; }
  void PutLanguageID(std::int16_t language_id) override { LanguageID = language_id; }
  std::string Message(MessageKey key) const override;

  // Writes the fifteen captions of the dialog (CaptionTexts(), in that order) into
  // `oContainer`, late-bound, in the language LanguageID has when the call starts. Any
  // object whose type name is not exactly "frmAddIn" is left alone. A caption that cannot
  // be written (an element missing) ends the call with its error; those before it stay.
  Status AssignLanguage(automation::Dispatch& oContainer) const;

  // The messages, one member per key, in interface order.
  std::string ToolbarCaption_Caption() const;
  std::string BothMessages_ProcessingHolidays() const;
  std::string BothMessages_StartBehindEnd() const;
  std::string BothMessages_NoRegionsSelected() const;
  std::string ProjectMessages_Msg() const;
  std::string ProjectMessages_SuccessAdd() const;
  std::string ProjectMessages_SuccessRemove() const;
  std::string ProjectMessages_OpenProjectFirst() const;
  std::string ProjectMessages_NoBaseCalendarSelected() const;
  std::string OutlookMessages_Msg() const;
  std::string OutlookMessages_SuccessAdd() const;
  std::string OutlookMessages_SuccessRemove() const;
  std::string OutlookMessages_CachingAppointments() const;
  std::string OutlookMessages_Partially() const;
  std::string OutlookMessages_HolidayCategory() const;
  std::string OutlookMessages_WholeCounty() const;
  std::string OutlookMessages_Status1() const;
  std::string OutlookMessages_Status2() const;
  std::string OutlookMessages_Status3() const;
  std::string OutlookMessages_Status4() const;
  std::string OutlookMessages_Status5() const;
  std::string OutlookMessages_NumHoliday() const;
  std::string OutlookMessages_NumHolidays() const;
};

// The process-wide instance.
clsLangSetter& LangSetter();

// A message in every language.
struct MessageText {
  MessageKey key;
  std::string_view german;
  std::string_view english;
  std::string_view french;
  std::string_view italian;

  constexpr std::string_view In(engine::TextLanguage language) const {
    switch (language) {
      case engine::TextLanguage::kGerman:
        return german;
      case engine::TextLanguage::kFrench:
        return french;
      case engine::TextLanguage::kItalian:
        return italian;
      case engine::TextLanguage::kEnglish:
        break;
    }
    return english;
  }
};

// Every message, in interface order.
std::span<const MessageText> MessageTexts();

// A caption of the dialog in every language, in the order in which the dialog's
// captions are written: the element's name, the property written, and the texts.
struct CaptionText {
  std::string_view element;
  std::string_view property;
  std::string_view german;
  std::string_view english;
  std::string_view french;
  std::string_view italian;

  constexpr std::string_view In(engine::TextLanguage language) const {
    return MessageText{MessageKey{}, german, english, french, italian}.In(language);
  }
};

// The fifteen captions of the dialog.
std::span<const CaptionText> CaptionTexts();

}  // namespace feriant::dialog
