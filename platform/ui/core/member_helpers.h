#pragma once
// Helpers for writing member tables (automation::Members<T>) of controls: typed getters
// and setters from member functions or lambdas, with the Variant coercions of the
// automation runtime, and the members every control shares (Name, Left, Top, ...).
//
//   m.Get("Caption", dispid::kCaption, members::Getter<Label>(&Label::Caption))
//    .Put("Caption", dispid::kCaption, members::Setter<Label, std::string>(&Label::SetCaption));
//
// A setter may return void or Status. Colours travel as 32-bit signed numbers (system
// colours are negative), as OLE_COLOR does.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui::members {

using automation::Variant;

template <class V>
Result<V> FromVariant(const Variant& value);

template <>
inline Result<bool> FromVariant<bool>(const Variant& value) {
  return value.ToBool();
}
template <>
inline Result<int> FromVariant<int>(const Variant& value) {
  return value.ToI4();
}
template <>
inline Result<std::string> FromVariant<std::string>(const Variant& value) {
  return value.ToString();
}
template <>
inline Result<automation::Currency> FromVariant<automation::Currency>(const Variant& value) {
  return value.ToCurrency();
}
template <>
inline Result<double> FromVariant<double>(const Variant& value) {
  return value.ToDouble();
}
template <>
inline Result<Variant> FromVariant<Variant>(const Variant& value) {
  return value;
}
template <>
inline Result<std::shared_ptr<StdPicture>> FromVariant<std::shared_ptr<StdPicture>>(
    const Variant& value) {
  auto object = value.ToObject();
  if (!object) return object.error();
  if (!*object) return std::shared_ptr<StdPicture>();
  auto picture = std::dynamic_pointer_cast<StdPicture>(*object);
  if (!picture) return MakeUiError(ui_error::kInvalidPicture);
  return picture;
}
template <>
inline Result<std::shared_ptr<StdFont>> FromVariant<std::shared_ptr<StdFont>>(
    const Variant& value) {
  auto object = value.ToObject();
  if (!object) return object.error();
  auto font = std::dynamic_pointer_cast<StdFont>(*object);
  if (!font) return MakeUiError(ui_error::kInvalidPropertyValue, "not a font object");
  return font;
}

// A colour from a number (system colours may come as negative 32-bit values).
inline Result<OleColor> ColorFromVariant(const Variant& value) {
  auto number = value.ToDouble();
  if (!number) return number.error();
  if (*number < -2147483648.0 || *number > 4294967295.0)
    return MakeUiError(ui_error::kInvalidPropertyValue, "colour out of range");
  const auto wide = static_cast<std::int64_t>(*number);
  return static_cast<OleColor>(static_cast<std::uint32_t>(wide));
}
inline Variant ColorToVariant(OleColor color) {
  return Variant(static_cast<std::int32_t>(color));
}

inline Variant ToVariant(bool value) {
  return Variant(value);
}
inline Variant ToVariant(int value) {
  return Variant(static_cast<std::int32_t>(value));
}
inline Variant ToVariant(const std::string& value) {
  return Variant(value);
}
inline Variant ToVariant(automation::Currency value) {
  return Variant(value);
}
inline Variant ToVariant(double value) {
  return Variant(value);
}
inline Variant ToVariant(const Variant& value) {
  return value;
}
template <class O>
requires std::is_base_of_v<automation::Dispatch, O> Variant ToVariant(const std::shared_ptr<O>& o) {
  return Variant(automation::ObjectRef(o));
}

template <class T, class Fn>
typename automation::Members<T>::GetFn Getter(Fn fn) {
  return [fn](T& self, std::span<Variant>) -> Result<Variant> {
    return ToVariant(std::invoke(fn, self));
  };
}

template <class T, class V, class Fn>
typename automation::Members<T>::PutFn Setter(Fn fn) {
  return [fn](T& self, std::span<Variant> args) -> Status {
    auto value = FromVariant<V>(args.back());
    if (!value) return value.error();
    if constexpr (std::is_void_v<decltype(std::invoke(fn, self, std::move(*value)))>) {
      std::invoke(fn, self, std::move(*value));
      return Ok();
    } else {
      return std::invoke(fn, self, std::move(*value));
    }
  };
}

template <class T, class Fn>
typename automation::Members<T>::GetFn ColorGetter(Fn fn) {
  return [fn](T& self, std::span<Variant>) -> Result<Variant> {
    return ColorToVariant(std::invoke(fn, self));
  };
}

template <class T, class Fn>
typename automation::Members<T>::PutFn ColorSetter(Fn fn) {
  return [fn](T& self, std::span<Variant> args) -> Status {
    auto value = ColorFromVariant(args.back());
    if (!value) return value.error();
    return std::invoke(fn, self, *value);
  };
}

// Which of the shared members a control has.
enum CommonMembers : unsigned {
  kIdentity = 1,  // Name, Index, Parent, Container, Visible, Tag, ZOrder
  kGeometry = 2,  // Left, Top, Width, Height, Move
  kEnabled = 4,   // Enabled
  kTabIndex = 8,  // TabIndex
  kFocus = 16,    // SetFocus, hWnd
  kPointer = 32,  // MousePointer
  kRefresh = 64,  // Refresh
  kAllCommon = 127,
};

Variant ParentOf(const Control& control);
Variant ContainerOf(const Control& control);

template <class T>
void AddCommonMembers(automation::Members<T>& m, unsigned which = kAllCommon) {
  using Args = std::span<Variant>;
  if (which & kIdentity) {
    m.Get("Name", dispid::kName, Getter<T>([](T& c) { return c.Name(); }))
        .Get("Index", dispid::kIndex, Getter<T>([](T& c) { return c.Index(); }))
        .Get("Parent", dispid::kParent, [](T& c, Args) -> Result<Variant> { return ParentOf(c); })
        .Get("Container", dispid::kContainer,
             [](T& c, Args) -> Result<Variant> { return ContainerOf(c); })
        .Get("Visible", dispid::kVisible, Getter<T>([](T& c) { return c.Visible(); }))
        .Put("Visible", dispid::kVisible, Setter<T, bool>([](T& c, bool v) { c.SetVisible(v); }))
        .Get("Tag", dispid::kTag, Getter<T>([](T& c) { return c.Tag(); }))
        .Put("Tag", dispid::kTag,
             Setter<T, std::string>([](T& c, std::string v) { c.SetTag(std::move(v)); }))
        .Method(
            "ZOrder", dispid::kZOrder,
            [](T& c, Args args, std::span<const automation::NamedArg> named) -> Result<Variant> {
              // ZOrder [Position]: 0 (the default) to the front, 1 to the back.
              int position = 0;
              Variant arg = automation::ArgumentOf(args, named, "Position", 0);
              if (!arg.IsMissing()) {
                auto value = arg.ToI4();
                if (!value) return value.error();
                position = *value;
              }
              if (Status s = c.ZOrder(position); !s) return s.error();
              return Variant();
            });
  }
  if (which & kGeometry) {
    m.Get("Left", dispid::kLeft, Getter<T>([](T& c) { return c.Left(); }))
        .Put("Left", dispid::kLeft, Setter<T, int>([](T& c, int v) { return c.SetLeft(v); }))
        .Get("Top", dispid::kTop, Getter<T>([](T& c) { return c.Top(); }))
        .Put("Top", dispid::kTop, Setter<T, int>([](T& c, int v) { return c.SetTop(v); }))
        .Get("Width", dispid::kWidth, Getter<T>([](T& c) { return c.Width(); }))
        .Put("Width", dispid::kWidth, Setter<T, int>([](T& c, int v) { return c.SetWidth(v); }))
        .Get("Height", dispid::kHeight, Getter<T>([](T& c) { return c.Height(); }))
        .Put("Height", dispid::kHeight, Setter<T, int>([](T& c, int v) { return c.SetHeight(v); }))
        .Method(
            "Move", dispid::kMove,
            [](T& c, Args args, std::span<const automation::NamedArg> named) -> Result<Variant> {
              // Move Left[, Top[, Width[, Height]]]: omitted values stay.
              int values[4] = {c.Left(), c.Top(), c.Width(), c.Height()};
              static const char* const kNames[4] = {"Left", "Top", "Width", "Height"};
              for (size_t i = 0; i < 4; ++i) {
                Variant arg = automation::ArgumentOf(args, named, kNames[i], i);
                if (arg.IsMissing()) continue;
                auto number = arg.ToI4();
                if (!number) return number.error();
                values[i] = *number;
              }
              if (Status s = c.Move(values[0], values[1], values[2], values[3]); !s)
                return s.error();
              return Variant();
            });
  }
  if (which & kEnabled) {
    m.Get("Enabled", dispid::kEnabled, Getter<T>([](T& c) { return c.Enabled(); }))
        .Put("Enabled", dispid::kEnabled, Setter<T, bool>([](T& c, bool v) { c.SetEnabled(v); }));
  }
  if (which & kTabIndex) {
    m.Get("TabIndex", dispid::kTabIndex, Getter<T>([](T& c) { return c.TabIndex(); }))
        .Put("TabIndex", dispid::kTabIndex,
             Setter<T, int>([](T& c, int v) { return c.SetTabIndex(v); }));
  }
  if (which & kFocus) {
    m.Get("hWnd", dispid::kHwnd, Getter<T>([](T& c) { return static_cast<int>(c.hWnd()); }))
        .Method("SetFocus", dispid::kSetFocus,
                [](T& c, Args, std::span<const automation::NamedArg>) -> Result<Variant> {
                  if (Status s = c.SetFocus(); !s) return s.error();
                  return Variant();
                });
  }
  if (which & kRefresh) {
    m.Method("Refresh", dispid::kRefresh,
             [](T& c, Args, std::span<const automation::NamedArg>) -> Result<Variant> {
               c.Refresh();
               return Variant();
             });
  }
  if (which & kPointer) {
    m.Get("MousePointer", dispid::kMousePointer, Getter<T>([](T& c) { return c.MousePointer(); }))
        .Put("MousePointer", dispid::kMousePointer,
             Setter<T, int>([](T& c, int v) { c.SetMousePointer(v); }));
  }
}

// BackColor, ForeColor and Font of a control that has them.
template <class T>
void AddLookMembers(automation::Members<T>& m) {
  m.Get("BackColor", dispid::kBackColor, ColorGetter<T>([](T& c) { return c.BackColor(); }))
      .Put("BackColor", dispid::kBackColor,
           ColorSetter<T>([](T& c, OleColor v) { return c.SetBackColor(v); }))
      .Get("ForeColor", dispid::kForeColor, ColorGetter<T>([](T& c) { return c.ForeColor(); }))
      .Put("ForeColor", dispid::kForeColor,
           ColorSetter<T>([](T& c, OleColor v) { return c.SetForeColor(v); }))
      .Get("Font", dispid::kFont, Getter<T>([](T& c) { return c.Font(); }))
      .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>([](T& c, auto font) {
                c.SetFont(std::move(font));
              }));
}

}  // namespace feriant::ui::members
